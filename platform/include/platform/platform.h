// The bundle of ports the application holds. Nothing else reaches Windows.
#pragma once
#include "platform/bidi_library.h"
#include "platform/clock.h"
#include "platform/desktop.h"
#include "platform/file_system.h"
#include "platform/install_log.h"
#include "platform/job_scheduler.h"
#include "platform/os_info.h"
#include "platform/process_info.h"
#include "platform/processes.h"
#include "platform/profile.h"
#include "platform/registry.h"
#include "platform/resource_strings.h"
#include "platform/security.h"
#include "platform/services.h"
#include "platform/spooler.h"
#include "platform/task_scheduler.h"
#include "platform/ui.h"
#include "platform/zip_lister.h"

namespace plat {

struct Platform {
  Registry& registry;
  Services& services;
  OsInfo& osInfo;
  Security& security;
  Clock& clock;
  Desktop& desktop;
  ResourceStrings& resources;
  FileSystem& files;
  ProcessInfo& process;
  Processes& processes;
  Ui& ui;
  Spooler& spooler;
  Profile& profile;
  ZipLister& zipLister;
  InstallLog& installLog;
  JobScheduler& jobScheduler;
  TaskScheduler& taskScheduler;
  BidiLibrary& bidiLibrary;
};

}  // namespace plat
