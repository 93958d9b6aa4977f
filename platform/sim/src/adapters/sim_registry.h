// Registry port over the machine's registry tree: open handles with the
// access they were granted, checked against each key's DACL.
#pragma once
#include <map>
#include <memory>
#include <string>

#include "model/registry_tree.h"
#include "platform/registry.h"

namespace sim {

class MachineState;

class SimRegistry final : public plat::Registry {
 public:
  explicit SimRegistry(MachineState& m) : m_(m) {}
  plat::WinError OpenKey(plat::HKey parent, std::string_view path, std::uint32_t access, plat::HKey* out) override;
  plat::WinError CreateKey(plat::HKey parent, std::string_view path, std::string_view className,
                          std::uint32_t access, plat::HKey* out, bool* created) override;
  void Close(plat::HKey key) override;
  plat::WinError QueryValue(plat::HKey key, std::string_view name, plat::RegValue* out) override;
  plat::WinError SetValue(plat::HKey key, std::string_view name, const plat::RegValue& value) override;
  plat::WinError DeleteValue(plat::HKey key, std::string_view name) override;
  plat::WinError DeleteKey(plat::HKey parent, std::string_view subkey) override;
  plat::WinError EnumKey(plat::HKey key, std::uint32_t index, std::string* name) override;
  plat::WinError EnumValue(plat::HKey key, std::uint32_t index, std::string* name, plat::RegValue* value) override;
  plat::WinError QueryInfo(plat::HKey key, plat::RegKeyInfo* out) override;
  plat::WinError SetKeyDacl(plat::HKey key, const plat::Acl& dacl) override;
  plat::WinError GetKeyDacl(plat::HKey key, plat::Acl* out) override;

 private:
  struct OpenKeyEntry {
    std::shared_ptr<RegNode> node;
    std::uint32_t granted = 0;
    std::string path;  // full path when opened, for fault patterns
  };
  // Resolves a handle (predefined or open). Null when invalid.
  const OpenKeyEntry* Lookup(plat::HKey key);
  std::string PathOf(plat::HKey key);
  std::string Join(plat::HKey parent, std::string_view path);
  // Checks the handle and that it grants `needed`; fills `entry`.
  plat::WinError Use(plat::HKey key, std::uint32_t needed, const OpenKeyEntry** entry);
  plat::WinError Grant(const RegNode& node, std::uint32_t desired, std::uint32_t* granted) const;
  plat::HKey AddHandle(std::shared_ptr<RegNode> node, std::uint32_t granted);

  MachineState& m_;
  std::map<plat::HKey, OpenKeyEntry> open_;
  std::map<plat::HKey, OpenKeyEntry> roots_;
};

}  // namespace sim
