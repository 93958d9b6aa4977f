// Opens a key tree to full access before the uninstaller deletes in it: the
// maker's installers wrote some keys with access lists that deny deletion.
#pragma once
#include <cstdint>
#include <string_view>

#include "platform/registry.h"
#include "platform/security_types.h"

inline constexpr std::string_view kVorkastKeyPath = "Software\\Vorkast";

class KeyAccessGrant {
 public:
  // What Apply achieved.
  enum Result : int {
    NotOpened = 0,   // the key could not be opened to rewrite its access list
    NotGranted = 1,  // the list could not be set, or full access is still refused
    Granted = 2,
  };

  explicit KeyAccessGrant(plat::Registry& registry);

  // Rewrites the access list of `path` (and, when `recursive`, of every key
  // below it) to the one built on creation.
  int Apply(plat::HKey root, std::string_view path = kVorkastKeyPath, bool recursive = true);

  const plat::Acl& dacl() const { return dacl_; }
  // Part of the descriptor but never applied: only the access list is.
  const plat::Sid& owner() const { return owner_; }

 private:
  void GrantSubkeys(plat::HKey key);

  plat::Registry& registry_;
  plat::Acl dacl_;
  plat::Sid owner_;
};
