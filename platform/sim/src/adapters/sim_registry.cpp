#include "sim_registry.h"

#include <algorithm>

#include "model/key_access.h"
#include "model/machine_state.h"
#include "platform/win_errors.h"

namespace sim {

namespace ka = plat::keyaccess;

const SimRegistry::OpenKeyEntry* SimRegistry::Lookup(plat::HKey key) {
  if (plat::IsPredefinedKey(key)) {
    auto it = roots_.find(key);
    if (it == roots_.end())
      it = roots_.emplace(key, OpenKeyEntry{m_.data.registry.RootShared(key), ka::AllAccess,
                                            RegistryTree::ShortRootName(key)})
               .first;
    return &it->second;
  }
  const auto it = open_.find(key);
  return it == open_.end() ? nullptr : &it->second;
}

std::string SimRegistry::PathOf(plat::HKey key) {
  const OpenKeyEntry* e = Lookup(key);
  return e ? e->path : std::string();
}

std::string SimRegistry::Join(plat::HKey parent, std::string_view path) {
  std::string full = PathOf(parent);
  if (!path.empty()) full += "\\" + std::string(path);
  return full;
}

plat::WinError SimRegistry::Use(plat::HKey key, std::uint32_t needed, const OpenKeyEntry** entry) {
  const OpenKeyEntry* e = Lookup(key);
  if (e == nullptr) return winerr::InvalidHandle;
  if (e->node->deleted) return winerr::KeyDeleted;
  if (m_.data.IsNT() && (e->granted & needed) != needed) return winerr::AccessDenied;
  *entry = e;
  return winerr::Success;
}

plat::WinError SimRegistry::Grant(const RegNode& node, std::uint32_t desired, std::uint32_t* granted) const {
  if (!m_.data.IsNT()) {  // the 9x family has no key security
    *granted = ka::AllAccess;
    return winerr::Success;
  }
  const auto rights = CheckKeyAccess(node, m_.data.token.AccessSids(), desired);
  if (!rights) return winerr::AccessDenied;
  *granted = *rights;
  return winerr::Success;
}

plat::HKey SimRegistry::AddHandle(std::shared_ptr<RegNode> node, std::uint32_t granted) {
  const plat::HKey h = m_.NewHandle();
  std::string path = RegistryTree::FullPath(*node);
  open_.emplace(h, OpenKeyEntry{std::move(node), granted, std::move(path)});
  return h;
}

namespace {
// Shared pointer to `node`, which is `base` or lies below it.
std::shared_ptr<RegNode> ShareNode(const std::shared_ptr<RegNode>& base, RegNode* node) {
  return node == base.get() ? base : RegistryTree::Share(*node);
}
}  // namespace

plat::WinError SimRegistry::OpenKey(plat::HKey parent, std::string_view path, std::uint32_t access, plat::HKey* out) {
  if (auto f = m_.Fault("Registry.OpenKey", Join(parent, path))) return *f;
  if (out == nullptr) return winerr::InvalidParameter;
  *out = 0;
  const OpenKeyEntry* e = Lookup(parent);
  if (e == nullptr) return winerr::InvalidHandle;
  if (e->node->deleted) return winerr::KeyDeleted;
  if (!path.empty() && path.front() == '\\') return winerr::BadPathname;
  RegNode* node = RegistryTree::Walk(e->node.get(), SplitRelativePath(path));
  if (node == nullptr) return winerr::FileNotFound;
  std::uint32_t granted = 0;
  if (const auto err = Grant(*node, access, &granted); err.failed()) return err;
  *out = AddHandle(ShareNode(e->node, node), granted);
  return winerr::Success;
}

plat::WinError SimRegistry::CreateKey(plat::HKey parent, std::string_view path, std::string_view className,
                                     std::uint32_t access, plat::HKey* out, bool* created) {
  if (auto f = m_.Fault("Registry.CreateKey", Join(parent, path))) return *f;
  if (out == nullptr) return winerr::InvalidParameter;
  *out = 0;
  if (created) *created = false;
  const OpenKeyEntry* e = Lookup(parent);
  if (e == nullptr) return winerr::InvalidHandle;
  if (e->node->deleted) return winerr::KeyDeleted;
  if (!path.empty() && path.front() == '\\') return winerr::BadPathname;

  const auto parts = SplitRelativePath(path);
  RegNode* node = e->node.get();
  std::size_t existing = 0;
  while (existing < parts.size() && node->Find(parts[existing]) != nullptr) node = node->Find(parts[existing++]);

  const bool isNew = existing < parts.size();
  if (isNew) {
    // Creating a key needs KEY_CREATE_SUB_KEY on the key that will hold it.
    std::uint32_t parentRights = 0;
    if (const auto err = Grant(*node, ka::CreateSubKey, &parentRights); err.failed()) return err;
    const auto& token = m_.data.token;
    for (std::size_t i = existing; i < parts.size(); ++i) {
      node = &node->Child(parts[i]);
      // An administrator's new keys belong to the Administrators group, the
      // default owner of such tokens; anyone else owns them personally.
      if (m_.data.IsNT() && !token.IsAdministrator()) node->owner = token.user;
    }
    node->className = std::string(className);
  }
  std::uint32_t granted = 0;
  if (const auto err = Grant(*node, access, &granted); err.failed()) return err;
  *out = AddHandle(ShareNode(e->node, node), granted);
  if (created) *created = isNew;
  return winerr::Success;
}

void SimRegistry::Close(plat::HKey key) { open_.erase(key); }

plat::WinError SimRegistry::QueryValue(plat::HKey key, std::string_view name, plat::RegValue* out) {
  if (auto f = m_.Fault("Registry.QueryValue", PathOf(key))) return *f;
  const OpenKeyEntry* e = nullptr;
  if (const auto err = Use(key, ka::QueryValue, &e); err.failed()) return err;
  const auto it = e->node->values.find(name);
  if (it == e->node->values.end()) return winerr::FileNotFound;
  if (out) *out = it->second;
  return winerr::Success;
}

plat::WinError SimRegistry::SetValue(plat::HKey key, std::string_view name, const plat::RegValue& value) {
  if (auto f = m_.Fault("Registry.SetValue", PathOf(key))) return *f;
  const OpenKeyEntry* e = nullptr;
  if (const auto err = Use(key, ka::SetValue, &e); err.failed()) return err;
  auto& values = e->node->values;
  const auto it = values.find(name);
  if (it != values.end())
    it->second = value;  // an existing value keeps the case of its name
  else
    values.emplace(std::string(name), value);
  return winerr::Success;
}

plat::WinError SimRegistry::DeleteValue(plat::HKey key, std::string_view name) {
  if (auto f = m_.Fault("Registry.DeleteValue", PathOf(key))) return *f;
  const OpenKeyEntry* e = nullptr;
  if (const auto err = Use(key, ka::SetValue, &e); err.failed()) return err;
  const auto it = e->node->values.find(name);
  if (it == e->node->values.end()) return winerr::FileNotFound;
  e->node->values.erase(it);
  return winerr::Success;
}

plat::WinError SimRegistry::DeleteKey(plat::HKey parent, std::string_view subkey) {
  if (auto f = m_.Fault("Registry.DeleteKey", Join(parent, subkey))) return *f;
  const OpenKeyEntry* e = Lookup(parent);
  if (e == nullptr) return winerr::InvalidHandle;
  if (e->node->deleted) return winerr::KeyDeleted;
  const auto parts = SplitRelativePath(subkey);
  RegNode* target = RegistryTree::Walk(e->node.get(), parts);
  if (target == nullptr) return winerr::FileNotFound;
  if (target->parent == nullptr) return winerr::AccessDenied;  // a predefined root
  if (m_.data.IsNT()) {
    // An empty name deletes the handle's own key, with the handle's rights.
    if (parts.empty()) {
      if (!(e->granted & ka::Delete)) return winerr::AccessDenied;
    } else {
      std::uint32_t granted = 0;
      if (const auto err = Grant(*target, ka::Delete, &granted); err.failed()) return err;
    }
    if (!target->subkeys.empty()) return winerr::AccessDenied;
  }
  const auto keepAlive = RegistryTree::Share(*target);
  target->DetachFromParent();
  return winerr::Success;
}

plat::WinError SimRegistry::EnumKey(plat::HKey key, std::uint32_t index, std::string* name) {
  if (auto f = m_.Fault("Registry.EnumKey", PathOf(key))) return *f;
  const OpenKeyEntry* e = nullptr;
  if (const auto err = Use(key, ka::EnumerateSubKeys, &e); err.failed()) return err;
  const RegNode* subkey = e->node->SubkeyAt(index);
  if (subkey == nullptr) return winerr::NoMoreItems;
  if (name) *name = subkey->name;
  return winerr::Success;
}

plat::WinError SimRegistry::EnumValue(plat::HKey key, std::uint32_t index, std::string* name, plat::RegValue* value) {
  if (auto f = m_.Fault("Registry.EnumValue", PathOf(key))) return *f;
  const OpenKeyEntry* e = nullptr;
  if (const auto err = Use(key, ka::QueryValue, &e); err.failed()) return err;
  const auto& values = e->node->values;
  if (index >= values.size()) return winerr::NoMoreItems;
  const auto it = std::next(values.begin(), index);
  if (name) *name = it->first;
  if (value) *value = it->second;
  return winerr::Success;
}

plat::WinError SimRegistry::QueryInfo(plat::HKey key, plat::RegKeyInfo* out) {
  if (auto f = m_.Fault("Registry.QueryInfo", PathOf(key))) return *f;
  const OpenKeyEntry* e = nullptr;
  if (const auto err = Use(key, ka::QueryValue, &e); err.failed()) return err;
  plat::RegKeyInfo info;
  const auto chars = [](const std::string& s) { return static_cast<std::uint32_t>(text::Utf8ToUtf16(s).size()); };
  info.subkeys = static_cast<std::uint32_t>(e->node->subkeys.size());
  info.maxSubkeyLen = e->node->MaxSubkeyNameChars();
  info.values = static_cast<std::uint32_t>(e->node->values.size());
  for (const auto& [n, v] : e->node->values) {
    info.maxValueNameLen = std::max(info.maxValueNameLen, chars(n));
    info.maxValueLen = std::max(info.maxValueLen, static_cast<std::uint32_t>(v.data.size()));
  }
  if (out) *out = info;
  return winerr::Success;
}

plat::WinError SimRegistry::SetKeyDacl(plat::HKey key, const plat::Acl& dacl) {
  if (auto f = m_.Fault("Registry.SetKeyDacl", PathOf(key))) return *f;
  if (!m_.data.IsNT()) return winerr::CallNotImplemented;
  const OpenKeyEntry* e = nullptr;
  if (const auto err = Use(key, ka::WriteDac, &e); err.failed()) return err;
  for (const auto& ace : dacl.aces)
    if (!text::IStartsWith(ace.sid, "S-1-")) return winerr::InvalidSid;
  e->node->acl = dacl;
  return winerr::Success;
}

plat::WinError SimRegistry::GetKeyDacl(plat::HKey key, plat::Acl* out) {
  if (auto f = m_.Fault("Registry.GetKeyDacl", PathOf(key))) return *f;
  if (!m_.data.IsNT()) return winerr::CallNotImplemented;
  const OpenKeyEntry* e = nullptr;
  if (const auto err = Use(key, ka::ReadControl, &e); err.failed()) return err;
  if (out) *out = e->node->acl.value_or(plat::Acl{false, {}});
  return winerr::Success;
}

}  // namespace sim
