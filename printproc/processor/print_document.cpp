// One document through the processor: the status monitor, the read channel,
// and the choice between passing the job through and playing it as a "VEMF"
// stream.
#include <algorithm>
#include <cctype>

#include "platform/win_errors.h"
#include "playback/direct_player.h"
#include "playback/vemf_format.h"
#include "processor/document_job.h"
#include "processor/maker_names.h"

namespace emfplay {

namespace pp = plat::print;

namespace {

std::string Upper(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

// The machine a job came from as the spooler names it ("\\PC01 "): without
// its leading backslashes and trailing blanks.
std::string_view MachineOf(std::string_view name) {
  while (!name.empty() && name.back() == ' ') name.remove_suffix(1);
  while (!name.empty() && name.front() == '\\') name.remove_prefix(1);
  return name;
}

// Reads until `into` is full or the channel has no more; the bytes read.
pp::Result<std::size_t> ReadFully(pp::JobChannel& jobs, plat::Handle channel, std::span<std::uint8_t> into) {
  std::size_t filled = 0;
  while (filled < into.size()) {
    auto got = jobs.Read(channel, into.subspan(filled));
    if (!got.ok()) {
      if (filled == 0) return got.error();
      break;
    }
    if (*got == 0) break;
    filled += std::min(*got, into.size() - filled);
  }
  return filled;
}

}  // namespace

void PrintProcessor::StartStatusMonitor(const Job& job) {
  // The monitor runs on the machine the job came from: a job from another
  // computer starts none here. When in doubt, it is started.
  auto record = p_.jobs.GetJob1(job.handle.printer, job.doc.jobId);
  auto computer = p_.host.ComputerName();
  if (record.ok() && computer.ok() && Upper(MachineOf(record->machineName)) != Upper(*computer)) return;
  const std::string commandLine =
      std::string(kStatusMonitor) + " " + job.handle.printerName + ";" + job.port + ";" + kStatusMonitorTail;
  static_cast<void>(p_.host.StartProgram(commandLine, pp::kShowWindow));  // the job prints without a monitor
}

void PrintProcessor::EndReadChannel(Job& job) {
  if (!job.readChannel) return;
  static_cast<void>(p_.jobs.EndDoc(job.readChannel.get()));  // the channel is closed next in any case
  job.readChannel.reset();
}

pp::Status PrintProcessor::PrintDocument(ProcessorId id, const DocumentData& doc) {
  const auto handle = Find(id);
  if (!handle) return pp::Error(winerr::InvalidHandle);

  Job job{*handle, doc, {}, {}, SeparatorKindOf(doc.separatorFile, names_), {}};
  job.port = p_.jobs.PrinterPort(handle->printer).value_or("");
  job.destination = doc.outputFile.value_or(job.port);
  StartStatusMonitor(job);
  handle->datatype = DatatypeOf(job.datatype());

  auto channel = p_.jobs.OpenPrinter(handle->printerName);
  if (!channel.ok()) return channel.error();
  job.readChannel = pp::UniqueJobPrinter(p_.jobs, *channel);
  if (auto started = p_.jobs.StartDoc(*channel, job.DocInfo(pp::kDocModeReadSpooledJob)); !started.ok()) {
    job.readChannel.reset();
    if (handle->datatype == Datatype::Raw)
      static_cast<void>(p_.jobs.EndDoc(handle->printer));  // the start's error is the one reported
    return started.error();
  }

  std::vector<std::uint8_t> held(vemf::kSignature.size());
  auto got = ReadFully(p_.jobs, *channel, held);
  if (!got.ok() || *got == 0) {
    EndReadChannel(job);
    return got.ok() ? pp::Error(0) : got.error();
  }
  held.resize(*got);

  if (std::equal(held.begin(), held.end(), vemf::kSignature.begin(), vemf::kSignature.end())) {
    // Whatever the probe reads stays with the job, should it not be a stream.
    vemf::ChannelSource source(p_.jobs, *channel);
    vemf::KeepingSource keeping(source);
    vemf::RecordReader reader;
    if (reader.Next(keeping) && reader.record().type() == vemf::rec::StreamHeader)
      return PlayVemf(job, reader, reader.record());
    held.insert(held.end(), keeping.kept().begin(), keeping.kept().end());
  }
  return PassThrough(job, std::move(held));
}

}  // namespace emfplay
