#include "printing/print_processor_removal.h"

#include "platform/text.h"
#include "platform/win_errors.h"
#include "platform/win_path.h"
#include "printing/printer_driver_list.h"
#include "printing/printer_list.h"
#include "system/deferred_deleter.h"
#include "system/registry_helpers.h"

namespace {

// Processors of Windows itself; other printers rely on them.
constexpr const char* kSystemProcessors[] = {"WINPRINT", "SFMPSPRT"};

bool IsSystemProcessor(std::string_view name) {
  for (const char* system : kSystemProcessors)
    if (text::IEquals(name, system)) return true;
  return false;
}

const char* ProcessorEnvironment(OsKind os) {
  return IsWinNT(os) ? plat::spool::EnvNtX86 : plat::spool::EnvWin40;
}

// The maker's printers may print through any processor, so the name a
// printer gives says nothing about who made it. The maker's own processor
// ships with the maker's drivers: its library is a file that one of the
// maker's driver sets lists. A processor without a library is nobody's known.
bool IsMakersProcessorLibrary(const CPrinterDriverList& drivers, std::string_view library) {
  const std::string_view wanted = winpath::FileName(library);
  if (wanted.empty()) return false;
  for (const auto& set : drivers) {
    if (!set->isMaker) continue;
    for (const auto& driver : set->drivers)
      for (const std::string& listed : driver->dependentFiles)
        if (text::IEquals(winpath::FileName(listed), wanted)) return true;
  }
  return false;
}

// Empty when the processor names no library: then it is nobody's known.
std::string LibraryOf(CPrinterList& printers, std::string_view processorName) {
  PrintingContext& context = printers.context();
  return RegGetString(context.platform.registry, plat::kHkeyLocalMachine,
                      PrintProcessorKey(context.os(), processorName), "Driver")
      .value_or("");
}

}  // namespace

std::string PrintProcessorKey(OsKind os, std::string_view processorName) {
  return std::string("SYSTEM\\CurrentControlSet\\Control\\Print\\Environments\\") + ProcessorEnvironment(os) +
         "\\Print Processors\\" + std::string(processorName);
}

void ForgetPrintProcessor(std::vector<std::string>& names, std::string_view processorName) {
  std::erase_if(names, [&](const std::string& name) { return text::IEquals(name, processorName); });
}

void RemoveFreedPrintProcessors(CPrinterList& printers, const std::vector<std::string>& processorNames) {
  if (processorNames.empty()) return;
  PrintingContext& context = printers.context();
  plat::Spooler& spooler = context.platform.spooler;
  std::string directory;
  // Without the directory no library path can be formed; the processors
  // still go from the spooler.
  if (spooler.GetProcessorDirectory(ProcessorEnvironment(context.os()), &directory) != winerr::Success)
    directory.clear();

  for (const std::string& name : processorNames) {
    // A system processor stays, but the names after it are still handled.
    if (name.empty() || IsSystemProcessor(name)) continue;
    const std::string library = LibraryOf(printers, name);
    if (!IsMakersProcessorLibrary(context.drivers, library)) {
      printers.NoteKeptPrintProcessor(name);
      continue;
    }
    // A processor the spooler keeps keeps its library.
    if (spooler.DeleteProcessor("", name) != winerr::Success) continue;
    // The library is named by registry data: only a plain name may be joined
    // to the processor directory, so that the value can never lead the
    // deletion into another directory (or onto the directory itself).
    if (directory.empty() || !winpath::IsPlainName(library)) continue;
    if (printers.IsProcessorDllInUse(library)) continue;
    // What stays is collected or scheduled by the deleter.
    static_cast<void>(context.deleter.DeleteFileOrDefer(directory + "\\" + library));
  }
}
