#include "registry_tree.h"

#include <algorithm>
#include <iterator>

namespace sim {

RegNode* RegNode::Find(std::string_view subkeyName) const {
  const auto it = subkeys.find(subkeyName);
  return it == subkeys.end() ? nullptr : it->second.get();
}

namespace {
std::uint32_t Utf16Length(std::string_view name) { return static_cast<std::uint32_t>(text::Utf8ToUtf16(name).size()); }
}  // namespace

RegNode& RegNode::Child(std::string_view subkeyName) {
  if (RegNode* existing = Find(subkeyName)) return *existing;
  auto node = std::make_shared<RegNode>();
  node->name = std::string(subkeyName);
  node->parent = this;
  RegNode& ref = *node;
  subkeys.emplace(node->name, std::move(node));
  ++nameLengths_[Utf16Length(subkeyName)];
  cursorSet_ = false;
  return ref;
}

void RegNode::Forget(SubkeyMap::iterator subkey) {
  const auto length = nameLengths_.find(Utf16Length(subkey->second->name));
  if (length != nameLengths_.end() && --length->second == 0) nameLengths_.erase(length);
  subkeys.erase(subkey);
  cursorSet_ = false;
}

const RegNode* RegNode::SubkeyAt(std::size_t index) const {
  if (index >= subkeys.size()) return nullptr;
  // From the cursor when it lies at or before `index`, else from whichever
  // end is nearer.
  const std::size_t fromEnd = subkeys.size() - 1 - index;
  if (cursorSet_ && cursorIndex_ <= index && index - cursorIndex_ <= std::min(index, fromEnd)) {
    cursor_ = std::next(cursor_, static_cast<std::ptrdiff_t>(index - cursorIndex_));
  } else if (index <= fromEnd) {
    cursor_ = std::next(subkeys.begin(), static_cast<std::ptrdiff_t>(index));
  } else {
    cursor_ = std::prev(subkeys.end(), static_cast<std::ptrdiff_t>(fromEnd + 1));
  }
  cursorIndex_ = index;
  cursorSet_ = true;
  return cursor_->second.get();
}

std::uint32_t RegNode::MaxSubkeyNameChars() const { return nameLengths_.empty() ? 0 : nameLengths_.rbegin()->first; }

namespace {
void MarkDeleted(RegNode& node) {
  // A deleted subtree keeps its shape for handles that still hold parts of
  // it, but no node may reach back into the live tree.
  node.deleted = true;
  for (auto& [name, child] : node.subkeys) {
    child->parent = nullptr;
    MarkDeleted(*child);
  }
}
}  // namespace

void RegNode::DetachFromParent() {
  MarkDeleted(*this);
  if (parent == nullptr) return;
  RegNode* const oldParent = parent;
  parent = nullptr;
  // Keep ourselves alive while the parent's map drops its reference: open
  // handles may still hold us.
  const auto it = oldParent->subkeys.find(name);
  if (it != oldParent->subkeys.end()) oldParent->Forget(it);
}

std::optional<KeyPath> ParseFullKeyPath(std::string_view fullPath) {
  const auto pieces = text::Split(fullPath, '\\');
  KeyPath out;
  out.root = plat::RootFromName(pieces.front());
  if (out.root == 0) return std::nullopt;
  for (std::size_t i = 1; i < pieces.size(); ++i) {
    if (pieces[i].empty()) return std::nullopt;
    out.parts.push_back(pieces[i]);
  }
  return out;
}

std::vector<std::string> SplitRelativePath(std::string_view path) {
  std::vector<std::string> parts;
  for (auto& piece : text::Split(path, '\\'))
    if (!piece.empty()) parts.push_back(std::move(piece));
  return parts;
}

RegistryTree::RegistryTree() {
  for (std::size_t i = 0; i < kRoots.size(); ++i) {
    roots_[i] = std::make_shared<RegNode>();
    roots_[i]->name = ShortRootName(kRoots[i]);
  }
}

const char* RegistryTree::ShortRootName(plat::HKey root) {
  switch (root) {
    case plat::kHkeyClassesRoot: return "HKCR";
    case plat::kHkeyCurrentUser: return "HKCU";
    case plat::kHkeyLocalMachine: return "HKLM";
    case plat::kHkeyUsers: return "HKU";
    case plat::kHkeyCurrentConfig: return "HKCC";
    default: return "";
  }
}

std::shared_ptr<RegNode> RegistryTree::RootShared(plat::HKey root) const {
  for (std::size_t i = 0; i < kRoots.size(); ++i)
    if (kRoots[i] == root) return roots_[i];
  return nullptr;
}

RegNode* RegistryTree::Root(plat::HKey root) const { return RootShared(root).get(); }

RegNode* RegistryTree::Walk(RegNode* from, const std::vector<std::string>& parts) {
  RegNode* node = from;
  for (const auto& part : parts) {
    if (node == nullptr) return nullptr;
    node = node->Find(part);
  }
  return node;
}

RegNode* RegistryTree::FindKey(std::string_view fullPath) const {
  const auto path = ParseFullKeyPath(fullPath);
  if (!path) return nullptr;
  return Walk(Root(path->root), path->parts);
}

RegNode& RegistryTree::CreateKey(const KeyPath& path) {
  RegNode* node = Root(path.root);
  for (const auto& part : path.parts) node = &node->Child(part);
  return *node;
}

std::string RegistryTree::FullPath(const RegNode& node) {
  if (node.parent == nullptr) return node.name;
  return FullPath(*node.parent) + "\\" + node.name;
}

std::shared_ptr<RegNode> RegistryTree::Share(RegNode& node) {
  if (node.parent == nullptr) return nullptr;  // roots are shared through RootShared
  return node.parent->subkeys.find(node.name)->second;
}

}  // namespace sim
