// The registry of the simulated machine: a tree of keys per predefined root.
// Names compare without case and keep the case they were created with.
// Nodes are shared so that an open handle outlives a deleted key and can
// report ERROR_KEY_DELETED.
#pragma once
#include <array>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/registry.h"
#include "platform/security_types.h"
#include "platform/text.h"

namespace sim {

struct RegNode {
  using SubkeyMap = std::map<std::string, std::shared_ptr<RegNode>, text::ILessFn>;
  std::string name;
  RegNode* parent = nullptr;
  // In enumeration order. Changed only through Child and DetachFromParent,
  // which keep the enumeration cursor and the name lengths below in step.
  SubkeyMap subkeys;
  std::map<std::string, plat::RegValue, text::ILessFn> values;
  // No acl: everybody may do everything (as with a null DACL).
  std::optional<plat::Acl> acl;
  // No owner: the Administrators group.
  std::optional<plat::Sid> owner;
  std::string className;
  bool deleted = false;

  RegNode() = default;
  // Nodes are shared, never copied: a copy's cursor would point into the
  // original's subkeys.
  RegNode(const RegNode&) = delete;
  RegNode& operator=(const RegNode&) = delete;

  RegNode* Find(std::string_view subkeyName) const;
  RegNode& Child(std::string_view subkeyName);  // creates when missing
  // Marks this key and everything below it deleted, and detaches it.
  void DetachFromParent();
  // The subkey at `index` in enumeration order; null past the end.
  const RegNode* SubkeyAt(std::size_t index) const;
  // The longest subkey name in UTF-16 units, as RegQueryInfoKey reports it.
  std::uint32_t MaxSubkeyNameChars() const;

 private:
  void Forget(SubkeyMap::iterator subkey);

  // Where the last enumeration stood. Callers enumerate by rising index, or
  // ask for the first subkey again after each deletion; from here either is
  // one step, where walking from the first would grow with the square of a
  // key's subkeys.
  mutable SubkeyMap::const_iterator cursor_;
  mutable std::size_t cursorIndex_ = 0;
  mutable bool cursorSet_ = false;
  // Subkey name lengths in UTF-16 units, and how many subkeys have each.
  std::map<std::uint32_t, std::uint32_t> nameLengths_;
};

// A key path split into its root and its components.
struct KeyPath {
  plat::HKey root = 0;
  std::vector<std::string> parts;
};
// "HKLM\\SOFTWARE\\X" (long or short root name). Empty components are an
// error here: images should spell their paths exactly.
std::optional<KeyPath> ParseFullKeyPath(std::string_view fullPath);
// Relative paths as the registry calls take them: empty components are
// skipped, the way RegOpenKeyEx tolerates a trailing backslash.
std::vector<std::string> SplitRelativePath(std::string_view path);

class RegistryTree {
 public:
  RegistryTree();
  RegistryTree(RegistryTree&&) = default;
  RegistryTree& operator=(RegistryTree&&) = default;

  // The node of a predefined root, or null for other values.
  RegNode* Root(plat::HKey root) const;
  std::shared_ptr<RegNode> RootShared(plat::HKey root) const;
  // Follows `parts` below `from`; null when a key is missing.
  static RegNode* Walk(RegNode* from, const std::vector<std::string>& parts);
  RegNode* FindKey(std::string_view fullPath) const;
  RegNode& CreateKey(const KeyPath& path);
  // "HKLM\\SOFTWARE\\X" with each key's stored case.
  static std::string FullPath(const RegNode& node);
  // Shared pointer of a live node (for handles).
  static std::shared_ptr<RegNode> Share(RegNode& node);

  static constexpr std::array<plat::HKey, 5> kRoots = {plat::kHkeyClassesRoot, plat::kHkeyCurrentUser,
                                                       plat::kHkeyLocalMachine, plat::kHkeyUsers,
                                                       plat::kHkeyCurrentConfig};
  static const char* ShortRootName(plat::HKey root);

 private:
  std::array<std::shared_ptr<RegNode>, 5> roots_;
};

}  // namespace sim
