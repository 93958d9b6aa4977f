// Opens a key tree to full access before the uninstaller deletes in it: the
// maker's installers wrote some keys with access lists that deny deletion.
// The grant lets every user write the keys, so it lasts only as long as the
// object: each key it opened that is still there afterwards gets back the
// access list it had.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "maker/maker_identity.h"
#include "platform/registry.h"
#include "platform/security_types.h"

class KeyAccessGrant {
 public:
  // What Apply achieved.
  enum Result : int {
    NotOpened = 0,   // the key could not be opened to rewrite its access list
    NotGranted = 1,  // the list could not be set, or full access is still refused
    Granted = 2,
  };

  explicit KeyAccessGrant(plat::Registry& registry);
  // Restore().
  ~KeyAccessGrant();
  KeyAccessGrant(const KeyAccessGrant&) = delete;
  KeyAccessGrant& operator=(const KeyAccessGrant&) = delete;

  // Rewrites the access list of `path` (and, when `recursive`, of every key
  // below it) to the one built on creation, keeping each key's former list.
  // A key whose list cannot be read keeps it: it could not be put back.
  [[nodiscard]] Result Apply(plat::HKey root, std::string_view path = maker::kSoftwareKey, bool recursive = true);
  // Puts the former list back on every key rewritten so far that is still
  // there, the deepest first.
  void Restore();

  const plat::Acl& dacl() const { return dacl_; }
  // Part of the descriptor but never applied: only the access list is.
  const plat::Sid& owner() const { return owner_; }

 private:
  struct FormerList {
    plat::HKey root;
    std::string path;
    plat::Acl dacl;
  };

  // Keeps the list of the key open in `key` (at `path`), then sets the grant.
  bool GrantOpenKey(plat::HKey root, const std::string& path, plat::HKey key);
  void GrantSubkeys(plat::HKey root, const std::string& path, plat::HKey key);

  plat::Registry& registry_;
  plat::Acl dacl_;
  plat::Sid owner_;
  std::vector<FormerList> former_;  // in the order granted: parents first
};
