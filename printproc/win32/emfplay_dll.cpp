// emfplay.dll: the print processor as the 9x spooler loads it. The spooler
// asks InitializePrintProcessor once for the five entry points and calls them
// for every job; each is a thin shell over the portable processor, turning
// its typed results into BOOL and the thread's last error.
#include <windows.h>

#include <cstring>
#include <memory>
#include <optional>
#include <string>

#include "finishing/finishing_playback.h"
#include "processor/datatypes.h"
#include "processor/print_processor.h"
#include "processor/seams.h"
#include "processor/string_table.h"
#include "separator/separator_printer.h"
#include "win32print/print_ports.h"

namespace {

constexpr int kMaxStringLength = 260;

HINSTANCE g_module = nullptr;

struct Processor {
  win32print::Win32PrintPorts ports;
  emfplay::separator::SeparatorAssets assets;
  emfplay::FinishingPlayback finisher{ports.platform, ports.libraries};
  emfplay::separator::SeparatorPrinter separators{ports.platform, assets, finisher};
  std::unique_ptr<emfplay::PrintProcessor> processor;
};
Processor* g_processor = nullptr;

std::string LoadText(UINT id) {
  char buffer[kMaxStringLength + 1] = {};
  const int n = LoadStringA(g_module, id, buffer, sizeof buffer);
  return std::string(buffer, n > 0 ? static_cast<std::size_t>(n) : 0);
}

// One of the library's own resources; it stays mapped as long as the library
// is loaded. Empty when it is missing.
std::span<const std::uint8_t> LoadPicture(WORD number) {
  HRSRC found = FindResourceA(g_module, MAKEINTRESOURCEA(number),
                              MAKEINTRESOURCEA(emfplay::separator::kPictureResourceType));
  HGLOBAL loaded = found ? LoadResource(g_module, found) : nullptr;
  const void* bytes = loaded ? LockResource(loaded) : nullptr;
  if (!bytes) return {};
  return {static_cast<const std::uint8_t*>(bytes), SizeofResource(g_module, found)};
}

emfplay::separator::SeparatorAssets LoadAssets() {
  emfplay::separator::SeparatorAssets assets;
  for (UINT id = 1; id <= 6; ++id) assets.strings[id] = LoadText(id);
  assets.pictureWindows95 = LoadPicture(emfplay::separator::kPictureWindows95);
  assets.pictureWindows98 = LoadPicture(emfplay::separator::kPictureWindows98);
  return assets;
}

std::optional<std::string> Text(LPCSTR s) { return s ? std::optional<std::string>(s) : std::nullopt; }

BOOL Report(const plat::print::Status& status) {
  if (status.ok()) return TRUE;
  SetLastError(status.error().code());
  return FALSE;
}

BOOL WINAPI EnumDatatypes(LPSTR /*server*/, LPSTR /*processor*/, DWORD /*level*/, LPBYTE buffer, DWORD size,
                          LPDWORD needed, LPDWORD returned) {
  // A null buffer holds nothing, whatever size comes with it.
  const std::span<std::uint8_t> space = buffer ? std::span<std::uint8_t>(buffer, size) : std::span<std::uint8_t>();
  emfplay::DatatypeListing listing;
  const auto status =
      emfplay::EnumerateDatatypes(space, static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(buffer)), &listing);
  if (needed) *needed = listing.needed;
  if (returned) *returned = listing.returned;
  return Report(status);
}

HANDLE WINAPI OpenProcessor(LPSTR printerName) {
  if (!g_processor || !printerName) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  auto id = g_processor->processor->Open(printerName);
  if (!id.ok()) {
    SetLastError(id.error().code());
    return nullptr;
  }
  return reinterpret_cast<HANDLE>(*id);
}

// The spooler's document record: 32-bit fields at fixed offsets.
emfplay::DocumentData ReadDocumentData(const void* record) {
  auto field = [record](std::size_t offset) {
    std::uint32_t v;
    std::memcpy(&v, static_cast<const std::uint8_t*>(record) + offset, 4);
    return v;
  };
  auto text = [&](std::size_t offset) { return Text(reinterpret_cast<LPCSTR>(static_cast<std::uintptr_t>(field(offset)))); };
  emfplay::DocumentData doc;
  doc.datatype = text(4);
  doc.document = text(12);
  doc.jobId = field(16);
  doc.outputFile = text(20);
  doc.spoolStream = field(24);
  doc.separatorFile = text(28);
  return doc;
}

BOOL WINAPI PrintDocument(HANDLE handle, LPVOID documentData) {
  if (!g_processor) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (!documentData) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  return Report(g_processor->processor->PrintDocument(reinterpret_cast<std::uintptr_t>(handle),
                                                      ReadDocumentData(documentData)));
}

BOOL WINAPI CloseProcessor(HANDLE handle) {
  if (!g_processor) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  return Report(g_processor->processor->Close(reinterpret_cast<std::uintptr_t>(handle)));
}

BOOL WINAPI ControlProcessor(HANDLE handle, DWORD command, DWORD /*reserved*/, LPSTR datatype, DWORD spoolStream) {
  if (!g_processor) return FALSE;
  const auto name = datatype ? std::optional<std::string_view>(datatype) : std::nullopt;
  return g_processor->processor->Control(reinterpret_cast<std::uintptr_t>(handle), command, name, spoolStream)
             ? TRUE
             : FALSE;
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID /*reserved*/) {
  if (reason == DLL_PROCESS_ATTACH) {
    g_module = instance;
    DisableThreadLibraryCalls(instance);
  }
  return TRUE;
}

// The spooler's table of five entry points, in this order. Its size is the
// spooler's to get right.
extern "C" BOOL WINAPI InitializePrintProcessor(LPVOID table, DWORD /*tableSize*/) {
  auto** entries = static_cast<void**>(table);
  entries[0] = reinterpret_cast<void*>(&EnumDatatypes);
  entries[1] = reinterpret_cast<void*>(&OpenProcessor);
  entries[2] = reinterpret_cast<void*>(&PrintDocument);
  entries[3] = reinterpret_cast<void*>(&CloseProcessor);
  entries[4] = reinterpret_cast<void*>(&ControlProcessor);
  if (!g_processor) {
    // Lives as long as the spooler keeps the library: its handles outlast any call.
    g_processor = new Processor;
    g_processor->assets = LoadAssets();
    emfplay::SeparatorNames names{LoadText(emfplay::kStringSimpleSeparator), LoadText(emfplay::kStringFullSeparator)};
    g_processor->processor = std::make_unique<emfplay::PrintProcessor>(g_processor->ports.platform, std::move(names),
                                                                       g_processor->separators, g_processor->finisher);
  }
  return TRUE;
}
