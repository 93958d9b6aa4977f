// The simulated file system as a flat table of entries by full path
// (directories are entries too), and the rules that every file operation
// shares: parents, children, 8.3 names and locks.
#pragma once
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "machine_data.h"
#include "platform/text.h"

namespace sim {

std::string ParentOf(std::string_view path);  // "" for a drive
std::string LeafOf(std::string_view path);
bool IsDrive(std::string_view path);

bool DirectoryExists(const MachineData& d, const std::string& dir);
// Entries directly inside `dir`, in name order.
std::vector<const FileEntry*> ChildrenOf(const MachineData& d, const std::string& dir);
bool HasChildren(const MachineData& d, const std::string& dir);

// Whether a long name is a valid 8.3 name already (then it has no alternate).
bool IsShortName(std::string_view name);
// "Program Files" -> "PROGRA~1": the first numbered form no sibling in `dir`
// uses yet, long or short.
std::string MakeShortName(const MachineData& d, const std::string& dir, std::string_view longName);
// The names MakeShortName avoids in `dir` (short names, and leaves of entries
// without one), without case; and the name it would choose against them.
using TakenNames = std::multiset<std::string, text::ILessFn>;
TakenNames TakenNamesIn(const MachineData& d, const std::string& dir);
// `nextByStem`, when given, remembers per "BASE~n.EXT" stem the first number
// not yet found taken, so that a folder of thousands of names with one stem
// is named in linear time; it is only sound while `taken` never loses a name.
using ShortNameHints = std::map<std::string, unsigned>;
std::string ShortNameAvoiding(const TakenNames& taken, std::string_view longName,
                              ShortNameHints* nextByStem = nullptr);

// Adds an entry with its short name; the parent must exist.
FileEntry& AddEntry(MachineData& d, const std::string& path, std::uint32_t attributes);
// Adds `dir` and every missing ancestor as directories.
void EnsureDirectories(MachineData& d, const std::string& dir);
// Directories implied by files become entries, and short names are given to
// entries that have none, in name order (so a loaded image gets the same
// names every time).
void CompleteFileTree(MachineData& d);

// Held open: for good, or by a service that has not stopped yet. A holder
// service that is not installed (the 9x spooler lives in the system) holds
// for good.
bool IsLocked(const MachineData& d, const FileEntry& f);

}  // namespace sim
