// The ports the shell extension reaches Windows through.
#pragma once
#include "platform/file_system.h"
#include "platform/os_info.h"
#include "platform/registry.h"
#include "platform/security.h"
#include "platform/shell/launcher.h"
#include "platform/shell/profile_library.h"
#include "platform/spooler.h"

namespace plat::shell {

struct ShellPlatform {
  Registry& registry;
  Spooler& spooler;
  FileSystem& files;
  OsInfo& osInfo;
  Security& security;
  ProfileLibrary& profileLibrary;
  Launcher& launcher;
  Trace& trace;
};

}  // namespace plat::shell
