#include "system/key_access_grant.h"

#include <string>
#include <utility>

#include "platform/win_errors.h"

namespace {
constexpr std::uint64_t kWorldAuthority = 1;
constexpr std::uint64_t kNtAuthority = 5;
constexpr std::uint32_t kBuiltinDomain = 32;

plat::Ace AllowInherited(plat::Sid sid, std::uint32_t mask) {
  return plat::Ace{plat::kAceAccessAllowed, plat::kAceContainerInherit, mask, std::move(sid)};
}
}  // namespace

KeyAccessGrant::KeyAccessGrant(plat::Registry& registry) : registry_(registry) {
  const plat::Sid everyone = plat::MakeSid(kWorldAuthority, {0});
  const plat::Sid powerUsers = plat::MakeSid(kNtAuthority, {kBuiltinDomain, 547});
  const plat::Sid users = plat::MakeSid(kNtAuthority, {kBuiltinDomain, 545});
  const plat::Sid administrators = plat::MakeSid(kNtAuthority, {kBuiltinDomain, 544});
  const plat::Sid localSystem = plat::MakeSid(kNtAuthority, {18});

  dacl_.present = true;
  dacl_.aces = {
      AllowInherited(everyone, plat::keyaccess::Read),
      AllowInherited(powerUsers, plat::keyaccess::AllAccess),
      AllowInherited(users, plat::keyaccess::AllAccess),
      AllowInherited(administrators, plat::keyaccess::AllAccess),
      AllowInherited(localSystem, plat::keyaccess::AllAccess),
  };
  owner_ = users;
}

KeyAccessGrant::~KeyAccessGrant() { Restore(); }

KeyAccessGrant::Result KeyAccessGrant::Apply(plat::HKey root, std::string_view path, bool recursive) {
  // An empty path would open the root itself and rewrite the access list of
  // a whole hive.
  if (path.empty()) return NotOpened;

  const std::string keyPath(path);
  plat::HKey raw = plat::kNoHandle;
  if (registry_.OpenKey(root, keyPath, plat::keyaccess::WriteDac | plat::keyaccess::ReadControl, &raw) !=
      winerr::Success)
    return NotOpened;
  {
    plat::UniqueKey writeDac(registry_, raw);
    if (!GrantOpenKey(root, keyPath, writeDac.get())) return NotGranted;
  }

  raw = plat::kNoHandle;
  if (registry_.OpenKey(root, keyPath, plat::keyaccess::AllAccess, &raw) != winerr::Success) return NotGranted;
  plat::UniqueKey full(registry_, raw);
  if (recursive) GrantSubkeys(root, keyPath, full.get());
  return Granted;
}

bool KeyAccessGrant::GrantOpenKey(plat::HKey root, const std::string& path, plat::HKey key) {
  plat::Acl former;
  if (registry_.GetKeyDacl(key, &former) != winerr::Success) return false;
  if (registry_.SetKeyDacl(key, dacl_) != winerr::Success) return false;
  former_.push_back({root, path, std::move(former)});
  return true;
}

// Rewrites each subkey's list before descending: only then may its own
// subkeys be enumerated. A subkey that refuses is skipped, the rest go on.
void KeyAccessGrant::GrantSubkeys(plat::HKey root, const std::string& path, plat::HKey key) {
  std::string name;
  for (std::uint32_t index = 0; registry_.EnumKey(key, index, &name) == winerr::Success; ++index) {
    const std::string subPath = path + "\\" + name;
    plat::HKey raw = plat::kNoHandle;
    if (registry_.OpenKey(key, name, plat::keyaccess::WriteDac | plat::keyaccess::ReadControl, &raw) !=
        winerr::Success)
      continue;
    {
      plat::UniqueKey writeDac(registry_, raw);
      GrantOpenKey(root, subPath, writeDac.get());
    }
    raw = plat::kNoHandle;
    if (registry_.OpenKey(key, name, plat::keyaccess::AllAccess, &raw) != winerr::Success) continue;
    plat::UniqueKey sub(registry_, raw);
    GrantSubkeys(root, subPath, sub.get());
  }
}

void KeyAccessGrant::Restore() {
  // Children before their parents, while the parents are still open to us.
  for (auto it = former_.rbegin(); it != former_.rend(); ++it) {
    plat::HKey raw = plat::kNoHandle;
    // A key the deletion took is not there to open.
    if (registry_.OpenKey(it->root, it->path, plat::keyaccess::WriteDac, &raw) != winerr::Success) continue;
    plat::UniqueKey key(registry_, raw);
    // Nothing more can be done for a key whose former access will not go back.
    static_cast<void>(registry_.SetKeyDacl(key.get(), it->dacl));
  }
  former_.clear();
}
