// Open, close and control.
#include "processor/print_processor.h"

#include "platform/win_errors.h"

namespace emfplay {

namespace pp = plat::print;

PrintProcessor::~PrintProcessor() {
  for (auto& [id, handle] : open_) {
    p_.jobs.Close(handle->printer);
    p_.events.Close(handle->pauseEvent());
  }
}

std::shared_ptr<ProcessorHandle> PrintProcessor::Find(ProcessorId handle) {
  std::lock_guard lock(mutex_);
  const auto it = open_.find(handle);
  if (it == open_.end() || !it->second->valid()) return nullptr;
  return it->second;
}

pp::Result<PrintProcessor::ProcessorId> PrintProcessor::Open(std::string_view printerName) {
  auto printer = p_.jobs.OpenPrinter(printerName);
  if (!printer.ok()) return printer.error();
  auto event = p_.events.CreateAutoReset(true);
  if (!event.ok()) {
    // Without the event a pause could never be waited out.
    p_.jobs.Close(*printer);
    return event.error();
  }
  auto handle = std::make_shared<ProcessorHandle>(p_.events, *event, *printer, std::string(printerName));
  const auto id = reinterpret_cast<ProcessorId>(handle.get());
  std::lock_guard lock(mutex_);
  open_.emplace(id, std::move(handle));
  return id;
}

pp::Status PrintProcessor::Close(ProcessorId id) {
  std::shared_ptr<ProcessorHandle> handle;
  {
    std::lock_guard lock(mutex_);
    const auto it = open_.find(id);
    if (it == open_.end() || !it->second->valid()) return pp::Error(winerr::InvalidHandle);
    handle = std::move(it->second);
    open_.erase(it);
  }
  handle->Invalidate();
  if (handle->printer) p_.jobs.Close(handle->printer);
  p_.events.Close(handle->pauseEvent());
  return pp::Ok();
}

bool PrintProcessor::Control(ProcessorId id, std::uint32_t command, std::optional<std::string_view> datatype,
                             plat::Handle spoolStream) {
  if (id == 0) {
    if (command != static_cast<std::uint32_t>(ControlCommand::Cancel)) return false;
    if (datatype && DatatypeOf(*datatype) == Datatype::Emf) return p_.spoolPlayer.Abandon(spoolStream, 0).ok();
    return true;
  }
  const auto handle = Find(id);
  if (!handle) return false;
  switch (static_cast<ControlCommand>(command)) {
    case ControlCommand::Pause:
      handle->Pause();
      return true;
    case ControlCommand::Resume:
      handle->Resume();
      return true;
    case ControlCommand::Cancel:
      handle->Cancel();
      return true;
  }
  return false;
}

}  // namespace emfplay
