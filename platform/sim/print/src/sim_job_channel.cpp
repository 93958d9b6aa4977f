#include "simprint/sim_job_channel.h"

#include <algorithm>
#include <cstring>

#include "platform/text.h"
#include "platform/win_errors.h"

namespace sim::print {

namespace pp = plat::print;
using plat::Handle;

void SimJobChannel::AddPrinter(SimPrinter printer) { printers_.push_back(std::move(printer)); }

void SimJobChannel::AddJob(SimJob job) {
  const std::uint32_t id = job.record.jobId;
  jobs_[id] = std::move(job);
}

int SimJobChannel::ReadChannelsStarted(std::uint32_t jobId) const {
  const auto it = readStarts_.find(jobId);
  return it == readStarts_.end() ? 0 : it->second;
}

const SimPrinter* SimJobChannel::FindPrinter(std::string_view name) const {
  for (const auto& p : printers_)
    if (text::IEquals(p.name, name)) return &p;
  return nullptr;
}

SimJobChannel::OpenPrinterState* SimJobChannel::Begin(std::string_view name, Handle printer, const std::string& args,
                                                      std::string* line, pp::Error* failure) {
  const auto it = open_.find(printer);
  *line = std::string(name) + "(" + (it == open_.end() ? "handle?" : it->second.label) +
          (args.empty() ? "" : ", " + args) + ")";
  if (const auto fault = journal_.FaultFor(name)) {
    journal_.Add(*line + " -> fails " + winerr::Name(fault->code()));
    *failure = *fault;
    return nullptr;
  }
  if (it == open_.end()) {
    journal_.Add(*line + " -> invalid handle");
    *failure = pp::Error(winerr::InvalidHandle);
    return nullptr;
  }
  return &it->second;
}

SimJobChannel::Result<Handle> SimJobChannel::OpenPrinter(std::string_view name) {
  const std::string line = "OpenPrinter(" + Quote(name) + ")";
  if (const auto fault = journal_.FaultFor("OpenPrinter")) {
    journal_.Add(line + " -> fails " + winerr::Name(fault->code()));
    return *fault;
  }
  const SimPrinter* p = FindPrinter(name);
  if (!p) {
    journal_.Add(line + " -> fails " + winerr::Name(winerr::InvalidPrinterName));
    return pp::Error(winerr::InvalidPrinterName);
  }
  const Handle h = next_++;
  OpenPrinterState state;
  state.printer = p->name;
  state.label = "printer" + std::to_string(h - 0xff);
  open_.emplace(h, state);
  journal_.Add(line + " -> " + state.label);
  return h;
}

SimJobChannel::Status SimJobChannel::ClosePrinter(Handle printer) {
  std::string line;
  pp::Error failure(0);
  OpenPrinterState* s = Begin("ClosePrinter", printer, "", &line, &failure);
  if (!s) return failure;
  journal_.Add(line);
  open_.erase(printer);
  return pp::Ok();
}

SimJobChannel::Result<std::string> SimJobChannel::PrinterPort(Handle printer) {
  std::string line;
  pp::Error failure(0);
  OpenPrinterState* s = Begin("GetPrinter2", printer, "", &line, &failure);
  if (!s) return failure;
  const SimPrinter* p = FindPrinter(s->printer);
  const std::string port = p ? p->port : std::string();
  journal_.Add(line + " -> port " + Quote(std::string_view(port)));
  return port;
}

SimJobChannel::Result<pp::JobRecord1> SimJobChannel::GetJob1(Handle printer, std::uint32_t jobId) {
  std::string line;
  pp::Error failure(0);
  if (!Begin("GetJob1", printer, std::to_string(jobId), &line, &failure)) return failure;
  const auto it = jobs_.find(jobId);
  if (it == jobs_.end()) {
    journal_.Add(line + " -> fails " + winerr::Name(winerr::InvalidParameter));
    return pp::Error(winerr::InvalidParameter);
  }
  const pp::JobRecord2& r = it->second.record;
  journal_.Add(line + " -> machine " + Quote(std::string_view(r.machineName)));
  return pp::JobRecord1{r.jobId, r.printerName, r.machineName, r.userName, r.document, r.datatype, r.status};
}

SimJobChannel::Result<pp::JobRecord2> SimJobChannel::GetJob2(Handle printer, std::uint32_t jobId) {
  std::string line;
  pp::Error failure(0);
  if (!Begin("GetJob2", printer, std::to_string(jobId), &line, &failure)) return failure;
  const auto it = jobs_.find(jobId);
  if (it == jobs_.end()) {
    journal_.Add(line + " -> fails " + winerr::Name(winerr::InvalidParameter));
    return pp::Error(winerr::InvalidParameter);
  }
  journal_.Add(line + " -> printer " + Quote(std::string_view(it->second.record.printerName)));
  return it->second.record;
}

SimJobChannel::Result<std::uint32_t> SimJobChannel::StartDoc(Handle printer, const pp::DocInfo2& doc) {
  std::string line;
  pp::Error failure(0);
  OpenPrinterState* s =
      Begin("StartDocPrinter", printer,
            Quote(std::string_view(doc.document)) + ", " + Quote(doc.outputFile) + ", " +
                Quote(std::string_view(doc.datatype)) + ", mode " + std::to_string(doc.mode) + ", job " +
                std::to_string(doc.jobId),
            &line, &failure);
  if (!s) return failure;
  if (s->channel != OpenPrinterState::Channel::None) {
    journal_.Add(line + " -> fails: a document is open");
    return pp::Error(winerr::InvalidParameter);
  }
  if (doc.mode == pp::kDocModeReadSpooledJob) {
    if (!jobs_.count(doc.jobId)) {
      journal_.Add(line + " -> fails " + winerr::Name(winerr::InvalidParameter));
      return pp::Error(winerr::InvalidParameter);
    }
    s->channel = OpenPrinterState::Channel::Read;
    s->jobId = doc.jobId;
    s->readAt = 0;
    ++readStarts_[doc.jobId];
    journal_.Add(line + " -> " + std::to_string(doc.jobId));
    return doc.jobId;
  }
  s->channel = OpenPrinterState::Channel::Write;
  s->written = written_.size();
  written_.push_back(WrittenDocument{s->printer, doc, {}, 0, false});
  const auto id = static_cast<std::uint32_t>(1000 + written_.size());
  journal_.Add(line + " -> " + std::to_string(id));
  return id;
}

SimJobChannel::Status SimJobChannel::EndDoc(Handle printer) {
  std::string line;
  pp::Error failure(0);
  OpenPrinterState* s = Begin("EndDocPrinter", printer, "", &line, &failure);
  if (!s) return failure;
  if (s->channel == OpenPrinterState::Channel::None) {
    journal_.Add(line + " -> fails: no document");
    return pp::Error(winerr::InvalidParameter);
  }
  if (s->channel == OpenPrinterState::Channel::Write) written_[s->written].ended = true;
  s->channel = OpenPrinterState::Channel::None;
  journal_.Add(line);
  return pp::Ok();
}

SimJobChannel::Status SimJobChannel::StartPage(Handle printer) {
  std::string line;
  pp::Error failure(0);
  OpenPrinterState* s = Begin("StartPagePrinter", printer, "", &line, &failure);
  if (!s) return failure;
  if (s->channel != OpenPrinterState::Channel::Write) {
    journal_.Add(line + " -> fails: no document");
    return pp::Error(winerr::InvalidParameter);
  }
  ++written_[s->written].pages;
  journal_.Add(line);
  return pp::Ok();
}

SimJobChannel::Status SimJobChannel::EndPage(Handle printer) {
  std::string line;
  pp::Error failure(0);
  if (!Begin("EndPagePrinter", printer, "", &line, &failure)) return failure;
  journal_.Add(line);
  return pp::Ok();
}

SimJobChannel::Result<std::size_t> SimJobChannel::Read(Handle printer, std::span<std::uint8_t> into) {
  std::string line;
  pp::Error failure(0);
  OpenPrinterState* s = Begin("ReadPrinter", printer, std::to_string(into.size()), &line, &failure);
  if (!s) return failure;
  if (s->channel != OpenPrinterState::Channel::Read) {
    journal_.Add(line + " -> fails: no job to read");
    return pp::Error(winerr::InvalidHandle);
  }
  const std::vector<std::uint8_t>& data = jobs_[s->jobId].data;
  std::size_t n = std::min(into.size(), data.size() - s->readAt);
  if (!readPattern_.empty()) {
    const std::size_t limit = readPattern_[readCount_++ % readPattern_.size()];
    if (limit != 0) n = std::min(n, limit);
  }
  if (n) std::memcpy(into.data(), data.data() + s->readAt, n);
  s->readAt += n;
  journal_.Add(line + " -> " + std::to_string(n));
  return n;
}

SimJobChannel::Result<std::size_t> SimJobChannel::Write(Handle printer, std::span<const std::uint8_t> data) {
  std::string line;
  pp::Error failure(0);
  OpenPrinterState* s = Begin("WritePrinter", printer, std::to_string(data.size()), &line, &failure);
  if (!s) return failure;
  if (s->channel != OpenPrinterState::Channel::Write) {
    journal_.Add(line + " -> fails: no document");
    return pp::Error(winerr::InvalidParameter);
  }
  auto& out = written_[s->written].data;
  out.insert(out.end(), data.begin(), data.end());
  journal_.Add(line + " -> " + std::to_string(data.size()));
  return data.size();
}

}  // namespace sim::print
