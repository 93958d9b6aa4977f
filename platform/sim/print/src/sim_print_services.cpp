#include "simprint/sim_print_services.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "platform/text.h"
#include "platform/win_errors.h"

namespace sim::print {

namespace pp = plat::print;
using plat::Handle;

// --- spool-stream player

pp::Result<pp::PlayStep> SimSpoolPlayer::Play(std::string_view printer, std::optional<std::string_view> outputFile,
                                              std::span<const std::uint8_t> data, std::uint32_t jobId,
                                              std::uint32_t previousState) {
  const std::string line = "gdiPlaySpoolStream(" + Quote(printer) + ", " + Quote(outputFile) + ", " +
                           std::to_string(data.size()) + " bytes, job " + std::to_string(jobId) + ", state " +
                           std::to_string(previousState) + ")";
  if (const auto fault = journal_.FaultFor("gdiPlaySpoolStream")) {
    journal_.Add(line + " -> fails " + winerr::Name(fault->code()));
    return *fault;
  }
  std::uint32_t take = static_cast<std::uint32_t>(data.size());
  if (takeAtMost_ != 0) take = std::min(take, takeAtMost_);
  take = take > leave_ ? take - leave_ : 0;
  played_.insert(played_.end(), data.begin(), data.begin() + take);
  const std::uint32_t claimed = take + std::exchange(overclaim_, 0);
  if (claimed > data.size()) {
    journal_.Add(line + " -> claims " + std::to_string(claimed) + " bytes");
    return pp::Error(0);
  }
  state_ = state_ + 1;
  journal_.Add(line + " -> took " + std::to_string(take));
  return pp::PlayStep{state_, take};
}

pp::Status SimSpoolPlayer::Abandon(Handle spoolStream, std::uint32_t previousState) {
  const std::string line = "gdiPlaySpoolStream(abandon stream " + std::to_string(spoolStream) + ", state " +
                           std::to_string(previousState) + ")";
  if (const auto fault = journal_.FaultFor("gdiPlaySpoolStream.abandon")) {
    journal_.Add(line + " -> fails " + winerr::Name(fault->code()));
    return *fault;
  }
  journal_.Add(line);
  return pp::Ok();
}

// --- host

pp::Result<std::string> SimPrintHost::ComputerName() {
  if (!computerName_) return pp::Error(winerr::FileNotFound);
  return *computerName_;
}

pp::Status SimPrintHost::StartProgram(std::string_view commandLine, std::uint32_t showCommand) {
  const std::string line = "WinExec(" + Quote(commandLine) + ", " + std::to_string(showCommand) + ")";
  if (const auto fault = journal_.FaultFor("WinExec")) {
    journal_.Add(line + " -> fails " + winerr::Name(fault->code()));
    return *fault;
  }
  journal_.Add(line);
  return pp::Ok();
}

void SimPrintHost::DebugTrace(std::string_view line) { journal_.Add("OutputDebugString(" + Quote(line) + ")"); }

pp::Result<pp::WindowsVersion> SimPrintHost::Version() {
  if (const auto fault = journal_.FaultFor("GetVersionEx")) {
    journal_.Add("GetVersionEx() -> fails " + winerr::Name(fault->code()));
    return *fault;
  }
  journal_.Add("GetVersionEx() -> " + std::to_string(version_.major) + "." + std::to_string(version_.minor));
  return version_;
}

namespace {

// Days since 1970-01-01 of a civil date, and back (proleptic Gregorian).
std::int64_t DaysFromCivil(std::int64_t y, unsigned m, unsigned d) {
  y -= m <= 2;
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const auto yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

void CivilFromDays(std::int64_t z, std::int64_t* y, unsigned* m, unsigned* d) {
  z += 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const auto doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  *d = doy - (153 * mp + 2) / 5 + 1;
  *m = mp < 10 ? mp + 3 : mp - 9;
  *y = static_cast<std::int64_t>(yoe) + era * 400 + (*m <= 2);
}

bool ValidTime(const pp::SystemTime& t) {
  return t.month >= 1 && t.month <= 12 && t.day >= 1 && t.day <= 31 && t.hour < 24 && t.minute < 60 &&
         t.second < 60;
}

constexpr const char* kDayNames[] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
constexpr const char* kMonthNames[] = {"January", "February", "March",     "April",   "May",      "June",
                                       "July",    "August",   "September", "October", "November", "December"};

}  // namespace

pp::Result<pp::SystemTime> SimPrintHost::ToLocalTime(const pp::SystemTime& utc) {
  if (!ValidTime(utc)) return pp::Error(winerr::InvalidParameter);
  const std::int64_t minutes = DaysFromCivil(utc.year, utc.month, utc.day) * 1440 + utc.hour * 60 + utc.minute +
                               utcOffsetMinutes_;
  const std::int64_t days = (minutes >= 0 ? minutes : minutes - 1439) / 1440;
  const std::int64_t inDay = minutes - days * 1440;
  std::int64_t y = 0;
  unsigned m = 0, d = 0;
  CivilFromDays(days, &y, &m, &d);
  pp::SystemTime local = utc;
  local.year = static_cast<std::uint16_t>(y);
  local.month = static_cast<std::uint16_t>(m);
  local.day = static_cast<std::uint16_t>(d);
  local.dayOfWeek = static_cast<std::uint16_t>(((days % 7) + 11) % 7);  // 1970-01-01 was a Thursday
  local.hour = static_cast<std::uint16_t>(inDay / 60);
  local.minute = static_cast<std::uint16_t>(inDay % 60);
  return local;
}

pp::Result<std::string> SimPrintHost::LongDate(const pp::SystemTime& t) {
  if (const auto fault = journal_.FaultFor("GetDateFormat")) {
    journal_.Add("GetDateFormat() -> fails " + winerr::Name(fault->code()));
    return *fault;
  }
  if (!ValidTime(t)) return pp::Error(winerr::InvalidParameter);
  const auto days = DaysFromCivil(t.year, t.month, t.day);
  char buf[64];
  std::snprintf(buf, sizeof buf, "%s, %s %02u, %04u", kDayNames[((days % 7) + 11) % 7], kMonthNames[t.month - 1],
                static_cast<unsigned>(t.day), static_cast<unsigned>(t.year));
  return std::string(buf);
}

pp::Result<std::string> SimPrintHost::TimeOfDay(const pp::SystemTime& t) {
  if (const auto fault = journal_.FaultFor("GetTimeFormat")) {
    journal_.Add("GetTimeFormat() -> fails " + winerr::Name(fault->code()));
    return *fault;
  }
  if (!ValidTime(t)) return pp::Error(winerr::InvalidParameter);
  const unsigned hour12 = t.hour % 12 == 0 ? 12u : t.hour % 12u;
  char buf[32];
  std::snprintf(buf, sizeof buf, "%u:%02u:%02u %s", hour12, static_cast<unsigned>(t.minute),
                static_cast<unsigned>(t.second), t.hour < 12 ? "AM" : "PM");
  return std::string(buf);
}

// --- events

void SimEvents::SetBlockHook(BlockHook hook) {
  std::lock_guard lock(mutex_);
  hook_ = std::move(hook);
}

int SimEvents::BlockedWaits() const {
  std::lock_guard lock(mutex_);
  return blocked_;
}

std::size_t SimEvents::OpenEvents() const {
  std::lock_guard lock(mutex_);
  return events_.size();
}

std::shared_ptr<SimEvents::Event> SimEvents::Find(Handle h) const {
  const auto it = events_.find(h);
  return it == events_.end() ? nullptr : it->second;
}

pp::Result<Handle> SimEvents::CreateAutoReset(bool signalled) {
  std::lock_guard lock(mutex_);
  const Handle h = next_++;
  auto e = std::make_shared<Event>();
  e->signalled = signalled;
  events_.emplace(h, std::move(e));
  return h;
}

pp::Status SimEvents::Set(Handle event) {
  std::lock_guard lock(mutex_);
  const auto e = Find(event);
  if (!e) return pp::Error(winerr::InvalidHandle);
  e->signalled = true;
  e->cv.notify_one();
  return pp::Ok();
}

pp::Status SimEvents::Reset(Handle event) {
  std::lock_guard lock(mutex_);
  const auto e = Find(event);
  if (!e) return pp::Error(winerr::InvalidHandle);
  e->signalled = false;
  return pp::Ok();
}

pp::Status SimEvents::Wait(Handle event) {
  std::unique_lock lock(mutex_);
  const auto e = Find(event);
  if (!e) return pp::Error(winerr::InvalidHandle);
  if (!e->signalled) {
    ++blocked_;
    BlockHook hook = hook_;
    if (hook) {
      lock.unlock();
      hook(event);
      lock.lock();
    }
    e->cv.wait(lock, [&] { return e->signalled; });
  }
  e->signalled = false;
  return pp::Ok();
}

void SimEvents::Close(Handle event) {
  std::lock_guard lock(mutex_);
  events_.erase(event);
}

// --- byte files

std::string SimByteFiles::KeyOf(std::string_view path) const { return text::Fold(path); }

void SimByteFiles::Put(std::string path, std::vector<std::uint8_t> content) {
  files_[KeyOf(path)] = std::move(content);
}

const std::vector<std::uint8_t>* SimByteFiles::Content(std::string_view path) const {
  const auto it = files_.find(KeyOf(path));
  return it == files_.end() ? nullptr : &it->second;
}

pp::Result<Handle> SimByteFiles::CreateForWriting(std::string_view path) {
  const std::string line = "CreateFile(" + Quote(path) + ", write)";
  if (const auto fault = journal_.FaultFor("CreateFile")) {
    journal_.Add(line + " -> fails " + winerr::Name(fault->code()));
    return *fault;
  }
  files_[KeyOf(path)].clear();
  const Handle h = next_++;
  open_[h] = OpenFile{KeyOf(path), 0, true};
  journal_.Add(line + " -> file" + std::to_string(h - 0x6ff));
  return h;
}

pp::Result<Handle> SimByteFiles::OpenForReading(std::string_view path) {
  const std::string line = "CreateFile(" + Quote(path) + ", read)";
  if (const auto fault = journal_.FaultFor("CreateFile")) {
    journal_.Add(line + " -> fails " + winerr::Name(fault->code()));
    return *fault;
  }
  if (!files_.count(KeyOf(path))) {
    journal_.Add(line + " -> fails " + winerr::Name(winerr::FileNotFound));
    return pp::Error(winerr::FileNotFound);
  }
  const Handle h = next_++;
  open_[h] = OpenFile{KeyOf(path), 0, false};
  journal_.Add(line + " -> file" + std::to_string(h - 0x6ff));
  return h;
}

pp::Result<std::size_t> SimByteFiles::Read(Handle file, std::span<std::uint8_t> into) {
  const auto it = open_.find(file);
  if (it == open_.end()) return pp::Error(winerr::InvalidHandle);
  const auto& content = files_[it->second.path];
  const std::size_t at = std::min(it->second.at, content.size());
  const std::size_t n = std::min(into.size(), content.size() - at);
  if (n) std::memcpy(into.data(), content.data() + at, n);
  it->second.at = at + n;
  return n;
}

pp::Result<std::size_t> SimByteFiles::Write(Handle file, std::span<const std::uint8_t> data) {
  const auto it = open_.find(file);
  if (it == open_.end() || !it->second.writing) return pp::Error(winerr::InvalidHandle);
  if (const auto fault = journal_.FaultFor("WriteFile")) {
    journal_.Add("WriteFile(" + std::to_string(data.size()) + ") -> fails " + winerr::Name(fault->code()));
    return *fault;
  }
  auto& content = files_[it->second.path];
  if (content.size() < it->second.at) content.resize(it->second.at);
  const std::size_t overlap = std::min(data.size(), content.size() - it->second.at);
  std::copy(data.begin(), data.begin() + overlap, content.begin() + it->second.at);
  content.insert(content.end(), data.begin() + overlap, data.end());
  it->second.at += data.size();
  return data.size();
}

pp::Status SimByteFiles::Seek(Handle file, std::uint32_t offset) {
  const auto it = open_.find(file);
  if (it == open_.end()) return pp::Error(winerr::InvalidHandle);
  it->second.at = offset;
  return pp::Ok();
}

void SimByteFiles::Close(Handle file) {
  if (open_.erase(file)) journal_.Add("CloseHandle(file" + std::to_string(file - 0x6ff) + ")");
}

pp::Result<std::string> SimByteFiles::MakeTempFile(std::string_view prefix) {
  const std::string line = "GetTempFileName(" + Quote(prefix) + ")";
  if (const auto fault = journal_.FaultFor("GetTempFileName")) {
    journal_.Add(line + " -> fails " + winerr::Name(fault->code()));
    return *fault;
  }
  char number[16];
  std::snprintf(number, sizeof number, "%X", static_cast<unsigned>(nextTemp_++));
  std::string path = "C:\\WINDOWS\\TEMP\\" + std::string(prefix.substr(0, 3)) + number + ".TMP";
  files_[KeyOf(path)].clear();
  journal_.Add(line + " -> " + Quote(std::string_view(path)));
  return path;
}

pp::Status SimByteFiles::Delete(std::string_view path) {
  const std::string line = "DeleteFile(" + Quote(path) + ")";
  if (const auto fault = journal_.FaultFor("DeleteFile")) {
    journal_.Add(line + " -> fails " + winerr::Name(fault->code()));
    return *fault;
  }
  for (const auto& [h, f] : open_) {
    if (f.path == KeyOf(path)) {
      journal_.Add(line + " -> fails " + winerr::Name(winerr::SharingViolation));
      return pp::Error(winerr::SharingViolation);
    }
  }
  if (!files_.erase(KeyOf(path))) {
    journal_.Add(line + " -> fails " + winerr::Name(winerr::FileNotFound));
    return pp::Error(winerr::FileNotFound);
  }
  journal_.Add(line);
  return pp::Ok();
}

}  // namespace sim::print
