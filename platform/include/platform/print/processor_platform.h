// The bundle of ports the print processor holds. Nothing else reaches Windows.
#pragma once
#include "platform/print/byte_files.h"
#include "platform/print/events.h"
#include "platform/print/gdi.h"
#include "platform/print/job_channel.h"
#include "platform/print/print_host.h"
#include "platform/print/spool_stream_player.h"

namespace plat::print {

struct ProcessorPlatform {
  JobChannel& jobs;
  SpoolStreamPlayer& spoolPlayer;
  PrintHost& host;
  Events& events;
  ByteFiles& files;
  Gdi& gdi;
};

}  // namespace plat::print
