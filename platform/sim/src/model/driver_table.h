// The drivers a spooler has installed, as the records the spooler port
// answers with, in the order the spooler lists them: the image's order, a
// driver added later at the end, a replaced one in its place. Lookups by
// environment and name ignore case, as Windows does, and take logarithmic
// time: a removal pass deletes thousands of drivers one call at a time.
#pragma once
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/spooler.h"
#include "platform/text.h"
#include "value_iterator.h"

namespace sim {

class DriverTable {
  using Records = std::map<std::uint64_t, plat::DriverInfo>;  // by the number of their arrival

 public:
  using const_iterator = ValueIterator<Records::const_iterator>;
  const_iterator begin() const { return const_iterator{records_.begin()}; }
  const_iterator end() const { return const_iterator{records_.end()}; }
  std::size_t size() const { return records_.size(); }
  bool empty() const { return records_.empty(); }

  // Adds `record` at the end, or in place of the record of the same name,
  // environment and version; true when it replaced one.
  bool Put(plat::DriverInfo record);
  // The records of `name` in `environment`, of every version or only of
  // `version`, in listing order.
  std::vector<const plat::DriverInfo*> Find(std::string_view environment, std::string_view name,
                                            std::optional<std::uint32_t> version = std::nullopt) const;
  // Removes the records Find answers.
  void Erase(std::string_view environment, std::string_view name, std::optional<std::uint32_t> version);

 private:
  // Environment names hold no NUL, so the two parts never run into each other.
  static std::string KeyOf(std::string_view environment, std::string_view name);

  Records records_;
  std::uint64_t nextNumber_ = 0;
  // The numbers of every version of one name in one environment, in listing order.
  std::map<std::string, std::vector<std::uint64_t>, text::ILessFn> byName_;
};

}  // namespace sim
