#include "variant_args.h"

namespace vorlog {

std::string WideToUtf8(const wchar_t* text, std::size_t length) {
  if (text == nullptr || length == 0) return {};
  const int n = WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(n > 0 ? n : 0), '\0');
  if (n > 0) WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length), out.data(), n, nullptr, nullptr);
  return out;
}

std::wstring Utf8ToWide(const std::string& text) {
  if (text.empty()) return {};
  const int n = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring out(static_cast<std::size_t>(n > 0 ? n : 0), L'\0');
  if (n > 0) MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
  return out;
}

namespace {

// One argument to `type`; false when it does not convert.
bool ConvertOne(const VARIANTARG& in, logstore::ArgType type, logstore::Value* out) {
  VARIANT value;
  VariantInit(&value);
  // VariantChangeType follows a VT_BYREF itself, but copy first so that a
  // reference to a VARIANT (VT_BYREF | VT_VARIANT) is followed as well.
  if (FAILED(VariantCopyInd(&value, const_cast<VARIANTARG*>(&in)))) return false;
  const VARTYPE target = type == logstore::ArgType::Number ? VT_I4 : VT_BSTR;
  const HRESULT hr = VariantChangeType(&value, &value, 0, target);
  bool ok = SUCCEEDED(hr) && V_VT(&value) == target;
  if (ok) {
    if (target == VT_I4) {
      *out = static_cast<std::int32_t>(V_I4(&value));
    } else {
      const BSTR text = V_BSTR(&value);
      *out = WideToUtf8(text, text == nullptr ? 0 : SysStringLen(text));
    }
  }
  VariantClear(&value);
  return ok;
}

}  // namespace

ConvertedArgs ConvertArguments(const DISPPARAMS& params, const logstore::MethodInfo& method) {
  ConvertedArgs result;
  if (params.cNamedArgs != 0) {
    result.hr = DISP_E_NONAMEDARGS;
    return result;
  }
  if (params.cArgs != method.arguments.size() || (params.cArgs != 0 && params.rgvarg == nullptr)) {
    result.hr = DISP_E_BADPARAMCOUNT;
    return result;
  }
  for (UINT i = 0; i < params.cArgs; ++i) {
    const UINT index = params.cArgs - 1 - i;  // the first argument comes last
    logstore::Value value;
    if (!ConvertOne(params.rgvarg[index], method.arguments[i], &value)) {
      result.hr = DISP_E_TYPEMISMATCH;
      result.badArgument = index;
      result.values.clear();
      return result;
    }
    result.values.push_back(std::move(value));
  }
  return result;
}

}  // namespace vorlog
