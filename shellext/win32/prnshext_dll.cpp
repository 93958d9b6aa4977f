// prnshext.dll: the in-process COM server the shell loads for printer
// objects. The module entry, the exports, the class factory and CShellExt's
// three interfaces live here; every decision is made by the portable logic
// (ShellExtension) over the Win32 ports.
#include <windows.h>
#include <shlobj.h>

#include <cstdint>
#include <memory>
#include <new>
#include <span>
#include <string>

#include "module_state.h"
#include "profile_loader.h"
#include "profile_records.h"
#include "shell_extension.h"
#include "win32/win32_file_system.h"
#include "win32/win32_os_info.h"
#include "win32/win32_registry.h"
#include "win32/win32_security.h"
#include "win32/win32_spooler.h"
#include "win32_shell_ports.h"

namespace {

// {0CD637C0-0892-11D4-892F-00008364D903}
constexpr GUID kClsidShellExt{0x0CD637C0, 0x0892, 0x11D4, {0x89, 0x2F, 0x00, 0x00, 0x83, 0x64, 0xD9, 0x03}};
constexpr GUID kIidShellExtInit{0x000214E8, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
constexpr GUID kIidContextMenu{0x000214E4, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
constexpr GUID kIidCopyHookA{0x000214EF, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
constexpr GUID kIidUnknown{0x00000000, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
constexpr GUID kIidClassFactory{0x00000001, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

HINSTANCE g_instance = nullptr;
LONG g_liveObjectCount = 0;
shellext::ModuleState g_module;

struct Ports {
  win32::Win32Registry registry;
  win32::Win32Spooler spooler;
  win32::Win32FileSystem files;
  win32::Win32OsInfo osInfo;
  win32::Win32Security security;
  prnshext::Win32ProfileLibrary profileLibrary;
  prnshext::Win32Launcher launcher;
  prnshext::DebugTrace trace;
  plat::shell::ShellPlatform platform{registry, spooler, files, osInfo, security, profileLibrary, launcher, trace};
};

Ports& ThePorts() {
  static Ports ports;
  return ports;
}

void Trace(const char* text) { OutputDebugStringA(text); }

std::string Utf8FromAnsi(const char* s) {
  if (!s || !*s) return {};
  const int n = MultiByteToWideChar(CP_ACP, 0, s, -1, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(CP_ACP, 0, s, -1, wide.data(), n);
  const int m = WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(m), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, out.data(), m, nullptr, nullptr);
  if (!out.empty() && out.back() == '\0') out.pop_back();
  return out;
}

class CShellExt final : public ICopyHookA, public IContextMenu, public IShellExtInit {
 public:
  CShellExt() : logic_(ThePorts().platform, g_module) {
    Trace("CShellExt::CShellExt()\r\n");
    InterlockedIncrement(&g_liveObjectCount);
  }
  ~CShellExt() {
    if (dataObject_) dataObject_->Release();
    InterlockedDecrement(&g_liveObjectCount);
  }
  CShellExt(const CShellExt&) = delete;
  CShellExt& operator=(const CShellExt&) = delete;

  // IUnknown, shared by the three interfaces.
  STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    if (IsEqualIID(riid, kIidShellExtInit) || IsEqualIID(riid, kIidUnknown)) {
      Trace("CShellExt::QueryInterface()==>IID_IShellExtInit\r\n");
      *ppv = static_cast<IShellExtInit*>(this);
    } else if (IsEqualIID(riid, kIidContextMenu)) {
      Trace("CShellExt::QueryInterface()==>IID_IContextMenu\r\n");
      *ppv = static_cast<IContextMenu*>(this);
    } else if (IsEqualIID(riid, kIidCopyHookA)) {
      Trace("CShellExt::QueryInterface()==>ICopyHook\r\n");
      *ppv = static_cast<ICopyHookA*>(this);
    } else {
      Trace("CShellExt::QueryInterface()==>Unknown Interface!\r\n");
      return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() override {
    Trace("CShellExt::AddRef()\r\n");
    return static_cast<ULONG>(InterlockedIncrement(&refCount_));
  }
  STDMETHODIMP_(ULONG) Release() override {
    Trace("CShellExt::Release()\r\n");
    const LONG n = InterlockedDecrement(&refCount_);
    if (n == 0) delete this;
    return static_cast<ULONG>(n);
  }

  // IShellExtInit
  STDMETHODIMP Initialize(PCIDLIST_ABSOLUTE, IDataObject* data, HKEY) override {
    if (!data) return logic_.Initialize(nullptr);
    if (dataObject_) dataObject_->Release();
    dataObject_ = data;
    dataObject_->AddRef();
    FORMATETC format{static_cast<CLIPFORMAT>(RegisterClipboardFormatA("PrinterFriendlyName")), nullptr,
                     DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM medium{};
    shellext::FriendlyNameData answer;
    answer.status = data->GetData(&format, &medium);
    if (answer.status == S_OK && medium.hGlobal) {
      if (const void* block = GlobalLock(medium.hGlobal)) {
        const auto* bytes = static_cast<const std::uint8_t*>(block);
        answer.block.assign(bytes, bytes + GlobalSize(medium.hGlobal));
        GlobalUnlock(medium.hGlobal);
      }
    }
    if (SUCCEEDED(answer.status)) ReleaseStgMedium(&medium);
    return logic_.Initialize(&answer);
  }

  // IContextMenu
  STDMETHODIMP QueryContextMenu(HMENU menu, UINT index, UINT idCmdFirst, UINT, UINT) override {
    const auto plan = logic_.QueryContextMenu(index, idCmdFirst);
    for (const auto& e : plan.entries) {
      if (e.separator) {
        InsertMenuA(menu, e.position, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
        continue;
      }
      char text[260] = {};
      LoadStringA(g_instance, e.item->menuStringId, text, sizeof text);
      InsertMenuA(menu, e.position, MF_BYPOSITION | MF_STRING, e.commandId, text);
      EnableMenuItem(menu, e.position, MF_BYPOSITION | MF_ENABLED);
    }
    return plan.result;
  }
  STDMETHODIMP GetCommandString(UINT_PTR command, UINT type, UINT*, CHAR* name, UINT size) override {
    const std::size_t width = (type & GCS_UNICODE) ? sizeof(WCHAR) : 1;
    const std::span<std::uint8_t> buffer(reinterpret_cast<std::uint8_t*>(name), name ? size * width : 0);
    return logic_.GetCommandString(static_cast<std::uint32_t>(command), type, buffer);
  }
  STDMETHODIMP InvokeCommand(CMINVOKECOMMANDINFO* info) override {
    if (!info) return E_INVALIDARG;
    const auto verb = reinterpret_cast<std::uintptr_t>(info->lpVerb);
    return logic_.InvokeCommand(HIWORD(verb) != 0, LOWORD(verb), reinterpret_cast<plat::Handle>(info->hwnd));
  }

  // ICopyHookA
  STDMETHODIMP_(UINT) CopyCallback(HWND window, UINT operation, UINT, PCSTR source, DWORD, PCSTR destination,
                                   DWORD) override {
    return logic_.CopyCallback(reinterpret_cast<plat::Handle>(window), operation, Utf8FromAnsi(source),
                               Utf8FromAnsi(destination));
  }

 private:
  IDataObject* dataObject_ = nullptr;
  LONG refCount_ = 0;
  shellext::ShellExtension logic_;
};

class CShellExtClassFactory final : public IClassFactory {
 public:
  CShellExtClassFactory() {
    Trace("CShellExtClassFactory::CShellExtClassFactory()\r\n");
    InterlockedIncrement(&g_liveObjectCount);
  }
  ~CShellExtClassFactory() { InterlockedDecrement(&g_liveObjectCount); }
  CShellExtClassFactory(const CShellExtClassFactory&) = delete;
  CShellExtClassFactory& operator=(const CShellExtClassFactory&) = delete;

  STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
    Trace("CShellExtClassFactory::QueryInterface()\r\n");
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    if (!IsEqualIID(riid, kIidUnknown) && !IsEqualIID(riid, kIidClassFactory)) return E_NOINTERFACE;
    *ppv = static_cast<IClassFactory*>(this);
    AddRef();
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&refCount_)); }
  STDMETHODIMP_(ULONG) Release() override {
    const LONG n = InterlockedDecrement(&refCount_);
    if (n == 0) delete this;
    return static_cast<ULONG>(n);
  }
  STDMETHODIMP CreateInstance(IUnknown* outer, REFIID riid, void** ppv) override {
    Trace("CShellExtClassFactory::CreateInstance()\r\n");
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    auto* object = new (std::nothrow) CShellExt();
    if (!object) return E_OUTOFMEMORY;
    // The object starts at no references: a failed query leaves it to be freed here.
    const HRESULT hr = object->QueryInterface(riid, ppv);
    if (FAILED(hr)) delete object;
    return hr;
  }
  STDMETHODIMP LockServer(BOOL) override { return S_OK; }

 private:
  LONG refCount_ = 0;
};

}  // namespace

extern "C" {

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    Trace("In DLLMain, DLL_PROCESS_ATTACH\r\n");
    g_instance = instance;
    auto& ports = ThePorts();
    g_module = shellext::AttachModule(ports.osInfo, ports.security);
  } else if (reason == DLL_PROCESS_DETACH) {
    Trace("In DLLMain, DLL_PROCESS_DETACH\r\n");
  }
  return TRUE;
}

HRESULT __stdcall DllGetClassObject(REFCLSID rclsid, REFIID riid, void** ppv) {
  Trace("In DllGetClassObject\r\n");
  if (!ppv) return E_POINTER;
  *ppv = nullptr;
  if (!IsEqualCLSID(rclsid, kClsidShellExt)) return CLASS_E_CLASSNOTAVAILABLE;
  auto* factory = new (std::nothrow) CShellExtClassFactory();
  if (!factory) return E_OUTOFMEMORY;
  const HRESULT hr = factory->QueryInterface(riid, ppv);
  if (FAILED(hr)) delete factory;
  return hr;
}

HRESULT __stdcall DllCanUnloadNow() {
  Trace("In DLLCanUnloadNow\r\n");
  return g_liveObjectCount != 0 ? S_FALSE : S_OK;
}

std::uint32_t __stdcall DrvProfileSupportCallback(void* context, const void* info) {
  if (!context || !info) return 1;
  const auto* record = static_cast<const prnshext::SupportInfoRecord*>(info);
  const plat::shell::SupportInfo read{record->version, record->capabilities, record->familyCode};
  return shellext::DrvProfileSupportCallback(static_cast<plat::shell::SupportResult*>(context), &read);
}

}  // extern "C"
