// Owns a kernel HANDLE (token, process) for the length of one adapter call.
#pragma once
#include <windows.h>

namespace win32 {

class ScopedHandle {
 public:
  ScopedHandle() = default;
  explicit ScopedHandle(HANDLE h) : h_(h) {}
  ScopedHandle(const ScopedHandle&) = delete;
  ScopedHandle& operator=(const ScopedHandle&) = delete;
  ~ScopedHandle() {
    if (h_ != nullptr && h_ != INVALID_HANDLE_VALUE) CloseHandle(h_);
  }
  HANDLE get() const { return h_; }
  HANDLE* receive() { return &h_; }

 private:
  HANDLE h_ = nullptr;
};

}  // namespace win32
