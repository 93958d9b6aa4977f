#include "simprint/call_journal.h"

#include <cstdio>

namespace sim::print {

std::size_t CallJournal::Add(std::string line) {
  Hook hook;
  std::size_t number = 0;
  {
    std::lock_guard lock(mutex_);
    lines_.push_back(std::move(line));
    number = lines_.size();
    hook = hook_;
  }
  if (hook) hook(number, Lines()[number - 1]);
  return number;
}

std::vector<std::string> CallJournal::Lines() const {
  std::lock_guard lock(mutex_);
  return lines_;
}

std::size_t CallJournal::Size() const {
  std::lock_guard lock(mutex_);
  return lines_.size();
}

void CallJournal::SetHook(Hook hook) {
  std::lock_guard lock(mutex_);
  hook_ = std::move(hook);
}

void CallJournal::Fail(std::string call, std::uint32_t code, int times, int skip) {
  std::lock_guard lock(mutex_);
  faults_[std::move(call)] = Fault{code, times, skip};
}

std::optional<plat::print::Error> CallJournal::FaultFor(std::string_view call) {
  std::lock_guard lock(mutex_);
  const auto it = faults_.find(call);
  if (it == faults_.end()) return std::nullopt;
  Fault& f = it->second;
  if (f.skip > 0) {
    --f.skip;
    return std::nullopt;
  }
  if (f.times == 0) return std::nullopt;
  if (f.times > 0) --f.times;
  return plat::print::Error(f.code);
}

std::string Quote(std::string_view s) {
  std::string out = "\"";
  for (const char c : s) {
    const auto u = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (u < 0x20 || u >= 0x7f) {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\x%02x", u);
      out += buf;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

std::string Quote(const std::optional<std::string>& s) { return s ? Quote(std::string_view(*s)) : "null"; }
std::string Quote(std::optional<std::string_view> s) { return s ? Quote(*s) : "null"; }

std::string Hex(std::uint32_t value) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "0x%x", value);
  return buf;
}

}  // namespace sim::print
