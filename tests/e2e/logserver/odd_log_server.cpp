// A stand-in for the install-log server that answers every method with a
// value of the wrong type, or raises an exception whose text comes late: the
// client must coerce what converts and report the rest, never crash.
#include <windows.h>
#include <ole2.h>
#include <oleauto.h>

namespace {

constexpr CLSID kClass = {0x16DFC280, 0x1881, 0x11D5, {0x80, 0xE0, 0x00, 0xC0, 0x4F, 0x7F, 0x0E, 0x59}};

HRESULT STDAPICALLTYPE FillIn(EXCEPINFO* exception) {
  exception->bstrDescription = SysAllocString(L"filled in late");
  return S_OK;
}

class OddDispatch final : public IDispatch {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch)) {
      *out = static_cast<IDispatch*>(this);
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  // One static object for the whole process.
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return DISP_E_UNKNOWNNAME;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT* result,
                                   EXCEPINFO* exception, UINT*) override {
    VariantInit(result);
    switch (id) {
      case 0x60020002:  // ForgetComponent: nothing at all
        return S_OK;
      case 0x60020003:  // IsInstalled: a number as text
        V_VT(result) = VT_BSTR;
        V_BSTR(result) = SysAllocString(L"1");
        return S_OK;
      case 0x60020008:  // GetList: a number for a text
        V_VT(result) = VT_I4;
        V_I4(result) = 42;
        return S_OK;
      case 0x60020006:  // GetProperty: an object for a text
        V_VT(result) = VT_DISPATCH;
        V_DISPATCH(result) = nullptr;
        return S_OK;
      case 0x60020005:  // GetLoggedPath: SQL's null
        V_VT(result) = VT_NULL;
        return S_OK;
      default:  // GetStorePath: an exception described only on demand
        *exception = EXCEPINFO{};
        exception->wCode = 7;
        exception->pfnDeferredFillIn = FillIn;
        return DISP_E_EXCEPTION;
    }
  }
};

class Factory final : public IClassFactory {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IClassFactory)) {
      *out = static_cast<IClassFactory*>(this);
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown*, REFIID riid, void** out) override {
    return object_.QueryInterface(riid, out);
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }

 private:
  OddDispatch object_;
};

Factory g_factory;

}  // namespace

extern "C" HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID riid, void** out) {
  *out = nullptr;
  if (!IsEqualCLSID(clsid, kClass)) return CLASS_E_CLASSNOTAVAILABLE;
  return g_factory.QueryInterface(riid, out);
}

extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow() { return S_FALSE; }
