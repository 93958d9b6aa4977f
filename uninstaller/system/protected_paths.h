// The directories a tree deletion must never take: a drive or share root,
// the Windows and system directories, Program Files and Common Files, the
// spooler's driver directories (with their version folders) and
// print-processor directories of both print environments, and every
// ancestor of them. What lies inside them stays deletable. A logged
// directory that names one of them (an installer's mistake, a damaged log)
// would otherwise wipe the system.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"
#include "platform/registry.h"
#include "platform/spooler.h"

class ProtectedPaths {
 public:
  ProtectedPaths(plat::FileSystem& files, plat::Registry& registry, plat::Spooler& spooler);

  // Whether removing `directory` with everything under it would take a
  // protected directory. Spellings are compared after canonical forming
  // and in both long and short (8.3) form.
  bool Covers(std::string_view directory);

  // The protected directories as this machine names them now (ancestors
  // not listed). Asked afresh on every call: the spooler or the registry
  // may not have answered earlier.
  std::vector<std::string> Directories();

 private:
  // The canonical keys of `path`: its long spelling and, when the file
  // system knows it, its short spelling.
  std::vector<std::string> KeysOf(std::string_view path, std::string_view currentDirectory);
  // Short form of the longest existing part of `path`, with the rest
  // appended as given; empty when nothing of it exists.
  std::string ShortFormOf(const std::string& path);

  plat::FileSystem& files_;
  plat::Registry& registry_;
  plat::Spooler& spooler_;
  // Keys found so far; kept, so a directory the spooler named once stays
  // protected while the spooler is stopped.
  std::vector<std::string> knownKeys_;
};
