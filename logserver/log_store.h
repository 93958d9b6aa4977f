// The install log as the server keeps it: one record per component key, each
// with the seven lists an installer writes (children, files, directories,
// registry values and keys, shell items, late shell items), its named
// properties and whether the component counts as installed.
//
// A list is kept as the exact text the server hands out: entries each ended
// by "\n". Installers add and remove whole entries; a text that does not
// split into entries (an imported damaged list) is kept byte for byte.
// Keys, property names and entries compare ignoring ASCII case, as Windows
// paths and registry names do; other bytes compare exactly.
#pragma once
#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace logstore {

struct AsciiLess {
  using is_transparent = void;
  bool operator()(std::string_view a, std::string_view b) const;
};
bool AsciiIEquals(std::string_view a, std::string_view b);

inline constexpr std::size_t kListKinds = 7;
// The names of the kinds, in kind order (0 children ... 6 late shell items).
inline constexpr std::array<std::string_view, kListKinds> kListNames = {
    "children", "files", "directories", "registryValues", "registryKeys", "shellItems", "lateShellItems"};
std::optional<std::size_t> ListKindOf(std::int32_t kind);

struct ComponentRecord {
  bool installed = true;
  std::array<std::string, kListKinds> lists;
  std::map<std::string, std::string, AsciiLess> properties;
};

using Components = std::map<std::string, ComponentRecord, AsciiLess>;

// The entries of a list text, or nothing when the text does not split into
// entries exactly (an empty entry, or text after the last line break).
std::optional<std::vector<std::string>> SplitEntries(std::string_view listText);

// The answers and changes behind the server's methods. A kind outside 0..6
// or an empty key is refused by the caller (log_methods) before it gets here.
class LogStore {
 public:
  const Components& components() const { return components_; }
  Components& components() { return components_; }

  // Appends `entry` to the list unless an equal entry is there already;
  // makes the record when there is none. True when the list grew.
  bool AddEntry(std::size_t kind, std::string_view key, std::string_view entry);
  // Drops every entry equal to `entry`; the number dropped. A list that does
  // not split into entries is left alone.
  int RemoveEntry(std::size_t kind, std::string_view key, std::string_view entry);
  // Drops the record; true when there was one.
  bool Forget(std::string_view key);
  bool IsInstalled(std::string_view key) const;
  void SetInstalled(std::string_view key, bool installed);
  // Sets a property (an empty value drops it); makes the record when there
  // is none. True when something changed.
  bool SetProperty(std::string_view key, std::string_view name, std::string_view value);
  // The entry of the list whose last path component is `fileName`.
  std::string LoggedPath(std::size_t kind, std::string_view key, std::string_view fileName) const;
  std::string Property(std::string_view key, std::string_view name) const;
  std::string List(std::size_t kind, std::string_view key) const;

 private:
  const ComponentRecord* Find(std::string_view key) const;
  Components components_;
};

}  // namespace logstore
