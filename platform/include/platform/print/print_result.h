// What the print processor's ports answer: a value or a typed Windows error,
// never a bare number that a caller could mistake for a count or a handle.
// Both types are [[nodiscard]]; a result ignored on purpose goes through
// plat::IgnoreResult with the reason.
#pragma once
#include <cstdint>
#include <optional>
#include <utility>
#include <variant>

#include "platform/win_errors.h"

namespace plat::print {

// The uninstaller's Windows error type. A failed result may carry code 0:
// some calls fail without setting the thread's last error, and the caller
// still has to see a failure, so failure is the result's kind, never read
// from the code.
using Error = plat::WinError;

template <typename T>
class [[nodiscard]] Result {
 public:
  Result(T value) : v_(std::in_place_index<0>, std::move(value)) {}
  Result(Error error) : v_(std::in_place_index<1>, error) {}

  bool ok() const { return v_.index() == 0; }
  explicit operator bool() const { return ok(); }
  // Only on success.
  T& value() & { return std::get<0>(v_); }
  const T& value() const& { return std::get<0>(v_); }
  T&& value() && { return std::get<0>(std::move(v_)); }
  T& operator*() & { return value(); }
  const T& operator*() const& { return value(); }
  T* operator->() { return &value(); }
  const T* operator->() const { return &value(); }
  T value_or(T fallback) const { return ok() ? std::get<0>(v_) : fallback; }
  // Only on failure.
  Error error() const { return std::get<1>(v_); }

 private:
  std::variant<T, Error> v_;
};

template <>
class [[nodiscard]] Result<void> {
 public:
  Result() = default;
  Result(Error error) : bits_(kFailed | error.code()) {}

  bool ok() const { return (bits_ & kFailed) == 0; }
  explicit operator bool() const { return ok(); }
  Error error() const { return Error(static_cast<std::uint32_t>(bits_)); }

 private:
  // One word, the failure above the code, so that a status comes back in a
  // register: the player makes one for every record it plays.
  static constexpr std::uint64_t kFailed = std::uint64_t{1} << 32;
  std::uint64_t bits_ = 0;
};

using Status = Result<void>;

inline Status Ok() { return {}; }

// The error of a failed result as a status, for passing a failure on.
template <typename T>
Status StatusOf(const Result<T>& r) {
  if (r.ok()) return Ok();
  return r.error();
}

}  // namespace plat::print
