#include "file_table.h"

#include <cstdint>

namespace sim {

std::size_t FoldedHash(std::string_view path) {
  // FNV-1a over the folded name. Paths are almost always ASCII, whose fold
  // is its upper case, byte for byte; anything else is folded whole first.
  std::uint64_t hash = 0xcbf29ce484222325ull;
  const auto mix = [&hash](unsigned char byte) { hash = (hash ^ byte) * 0x100000001b3ull; };
  for (const char c : path) {
    if (static_cast<unsigned char>(c) >= 0x80) {
      hash = 0xcbf29ce484222325ull;
      for (const char f : text::Fold(path)) mix(static_cast<unsigned char>(f));
      return static_cast<std::size_t>(hash);
    }
    mix(static_cast<unsigned char>(c >= 'a' && c <= 'z' ? c - 0x20 : c));
  }
  return static_cast<std::size_t>(hash);
}

}  // namespace sim
