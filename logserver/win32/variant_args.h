// Arguments as a late-bound caller passes them: VARIANTs in reverse order,
// by value or by reference, of whatever type the caller's variable had.
// Each is converted to the type the method declares, as the automation
// rules convert (a number given as text, a text given as number); what does
// not convert is refused with the index of the argument.
#pragma once
#include <windows.h>
#include <oleauto.h>

#include <string>
#include <vector>

#include "log_methods.h"

namespace vorlog {

std::string WideToUtf8(const wchar_t* text, std::size_t length);
std::wstring Utf8ToWide(const std::string& text);

struct ConvertedArgs {
  HRESULT hr = S_OK;
  UINT badArgument = 0;  // the index into rgvarg, on DISP_E_TYPEMISMATCH
  std::vector<logstore::Value> values;
};

ConvertedArgs ConvertArguments(const DISPPARAMS& params, const logstore::MethodInfo& method);

}  // namespace vorlog
