// Ports hand out handles as opaque integers; UniqueHandle closes one through
// its port when it goes out of scope, so every early return releases it.
#pragma once
#include <cstdint>
#include <utility>

namespace plat {

using Handle = std::uintptr_t;
inline constexpr Handle kNoHandle = 0;

template <typename Port>
class UniqueHandle {
 public:
  UniqueHandle() = default;
  UniqueHandle(Port& port, Handle h) : port_(&port), h_(h) {}
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  UniqueHandle(UniqueHandle&& o) noexcept : port_(o.port_), h_(std::exchange(o.h_, kNoHandle)) {}
  UniqueHandle& operator=(UniqueHandle&& o) noexcept {
    if (this != &o) {
      reset();
      port_ = o.port_;
      h_ = std::exchange(o.h_, kNoHandle);
    }
    return *this;
  }
  ~UniqueHandle() { reset(); }

  Handle get() const { return h_; }
  explicit operator bool() const { return h_ != kNoHandle; }
  void reset() {
    if (h_ != kNoHandle && port_) port_->Close(h_);
    h_ = kNoHandle;
  }
  Handle release() { return std::exchange(h_, kNoHandle); }

 private:
  Port* port_ = nullptr;
  Handle h_ = kNoHandle;
};

}  // namespace plat
