#include "log_dispatch.h"

#include <cwchar>

#include "log_methods.h"
#include "server_module.h"
#include "variant_args.h"

namespace vorlog {

namespace {

void Raise(EXCEPINFO* exception, const std::string& description) {
  if (exception == nullptr) return;
  *exception = EXCEPINFO{};
  exception->bstrSource = SysAllocString(kProgId);
  const std::wstring text = Utf8ToWide(description);
  exception->bstrDescription = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  exception->scode = kStoreRefused;
}

HRESULT SetResult(VARIANT* result, const logstore::Value& value) {
  if (result == nullptr) return S_OK;
  VariantInit(result);
  if (const auto* number = std::get_if<std::int32_t>(&value)) {
    V_VT(result) = VT_I4;
    V_I4(result) = *number;
    return S_OK;
  }
  const std::wstring text = Utf8ToWide(std::get<std::string>(value));
  const BSTR bstr = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  if (bstr == nullptr) return E_OUTOFMEMORY;
  V_VT(result) = VT_BSTR;
  V_BSTR(result) = bstr;
  return S_OK;
}

}  // namespace

LogDispatch::LogDispatch(std::filesystem::path storePath) : storePath_(std::move(storePath)) { AddModuleRef(); }

LogDispatch::~LogDispatch() { ReleaseModuleRef(); }

HRESULT LogDispatch::QueryInterface(REFIID riid, void** out) {
  if (out == nullptr) return E_POINTER;
  if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch)) {
    *out = static_cast<IDispatch*>(this);
    AddRef();
    return S_OK;
  }
  *out = nullptr;
  return E_NOINTERFACE;
}

ULONG LogDispatch::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&refs_)); }

ULONG LogDispatch::Release() {
  const LONG left = InterlockedDecrement(&refs_);
  if (left == 0) delete this;
  return static_cast<ULONG>(left);
}

HRESULT LogDispatch::GetTypeInfoCount(UINT* count) {
  if (count == nullptr) return E_POINTER;
  *count = 0;
  return S_OK;
}

HRESULT LogDispatch::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
  if (info != nullptr) *info = nullptr;
  return DISP_E_BADINDEX;
}

HRESULT LogDispatch::GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
  if (!IsEqualIID(riid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
  if (names == nullptr || ids == nullptr) return E_POINTER;
  HRESULT hr = S_OK;
  for (UINT i = 0; i < count; ++i) {
    ids[i] = DISPID_UNKNOWN;
    const logstore::MethodInfo* method =
        i == 0 && names[i] != nullptr ? logstore::MethodByName(WideToUtf8(names[i], std::wcslen(names[i])))
                                      : nullptr;
    // The methods take no named arguments, so only the method's own name maps.
    if (method == nullptr) {
      hr = DISP_E_UNKNOWNNAME;
    } else {
      ids[i] = method->dispid;
    }
  }
  return hr;
}

HRESULT LogDispatch::Invoke(DISPID id, REFIID riid, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                            EXCEPINFO* exception, UINT* badArgument) {
  if (!IsEqualIID(riid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
  // A late-bound caller may ask for a method's value as a property get.
  if ((flags & (DISPATCH_METHOD | DISPATCH_PROPERTYGET)) == 0) return DISP_E_MEMBERNOTFOUND;
  const logstore::MethodInfo* method = logstore::MethodById(id);
  if (method == nullptr) return DISP_E_MEMBERNOTFOUND;
  DISPPARAMS none = {nullptr, nullptr, 0, 0};
  const ConvertedArgs args = ConvertArguments(params != nullptr ? *params : none, *method);
  if (FAILED(args.hr)) {
    if (args.hr == DISP_E_TYPEMISMATCH && badArgument != nullptr) *badArgument = args.badArgument;
    return args.hr;
  }
  try {
    const logstore::CallResult outcome = logstore::CallMethod(storePath_, id, args.values);
    if (const auto* failure = std::get_if<logstore::CallFailure>(&outcome)) {
      Raise(exception, failure->description);
      return DISP_E_EXCEPTION;
    }
    return SetResult(result, std::get<logstore::Value>(outcome));
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (const std::exception& e) {
    // No exception may cross the COM boundary.
    Raise(exception, e.what());
    return DISP_E_EXCEPTION;
  }
}

}  // namespace vorlog
