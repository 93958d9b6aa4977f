#include "system/reg_removal.h"

#include "platform/win_errors.h"
#include "system/key_access_grant.h"
#include "system/registry_helpers.h"

bool RegRemoval::Run(plat::Registry& registry) const {
  // An empty path would aim every form below at the root itself.
  if (keyPath.empty()) return false;
  if (!subkeyName.empty()) {
    // One direct subkey, as the spooler left it: no grant, no recursion.
    plat::HKey raw = plat::kNoHandle;
    if (registry.OpenKey(root, keyPath, plat::keyaccess::AllAccess, &raw) != winerr::Success) return false;
    plat::UniqueKey key(registry, raw);
    return registry.DeleteKey(key.get(), subkeyName) == winerr::Success;
  }
  if (!valueName.empty()) {
    // The key stays: its access lists are put back on return.
    KeyAccessGrant access(registry);
    // A grant that fails leaves the deletion below to fail and answer.
    static_cast<void>(access.Apply(root, keyPath, true));
    plat::HKey raw = plat::kNoHandle;
    if (registry.OpenKey(root, keyPath, plat::keyaccess::AllAccess, &raw) != winerr::Success) return false;
    plat::UniqueKey key(registry, raw);
    return registry.DeleteValue(key.get(), valueName) == winerr::Success;
  }
  return RegDeleteKeyTree(registry, root, keyPath, true, onlyIfEmpty);
}
