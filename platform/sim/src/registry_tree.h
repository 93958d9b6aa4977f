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
  std::string name;
  RegNode* parent = nullptr;
  std::map<std::string, std::shared_ptr<RegNode>, text::ILessFn> subkeys;
  std::map<std::string, plat::RegValue, text::ILessFn> values;
  // No acl: everybody may do everything (as with a null DACL).
  std::optional<plat::Acl> acl;
  // No owner: the Administrators group.
  std::optional<plat::Sid> owner;
  std::string className;
  bool deleted = false;

  RegNode* Find(std::string_view subkeyName) const;
  RegNode& Child(std::string_view subkeyName);  // creates when missing
  // Marks this key and everything below it deleted, and detaches it.
  void DetachFromParent();
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
