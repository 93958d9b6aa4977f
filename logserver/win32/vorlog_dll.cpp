// The DLL's entry points and its class factory: COM creates the one class,
// and the DLL may unload once no object or lock is left.
#include <windows.h>
#include <ole2.h>

#include <new>

#include "log_dispatch.h"
#include "registration.h"
#include "server_module.h"

namespace vorlog {

namespace {

HMODULE g_module = nullptr;
LONG g_refs = 0;

class ClassFactory final : public IClassFactory {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
    if (out == nullptr) return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IClassFactory)) {
      *out = static_cast<IClassFactory*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  // The factory is static: its references only keep the module loaded.
  ULONG STDMETHODCALLTYPE AddRef() override {
    AddModuleRef();
    return 2;
  }
  ULONG STDMETHODCALLTYPE Release() override {
    ReleaseModuleRef();
    return 1;
  }
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** out) override {
    if (out == nullptr) return E_POINTER;
    *out = nullptr;
    if (outer != nullptr) return CLASS_E_NOAGGREGATION;
    auto* object = new (std::nothrow) LogDispatch(StorePath());
    if (object == nullptr) return E_OUTOFMEMORY;
    const HRESULT hr = object->QueryInterface(riid, out);
    object->Release();
    return hr;
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
    if (lock) {
      AddModuleRef();
    } else {
      ReleaseModuleRef();
    }
    return S_OK;
  }
};

ClassFactory g_factory;

}  // namespace

HMODULE Module() { return g_module; }

std::filesystem::path ModulePath() {
  wchar_t buffer[MAX_PATH + 1] = {};
  const DWORD n = GetModuleFileNameW(g_module, buffer, MAX_PATH);
  return std::filesystem::path(std::wstring(buffer, n < MAX_PATH ? n : MAX_PATH));
}

std::filesystem::path StorePath() { return ModulePath().parent_path() / kStoreName; }

void AddModuleRef() { InterlockedIncrement(&g_refs); }
void ReleaseModuleRef() { InterlockedDecrement(&g_refs); }

}  // namespace vorlog

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    vorlog::g_module = instance;
    DisableThreadLibraryCalls(instance);
  }
  return TRUE;
}

extern "C" HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID riid, void** out) {
  if (out == nullptr) return E_POINTER;
  *out = nullptr;
  if (!IsEqualCLSID(clsid, vorlog::kClassId)) return CLASS_E_CLASSNOTAVAILABLE;
  return vorlog::g_factory.QueryInterface(riid, out);
}

extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow() { return vorlog::g_refs == 0 ? S_OK : S_FALSE; }

extern "C" HRESULT STDAPICALLTYPE DllRegisterServer() { return vorlog::RegisterServer(vorlog::ModulePath()); }

extern "C" HRESULT STDAPICALLTYPE DllUnregisterServer() { return vorlog::UnregisterServer(); }
