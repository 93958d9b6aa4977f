// The processor's string table (language 1033) by number. The Windows library
// carries it as a resource and loads from there; the simulated machine reads
// the same list, which is generated from printproc/strings.json.
#pragma once
#include <cstdint>
#include <optional>
#include <string_view>

namespace emfplay {

inline constexpr std::uint32_t kStringSimpleSeparator = 7;
inline constexpr std::uint32_t kStringFullSeparator = 8;

std::optional<std::string_view> BuiltInString(std::uint32_t id);

}  // namespace emfplay
