// The server's object: IDispatch over the store methods, by dispatch id or
// by name, with no type library. A call the store refuses, or a damaged
// store, comes back as DISP_E_EXCEPTION with the reason in EXCEPINFO.
#pragma once
#include <windows.h>
#include <oleauto.h>

#include <filesystem>

namespace vorlog {

// The code in EXCEPINFO when the store refuses a call.
inline constexpr HRESULT kStoreRefused = MAKE_HRESULT(SEVERITY_ERROR, FACILITY_ITF, 0x200);

class LogDispatch final : public IDispatch {
 public:
  // Starts with one reference, which the creator releases.
  explicit LogDispatch(std::filesystem::path storePath);

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;

  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID lcid,
                                          DISPID* ids) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID riid, LCID lcid, WORD flags, DISPPARAMS* params,
                                   VARIANT* result, EXCEPINFO* exception, UINT* badArgument) override;

 private:
  ~LogDispatch();
  LONG refs_ = 1;
  std::filesystem::path storePath_;
};

}  // namespace vorlog
