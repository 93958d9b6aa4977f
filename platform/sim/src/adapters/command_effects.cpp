#include "command_effects.h"

#include "model/file_tree.h"
#include "model/machine_state.h"
#include "model/tree_order.h"
#include "platform/services.h"

namespace sim {

namespace {

void DeleteFileTree(MachineState& m, const std::string& path) {
  MachineData& d = m.data;
  for (const std::string& entry : TreeDeletionOrder(d, path)) {
    const auto it = d.files.find(entry);
    if (it == d.files.end()) continue;
    const FileEntry& f = it->second;
    if (f.IsDirectory() ? HasChildren(d, entry) || text::IEquals(entry, d.currentDirectory) : IsLocked(d, f))
      continue;
    m.Record({{"event", f.IsDirectory() ? "dirRemoved" : "fileDeleted"}, {"path", f.path}, {"by", "command"}});
    d.files.erase(it);
  }
}

// Whether every existing level above `path` is a directory, so that the
// missing ones can be made.
bool CanHold(const MachineData& d, const std::string& path) {
  for (std::string dir = ParentOf(path); !dir.empty() && !IsDrive(dir); dir = ParentOf(dir)) {
    const auto it = d.files.find(dir);
    if (it != d.files.end()) return it->second.IsDirectory();
  }
  return true;
}

void MakeFile(MachineState& m, const CommandEffect& e) {
  MachineData& d = m.data;
  if (!CanHold(d, e.target)) return;
  auto it = d.files.find(e.target);
  if (it != d.files.end() && (it->second.IsDirectory() || IsLocked(d, it->second))) return;
  if (it == d.files.end()) {
    EnsureDirectories(d, ParentOf(e.target));
    AddEntry(d, e.target, 0x20);
    it = d.files.find(e.target);
  }
  it->second.content = e.content;
  it->second.company.reset();
  m.Record({{"event", "fileWritten"}, {"path", it->second.path}, {"bytes", e.content.size()}, {"by", "command"}});
}

void StopService(MachineState& m, const std::string& name) {
  const auto it = m.data.services.find(name);
  if (it == m.data.services.end() || it->second.state == plat::svc::Stopped) return;
  it->second.state = plat::svc::Stopped;
  it->second.stopsAt.reset();
  m.Record({{"event", "serviceStopped"}, {"name", it->second.name}});
  m.ServiceStopped(it->second.name);
}

}  // namespace

void ApplyCommandEffect(MachineState& m, const CommandEffect& e) {
  RegistryTree& registry = m.data.registry;
  switch (e.kind) {
    case CommandEffect::Kind::DeleteValue:
      if (RegNode* key = registry.FindKey(e.target)) key->values.erase(e.valueName);
      return;
    case CommandEffect::Kind::SetValue:
      if (const auto path = ParseFullKeyPath(e.target)) registry.CreateKey(*path).values[e.valueName] = e.value;
      return;
    case CommandEffect::Kind::DeleteKey:
      if (RegNode* key = registry.FindKey(e.target); key != nullptr && key->parent != nullptr) key->DetachFromParent();
      return;
    case CommandEffect::Kind::DeleteFile:
      DeleteFileTree(m, e.target);
      return;
    case CommandEffect::Kind::CreateFile:
      MakeFile(m, e);
      return;
    case CommandEffect::Kind::StopService:
      StopService(m, e.target);
      return;
  }
}

}  // namespace sim
