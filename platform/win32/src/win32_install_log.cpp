// The install-log client: OLE on the calling thread, the server created by
// its class identifier, and every call made late-bound by dispatch id.
// Whatever the server answers is checked and converted before it reaches the
// caller: a value of the wrong type is coerced or reported, never trusted.
#include "win32/win32_install_log.h"

#include <windows.h>
#include <ole2.h>
#include <oleauto.h>

#include <array>
#include <vector>

#include "wide.h"

namespace win32 {

namespace {

// {16DFC280-1881-11D5-80E0-00C04F7F0E59}
constexpr CLSID kInstallLogClass = {0x16DFC280, 0x1881, 0x11D5, {0x80, 0xE0, 0x00, 0xC0, 0x4F, 0x7F, 0x0E, 0x59}};
constexpr std::uint32_t kNotConnected = 0x8000FFFF;  // E_UNEXPECTED

plat::LogFailure Failure(HRESULT hr, std::string description) {
  return {static_cast<std::uint32_t>(hr), std::move(description)};
}

std::string FromBstr(BSTR text) { return text == nullptr ? std::string() : Narrow({text, SysStringLen(text)}); }

// One argument of a call, owning its VARIANT.
class Arg {
 public:
  explicit Arg(std::int32_t number) {
    VariantInit(&v_);
    V_VT(&v_) = VT_I4;
    V_I4(&v_) = number;
  }
  explicit Arg(std::string_view text) {
    VariantInit(&v_);
    const std::wstring wide = Wide(text);
    V_VT(&v_) = VT_BSTR;
    V_BSTR(&v_) = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
  }
  Arg(const Arg&) = delete;
  Arg& operator=(const Arg&) = delete;
  ~Arg() { VariantClear(&v_); }
  bool ok() const { return V_VT(&v_) != VT_BSTR || V_BSTR(&v_) != nullptr; }
  const VARIANT& variant() const { return v_; }

 private:
  VARIANT v_;
};

// Calls `dispid` with `args` (first argument first) and coerces the answer
// to `type`.
plat::LogResult<VARIANT> Invoke(IDispatch* dispatch, std::int32_t dispid, std::initializer_list<const Arg*> args,
                                VARTYPE type) {
  if (dispatch == nullptr) return Failure(static_cast<HRESULT>(kNotConnected), "not connected to the install-log server");
  std::vector<VARIANTARG> reversed;
  reversed.reserve(args.size());
  for (auto it = args.end(); it != args.begin();) {
    --it;
    if (!(*it)->ok()) return Failure(E_OUTOFMEMORY, "out of memory");
    reversed.push_back((*it)->variant());  // borrowed: the Arg keeps ownership
  }
  DISPPARAMS params = {reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
  VARIANT result;
  VariantInit(&result);
  EXCEPINFO exception = {};
  UINT badArgument = 0;
  HRESULT hr = dispatch->Invoke(dispid, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, &result,
                                &exception, &badArgument);
  if (hr == DISP_E_EXCEPTION) {
    if (exception.pfnDeferredFillIn != nullptr) exception.pfnDeferredFillIn(&exception);
    std::string description = FromBstr(exception.bstrDescription);
    const HRESULT code = FAILED(exception.scode) ? exception.scode
                         : exception.wCode != 0 ? MAKE_HRESULT(SEVERITY_ERROR, FACILITY_ITF, exception.wCode)
                                                : hr;
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrHelpFile);
    VariantClear(&result);
    return Failure(code, description.empty() ? "the install-log server raised an exception" : description);
  }
  if (FAILED(hr)) {
    VariantClear(&result);
    return Failure(hr, "the install-log server refused the call");
  }
  hr = VariantChangeType(&result, &result, 0, type);
  if (FAILED(hr)) {
    VariantClear(&result);
    return Failure(hr, "the install-log server answered with a value of the wrong type");
  }
  return result;
}

plat::LogResult<std::int32_t> AsNumber(plat::LogResult<VARIANT> r) {
  if (!r.ok()) return r.failure();
  VARIANT v = r.value();
  const std::int32_t n = static_cast<std::int32_t>(V_I4(&v));
  VariantClear(&v);
  return n;
}

plat::LogResult<std::string> AsText(plat::LogResult<VARIANT> r) {
  if (!r.ok()) return r.failure();
  VARIANT v = r.value();
  std::string text = FromBstr(V_BSTR(&v));
  VariantClear(&v);
  return text;
}

IDispatch* AsDispatch(void* p) { return static_cast<IDispatch*>(p); }

}  // namespace

Win32InstallLog::~Win32InstallLog() { Release(); }

plat::LogResult<plat::LogDone> Win32InstallLog::InitializeOle() {
  const HRESULT hr = OleInitialize(nullptr);
  if (FAILED(hr)) return Failure(hr, "OLE could not be initialised");
  return plat::LogDone{};
}

void Win32InstallLog::UninitializeOle() { OleUninitialize(); }

plat::LogResult<plat::LogDone> Win32InstallLog::Connect() {
  Release();
  IDispatch* dispatch = nullptr;
  const HRESULT hr = CoCreateInstance(kInstallLogClass, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER,
                                      IID_IDispatch, reinterpret_cast<void**>(&dispatch));
  if (FAILED(hr) || dispatch == nullptr) return Failure(FAILED(hr) ? hr : E_NOINTERFACE, "the install-log server could not be created");
  dispatch_ = dispatch;
  return plat::LogDone{};
}

void Win32InstallLog::Release() {
  if (dispatch_ != nullptr) AsDispatch(dispatch_)->Release();
  dispatch_ = nullptr;
}

plat::LogResult<std::int32_t> Win32InstallLog::ForgetComponent(std::string_view key) {
  const Arg k(key);
  return AsNumber(Invoke(AsDispatch(dispatch_), plat::logdispid::ForgetComponent, {&k}, VT_I4));
}

plat::LogResult<std::int32_t> Win32InstallLog::IsInstalled(std::string_view key) {
  const Arg k(key);
  return AsNumber(Invoke(AsDispatch(dispatch_), plat::logdispid::IsInstalled, {&k}, VT_I4));
}

plat::LogResult<std::string> Win32InstallLog::GetLoggedPath(std::int32_t kind, std::string_view key,
                                                            std::string_view fileName) {
  const Arg a(kind), k(key), f(fileName);
  return AsText(Invoke(AsDispatch(dispatch_), plat::logdispid::GetLoggedPath, {&a, &k, &f}, VT_BSTR));
}

plat::LogResult<std::string> Win32InstallLog::GetProperty(std::string_view key, std::string_view name) {
  const Arg k(key), n(name);
  return AsText(Invoke(AsDispatch(dispatch_), plat::logdispid::GetProperty, {&k, &n}, VT_BSTR));
}

plat::LogResult<std::string> Win32InstallLog::GetList(std::int32_t kind, std::string_view key) {
  const Arg a(kind), k(key);
  return AsText(Invoke(AsDispatch(dispatch_), plat::logdispid::GetList, {&a, &k}, VT_BSTR));
}

plat::LogResult<std::string> Win32InstallLog::GetStorePath(std::int32_t which) {
  const Arg w(which);
  return AsText(Invoke(AsDispatch(dispatch_), plat::logdispid::GetStorePath, {&w}, VT_BSTR));
}

}  // namespace win32
