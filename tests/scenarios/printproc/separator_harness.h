// The processor with its real separator pages on the simulated machine: the
// printer "BRV-2100" on "LPT1:" of "PC01", Windows 98 unless a test says
// otherwise, and a job by "anna" named "Report" submitted at 14:30:05 UTC on
// 17 March 2026. The job-finishing playback is recorded, as in the
// processor's own scenarios.
#pragma once
#include "builtin_assets.h"
#include "processor_harness.h"
#include "separator/separator_printer.h"
#include "wmf_writer.h"

struct SeparatorScenario {
  SeparatorScenario() {
    world.jobs.AddPrinter({kPrinter, kPort});
    world.host.SetComputerName("PC01");
  }

  emfplay::DocumentData AddJob(std::string datatype, std::vector<std::uint8_t> data, std::string separator,
                               std::string machine = "\\\\PC01") {
    sim::print::SimJob job;
    job.record.jobId = 7;
    job.record.printerName = kPrinter;
    job.record.machineName = std::move(machine);
    job.record.userName = "anna";
    job.record.document = documentName;
    job.record.datatype = datatype;
    job.record.submitted = {2026, 3, 2, 17, 14, 30, 5, 0};
    job.data = std::move(data);
    world.jobs.AddJob(job);
    emfplay::DocumentData doc;
    doc.datatype = std::move(datatype);
    doc.document = "Report";
    doc.jobId = 7;
    doc.spoolStream = 0x5500;
    doc.separatorFile = std::move(separator);
    return doc;
  }

  plat::print::Status Print(const emfplay::DocumentData& doc) {
    auto id = processor.Open(kPrinter);
    EXPECT_TRUE(id.ok());
    if (!id.ok()) return id.error();
    opened = *id;
    auto result = processor.PrintDocument(*id, doc);
    EXPECT_TRUE(processor.Close(*id).ok());
    EXPECT_EQ(world.jobs.OpenHandles(), 0u) << "every printer opened is closed";
    EXPECT_EQ(world.files.OpenFiles(), 0u) << "every file opened is closed";
    EXPECT_EQ(world.gdi.LiveDcs(), 0u) << "every device context is deleted";
    EXPECT_EQ(world.gdi.LiveObjects(), 0u) << "every object and metafile is deleted";
    EXPECT_TRUE(world.gdi.Problems().empty()) << world.gdi.Problems().front();
    return result;
  }

  std::vector<std::string> Lines() const { return world.journal.Lines(); }
  // The lines that contain `part`.
  std::vector<std::string> LinesWith(std::string_view part) const {
    std::vector<std::string> out;
    for (const auto& l : Lines())
      if (l.find(part) != std::string::npos) out.push_back(l);
    return out;
  }
  bool Has(std::string_view line) const {
    const auto lines = Lines();
    return std::find(lines.begin(), lines.end(), line) != lines.end();
  }
  std::size_t IndexOf(std::string_view prefix) const {
    const auto lines = Lines();
    for (std::size_t i = 0; i < lines.size(); ++i)
      if (lines[i].rfind(prefix, 0) == 0) return i;
    return lines.size();
  }

  std::string documentName = "Report";
  emfplay::PrintProcessor::ProcessorId opened = 0;  // while a document prints  // as the spooler's job record has it
  sim::print::PrintWorld world;
  wmf::BuiltInAssets assets;
  RecordingFinisher finisher{world.journal};
  emfplay::separator::SeparatorPrinter separators{world.platform(), assets.assets(), finisher};
  emfplay::PrintProcessor processor{world.platform(), {"Simple", "Full"}, separators, finisher};
};

// A small picture with a heading and the three placeholders, one of them in
// an extended text record with a clipping rectangle.
inline std::vector<std::uint8_t> PlaceholderMetafile() {
  wmf::WmfWriter w;
  const auto font = w.CreateFont(-200, 400, "Arial");
  w.SelectObject(font).TextOut(100, 100, "Heading").TextOut(100, 400, "%1%").TextOut(100, 700, "%2%");
  const std::int16_t clip[] = {100, 1000, 2000, 1300};
  w.ExtTextOut(100, 1000, "%3%", clip).TextOut(100, 1300, "%4%");
  w.DeleteObject(font);
  return w.Finish();
}

// A placeable metafile file: the 22-byte header with the bounding box, then
// the metafile.
inline std::vector<std::uint8_t> Placeable(std::vector<std::uint8_t> metafile, std::int16_t left, std::int16_t top,
                                           std::int16_t right, std::int16_t bottom) {
  std::vector<std::uint8_t> out = {0xD7, 0xCD, 0xC6, 0x9A, 0, 0};
  for (const std::int16_t v : {left, top, right, bottom}) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(static_cast<std::uint16_t>(v) >> 8));
  }
  out.insert(out.end(), {0xE8, 0x03, 0, 0, 0, 0, 0, 0});  // 1000 units an inch, reserved, checksum
  out.insert(out.end(), metafile.begin(), metafile.end());
  return out;
}

// A clipboard file with one entry: a metafile picture in `mapMode` with the
// given extents.
inline std::vector<std::uint8_t> Clipboard(std::vector<std::uint8_t> metafile, std::uint32_t mapMode,
                                           std::int32_t extX, std::int32_t extY) {
  auto put16 = [](std::vector<std::uint8_t>& v, std::uint16_t x) {
    v.push_back(static_cast<std::uint8_t>(x));
    v.push_back(static_cast<std::uint8_t>(x >> 8));
  };
  auto put32 = [&](std::vector<std::uint8_t>& v, std::uint32_t x) {
    put16(v, static_cast<std::uint16_t>(x));
    put16(v, static_cast<std::uint16_t>(x >> 16));
  };
  std::vector<std::uint8_t> out;
  put16(out, 50000);
  put16(out, 1);
  put16(out, 3);  // CF_METAFILEPICT
  put32(out, static_cast<std::uint32_t>(16 + metafile.size()));
  put32(out, 4 + 89);
  out.resize(4 + 89, 0);
  put32(out, mapMode);
  put32(out, static_cast<std::uint32_t>(extX));
  put32(out, static_cast<std::uint32_t>(extY));
  put32(out, 0);
  out.insert(out.end(), metafile.begin(), metafile.end());
  return out;
}
