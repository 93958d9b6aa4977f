#include "finishing/translator.h"

#include <array>
#include <cstring>

#include "finishing/run_state.h"
#include "playback/vemf_format.h"

namespace finishing {

namespace {

// What happens around a record's command besides passing the record on.
enum class Kind : std::uint8_t {
  None,      // not translated
  Plain,     // the record as it is
  Makes,     // the output handle goes into the object table
  MakesPen,  // the output handle becomes the extended pen
  Select,    // the object number becomes the library's handle
  Delete,    // the same, and the entry leaves the table
  Uses,      // the object number becomes the table's handle
};

struct Entry {
  std::uint32_t command = 0;
  Kind kind = Kind::None;
};

constexpr std::size_t kTypes = 116;

constexpr std::array<Entry, kTypes> MakeTable() {
  std::array<Entry, kTypes> t{};
  const std::pair<std::uint32_t, std::uint32_t> plain[] = {
      {2, 47},  {3, 49},  {4, 48},  {5, 25},  {6, 26},  {7, 51},  {13, 20}, {15, 58}, {18, 10}, {19, 14},
      {20, 15}, {21, 36}, {22, 39}, {23, 12}, {24, 40}, {25, 11}, {27, 24}, {33, 44}, {34, 45}, {42, 55},
      {43, 56}, {44, 57}, {45, 52}, {46, 53}, {47, 54}, {54, 46}, {57, 50}, {58, 13}, {59, 21}, {60, 22},
      {61, 23}, {62, 27}, {63, 29}, {64, 28}, {67, 32}, {75, 30}, {76, 34}, {81, 37}, {84, 41}, {85, 66},
      {86, 64}, {87, 63}, {88, 65}, {89, 62}, {90, 61}, {108, 35}};
  for (const auto& [type, command] : plain) t[type] = {command, Kind::Plain};
  t[38] = {16, Kind::Makes};
  t[39] = {18, Kind::Makes};
  t[82] = {38, Kind::Makes};
  t[94] = {19, Kind::Makes};
  t[95] = {17, Kind::MakesPen};
  t[37] = {cmd::Select, Kind::Select};
  t[40] = {cmd::Delete, Kind::Delete};
  t[111] = {42, Kind::Uses};
  return t;
}

constexpr std::array<Entry, kTypes> kTable = MakeTable();

constexpr std::size_t kObjectField = 8;

Entry EntryFor(std::uint32_t type) { return type < kTypes ? kTable[type] : Entry{}; }

}  // namespace

std::optional<std::uint32_t> CommandFor(std::uint32_t recordType) {
  const Entry e = EntryFor(recordType);
  if (e.kind == Kind::None) return std::nullopt;
  return e.command;
}

bool Translator::runOpen() const { return (flags_ & kRunStarted) != 0; }
bool Translator::pageOpen() const { return (flags_ & kPageOpen) != 0; }

bool Translator::Send(std::uint32_t command, std::span<std::uint8_t> data, std::uint32_t* output) {
  return library_.LgMain(command, data, output, context_) != 0;
}

bool Translator::SendEmpty(std::uint32_t command) {
  std::array<std::uint8_t, 8> block = {0, 0, 0, 0, 8, 0, 0, 0};
  return Send(command, block);
}

void Translator::ForgetObjects() {
  static_cast<void>(objects_.TakeAll());  // the library's handles die with its page
  penNumber_.reset();
  penHandle_ = 0;
}

void Translator::EndPage() {
  if (!pageOpen()) return;
  static_cast<void>(SendEmpty(cmd::EndPage));  // the page is over whatever the library says
  flags_ &= ~kPageOpen;
  ForgetObjects();
}

void Translator::StartPage(std::span<const std::uint8_t> pageRecord) {
  copy_.assign(pageRecord.begin(), pageRecord.end());
  flags_ |= kPageOpen;
  static_cast<void>(Send(cmd::StartPage, copy_));  // a refused page start still needs its end
}

void Translator::CloseRun(std::optional<std::span<std::uint8_t>> endRecord) {
  if (!runOpen()) return;
  static_cast<void>(SendEmpty(cmd::EndDocument));  // the run closes next in any case
  std::array<std::uint8_t, 8> block = {0, 0, 0, 0, 8, 0, 0, 0};
  static_cast<void>(Send(cmd::CloseRun, endRecord ? *endRecord : std::span<std::uint8_t>(block)));
  flags_ &= ~kRunStarted;
}

void Translator::Record(std::span<const std::uint8_t> record) {
  const vemf::RecordView view(record);
  const std::uint32_t type = view.type();
  if (type == vemf::rec::StartPage) {
    EndPage();
    StartPage(record);
    return;
  }
  if (type == vemf::rec::EndOfDocument) {
    EndPage();
    copy_.assign(record.begin(), record.end());
    CloseRun(copy_);
    return;
  }
  if (!runOpen()) return;
  const Entry entry = EntryFor(type);
  if (entry.kind == Kind::None) return;

  const bool numbered = entry.kind != Kind::Plain;
  if (numbered && !view.Has(kObjectField, 4)) return;  // no object number to read
  const std::uint32_t number = numbered ? view.U32(kObjectField) : 0;
  copy_.assign(record.begin(), record.end());
  auto replaceNumber = [&](std::uint32_t handle) { std::memcpy(&copy_[kObjectField], &handle, 4); };

  switch (entry.kind) {
    case Kind::Plain:
      static_cast<void>(Send(entry.command, copy_));  // a drawing the library refuses is left out
      return;
    case Kind::Makes: {
      std::uint32_t made = 0;
      if (Send(entry.command, copy_, &made)) objects_.Add(number, made);
      return;
    }
    case Kind::MakesPen: {
      std::uint32_t made = 0;
      if (Send(entry.command, copy_, &made)) {
        penNumber_ = number;
        penHandle_ = made;
      }
      return;
    }
    case Kind::Select: {
      std::optional<std::uint32_t> handle;
      if (penNumber_ == number) handle = penHandle_;
      else if (auto h = objects_.Find(number)) handle = static_cast<std::uint32_t>(*h);
      if (!handle) return;  // an object never made selects nothing
      replaceNumber(*handle);
      static_cast<void>(Send(entry.command, copy_));
      return;
    }
    case Kind::Delete: {
      const auto handle = objects_.Remove(number);
      if (!handle) return;
      replaceNumber(static_cast<std::uint32_t>(*handle));
      static_cast<void>(Send(entry.command, copy_));
      return;
    }
    case Kind::Uses: {
      const auto handle = objects_.Find(number);
      if (!handle) return;
      replaceNumber(static_cast<std::uint32_t>(*handle));
      static_cast<void>(Send(entry.command, copy_));
      return;
    }
    case Kind::None:
      return;
  }
}

}  // namespace finishing
