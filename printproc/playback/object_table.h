// The GDI objects a stream has made, by the object number its records use.
// A number may be made twice without being deleted between: lookup finds the
// first, as the stream's writer expects. It grows by 512 entries at a time.
#pragma once
#include <cstdint>
#include <optional>
#include <vector>

#include "platform/handle.h"

namespace vemf {

class ObjectTable {
 public:
  static constexpr std::size_t kGrowth = 512;

  ObjectTable() { entries_.reserve(kGrowth); }

  void Add(std::uint32_t number, plat::Handle handle);
  std::optional<plat::Handle> Find(std::uint32_t number) const;
  // Takes the first entry of `number` out (the last entry moves into its
  // place) and answers its handle.
  std::optional<plat::Handle> Remove(std::uint32_t number);
  // Takes every entry out and answers their handles, in table order.
  std::vector<plat::Handle> TakeAll();
  std::size_t size() const { return entries_.size(); }

 private:
  struct Entry {
    std::uint32_t number;
    plat::Handle handle;
  };
  std::vector<Entry> entries_;
};

}  // namespace vemf
