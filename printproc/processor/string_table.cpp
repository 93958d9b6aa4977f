#include "processor/string_table.h"

#include <utility>

namespace emfplay {

namespace {
constexpr std::pair<std::uint32_t, std::string_view> kStrings[] = {
#include "processor_strings.inc"
};
}  // namespace

std::optional<std::string_view> BuiltInString(std::uint32_t id) {
  for (const auto& [number, text] : kStrings)
    if (number == id) return text;
  return std::nullopt;
}

}  // namespace emfplay
