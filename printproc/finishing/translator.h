// Turns "VEMF" records into LGMain commands of the job-finishing library and
// keeps what the commands make: the library's object handles by the
// records' object numbers, its extended pen, and the run and page bits in
// the processor handle.
#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "platform/print/maker_libraries.h"
#include "playback/object_table.h"
#include "playback/record_view.h"

namespace finishing {

class Translator {
 public:
  // `flags` and `context` are the handle's finisher fields.
  Translator(plat::print::JobFinishingLibrary& library, std::uint32_t& flags, std::uint32_t& context)
      : library_(library), flags_(flags), context_(context) {}

  // LGMain with `data`; true when it answered non-zero.
  bool Send(std::uint32_t command, std::span<std::uint8_t> data, std::uint32_t* output = nullptr);
  // The 8-byte block {0, 8} that several commands take.
  bool SendEmpty(std::uint32_t command);

  // One record. Records that the table does not name are ignored; apart
  // from page starts and the end, records are sent only while the run is
  // open.
  void Record(std::span<const std::uint8_t> record);
  // A page start the document-output library gives: the page opens with it.
  void StartPage(std::span<const std::uint8_t> pageRecord);
  // Ends an open page; the page's objects are forgotten with it.
  void EndPage();
  // Ends the document and the run (5, then 2 with `endRecord`, or with the
  // block {0, 8} when there is none).
  void CloseRun(std::optional<std::span<std::uint8_t>> endRecord = std::nullopt);
  void ForgetObjects();

  bool runOpen() const;
  bool pageOpen() const;

 private:
  plat::print::JobFinishingLibrary& library_;
  std::uint32_t& flags_;
  std::uint32_t& context_;
  vemf::ObjectTable objects_;
  std::optional<std::uint32_t> penNumber_;
  std::uint32_t penHandle_ = 0;
  std::vector<std::uint8_t> copy_;  // the record as the library is given it
};

// The command a record type translates to, if any.
std::optional<std::uint32_t> CommandFor(std::uint32_t recordType);

}  // namespace finishing
