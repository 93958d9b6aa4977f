// The install-log server (vorlog.dll beside this program) and the Win32
// client: registration, a log written through the server's own writing
// methods as an installer would call them, read back through the adapter,
// and the failures a client must survive.
#include <windows.h>
#include <ole2.h>
#include <oleauto.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/install_log.h"
#include "win32/win32_install_log.h"

namespace {

constexpr CLSID kClass = {0x16DFC280, 0x1881, 0x11D5, {0x80, 0xE0, 0x00, 0xC0, 0x4F, 0x7F, 0x0E, 0x59}};
constexpr std::uint32_t kClassNotRegistered = 0x80040154;
constexpr std::uint32_t kStoreRefused = 0x80040200;

std::filesystem::path Beside(const wchar_t* name) {
  wchar_t buffer[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, buffer, MAX_PATH);
  return std::filesystem::path(buffer).parent_path() / name;
}

using EntryPoint = HRESULT(STDAPICALLTYPE*)();

class Server {
 public:
  Server() : module_(LoadLibraryW(Beside(L"vorlog.dll").c_str())) {}
  ~Server() {
    if (module_ != nullptr) FreeLibrary(module_);
  }
  HRESULT Call(const char* name) {
    if (module_ == nullptr) return E_FAIL;
    auto entry = reinterpret_cast<EntryPoint>(reinterpret_cast<void*>(GetProcAddress(module_, name)));
    return entry == nullptr ? E_NOINTERFACE : entry();
  }

 private:
  HMODULE module_;
};

std::wstring ReadClassesRoot(const std::wstring& subkey, const wchar_t* name) {
  wchar_t buffer[MAX_PATH] = {};
  DWORD size = sizeof buffer;
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CLASSES_ROOT, subkey.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return L"<no key>";
  const LONG rc = RegQueryValueExW(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size);
  RegCloseKey(key);
  return rc == ERROR_SUCCESS ? std::wstring(buffer) : L"<no value>";
}

// A VARIANT owned by the test.
struct Var {
  VARIANT v;
  Var() { VariantInit(&v); }
  explicit Var(long n) : Var() {
    V_VT(&v) = VT_I4;
    V_I4(&v) = n;
  }
  explicit Var(const wchar_t* text) : Var() {
    V_VT(&v) = VT_BSTR;
    V_BSTR(&v) = SysAllocString(text);
  }
  ~Var() { VariantClear(&v); }
};

class InstallLogOnWine : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(server_.Call("DllRegisterServer"), S_OK);
    std::filesystem::remove(Beside(L"vorlog.dat"));
    ASSERT_TRUE(log_.InitializeOle().ok());
    ASSERT_TRUE(log_.Connect().ok());
    ASSERT_EQ(CoCreateInstance(kClass, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                               reinterpret_cast<void**>(&dispatch_)),
              S_OK);
  }
  void TearDown() override {
    if (dispatch_ != nullptr) dispatch_->Release();
    log_.Release();
    log_.UninitializeOle();
    std::filesystem::remove(Beside(L"vorlog.dat"));
    EXPECT_EQ(server_.Call("DllUnregisterServer"), S_OK);
  }

  // Invokes by dispatch id with the arguments in the caller's order.
  HRESULT Invoke(DISPID id, std::vector<VARIANT> args, VARIANT* result, UINT* badArgument = nullptr) {
    std::vector<VARIANT> reversed(args.rbegin(), args.rend());
    DISPPARAMS params = {reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
    EXCEPINFO exception = {};
    UINT bad = 0;
    const HRESULT hr =
        dispatch_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, result, &exception, &bad);
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrHelpFile);
    if (badArgument != nullptr) *badArgument = bad;
    return hr;
  }
  long Number(DISPID id, std::vector<VARIANT> args) {
    Var result;
    EXPECT_EQ(Invoke(id, std::move(args), &result.v), S_OK) << std::hex << id;
    return V_VT(&result.v) == VT_I4 ? V_I4(&result.v) : -999;
  }

  Server server_;
  win32::Win32InstallLog log_;
  IDispatch* dispatch_ = nullptr;
};

TEST(InstallLogRegistration, RegisteringPutsTheServerUnderItsClassAndProgIdAndUnregisteringTakesItAway) {
  Server server;
  ASSERT_EQ(server.Call("DllRegisterServer"), S_OK);
  const std::wstring clsid = L"CLSID\\{16DFC280-1881-11D5-80E0-00C04F7F0E59}";
  EXPECT_EQ(std::filesystem::path(ReadClassesRoot(clsid + L"\\InprocServer32", nullptr)), Beside(L"vorlog.dll"));
  EXPECT_EQ(ReadClassesRoot(clsid + L"\\InprocServer32", L"ThreadingModel"), L"Apartment");
  CLSID fromProgId = {};
  EXPECT_EQ(CLSIDFromProgID(L"Vorlog.InstallLog", &fromProgId), S_OK);
  EXPECT_TRUE(IsEqualCLSID(fromProgId, kClass));

  ASSERT_EQ(server.Call("DllUnregisterServer"), S_OK);
  EXPECT_EQ(ReadClassesRoot(clsid, nullptr), L"<no key>");
  win32::Win32InstallLog log;
  ASSERT_TRUE(log.InitializeOle().ok());
  const auto connected = log.Connect();
  ASSERT_FALSE(connected.ok());
  EXPECT_EQ(connected.failure().hresult, kClassNotRegistered);
  const auto unconnected = log.IsInstalled("Kestrion");
  ASSERT_FALSE(unconnected.ok());
  log.UninitializeOle();
}

TEST_F(InstallLogOnWine, ALogWrittenAsALateBoundInstallerCallsIsReadBackThroughTheAdapter) {
  // By value, a number given as text, a text by reference, and a VARIANT by
  // reference: the ways a late-bound caller passes its variables.
  BSTR key = SysAllocString(L"Kestrion");
  VARIANT keyRef;
  V_VT(&keyRef) = VT_BYREF | VT_BSTR;
  V_BSTRREF(&keyRef) = &key;
  Var kindText(L"1");
  Var entry(L"C:\\KS\\ks.exe");
  VARIANT entryRef;
  V_VT(&entryRef) = VT_BYREF | VT_VARIANT;
  V_VARIANTREF(&entryRef) = &entry.v;
  EXPECT_EQ(Number(0x60020000, {kindText.v, keyRef, entryRef}), 1);
  SysFreeString(key);

  Var files(1L), dirs(2L), kestrion(L"Kestrion"), props(0L), installed(1L);
  Var unicode(L"C:\\KS\\\u00e5ngstr\u00f6m.txt"), dir(L"C:\\KS"), group(L"BaseGroup=Vorkast Tools");
  Var install(L"Install"), children(0L), hidden(L"Hidden"), no(L"no");
  EXPECT_EQ(Number(0x60020000, {files.v, kestrion.v, unicode.v}), 1);
  EXPECT_EQ(Number(0x60020000, {dirs.v, kestrion.v, dir.v}), 1);
  EXPECT_EQ(Number(0x60020000, {children.v, install.v, kestrion.v}), 1);
  EXPECT_EQ(Number(0x60020004, {props.v, kestrion.v, group.v}), 1);
  EXPECT_EQ(Number(0x60020004, {installed.v, hidden.v, no.v}), 1);

  EXPECT_EQ(log_.IsInstalled("kestrion").value(), 1);
  EXPECT_EQ(log_.IsInstalled("Hidden").value(), 0);
  EXPECT_EQ(log_.GetList(0, "Install").value(), "Kestrion\n");
  EXPECT_EQ(log_.GetList(1, "Kestrion").value(), "C:\\KS\\ks.exe\nC:\\KS\\\xC3\xA5ngstr\xC3\xB6m.txt\n");
  EXPECT_EQ(log_.GetLoggedPath(1, "Kestrion", "KS.EXE").value(), "C:\\KS\\ks.exe");
  EXPECT_EQ(log_.GetProperty("Kestrion", "basegroup").value(), "Vorkast Tools");
  EXPECT_EQ(log_.GetProperty("Kestrion", "BaseDir").value(), "");
  const auto storePath = log_.GetStorePath(0);
  ASSERT_TRUE(storePath.ok());
  EXPECT_EQ(std::filesystem::u8path(storePath.value()), Beside(L"vorlog.dat"));
  EXPECT_TRUE(std::filesystem::exists(Beside(L"vorlog.dat")));

  Var removed;
  EXPECT_EQ(Invoke(0x60020001, {files.v, kestrion.v, unicode.v}, &removed.v), S_OK);
  EXPECT_EQ(V_I4(&removed.v), 1);
  EXPECT_EQ(log_.ForgetComponent("Kestrion").value(), 1);
  EXPECT_EQ(log_.IsInstalled("Kestrion").value(), 0);
  EXPECT_EQ(log_.GetList(1, "Kestrion").value(), "");
}

TEST_F(InstallLogOnWine, MethodsAreFoundByNameAsWellAsById) {
  const wchar_t* names[] = {L"GetList", L"getstorepath", L"Describe", L"NoSuchMethod"};
  const DISPID expected[] = {0x60020008, 0x60020009, 0x60020007, DISPID_UNKNOWN};
  for (int i = 0; i < 4; ++i) {
    LPOLESTR name = const_cast<LPOLESTR>(names[i]);
    DISPID id = 0;
    const HRESULT hr = dispatch_->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &id);
    EXPECT_EQ(hr, i < 3 ? S_OK : DISP_E_UNKNOWNNAME);
    EXPECT_EQ(id, expected[i]);
  }
}

TEST_F(InstallLogOnWine, ADamagedStoreAndBadArgumentsAreFailuresNeverACrash) {
  std::ofstream(Beside(L"vorlog.dat"), std::ios::binary) << "vorlog-store 1\nfiles C:\\a\n";
  const auto list = log_.GetList(1, "Kestrion");
  ASSERT_FALSE(list.ok());
  EXPECT_EQ(list.failure().hresult, kStoreRefused);
  EXPECT_NE(list.failure().description.find("damaged at line 2"), std::string::npos) << list.failure().description;

  Var result, key(L"Kestrion"), nothing;
  V_VT(&nothing.v) = VT_NULL;
  EXPECT_EQ(Invoke(0x60020003, {}, &result.v), DISP_E_BADPARAMCOUNT);
  UINT bad = 99;
  EXPECT_EQ(Invoke(0x60020008, {nothing.v, key.v}, &result.v, &bad), DISP_E_TYPEMISMATCH);
  EXPECT_EQ(bad, 1u);  // the first argument lies last
  EXPECT_EQ(Invoke(0x6002000A, {key.v}, &result.v), DISP_E_MEMBERNOTFOUND);
}

// The client over a server whose answers are all of the wrong type.
TEST(InstallLogFromAnOddServer, AnswersOfTheWrongTypeAreCoercedWhenTheyConvertAndFailuresOtherwise) {
  const std::wstring path = Beside(L"odd_log_server.dll").wstring();
  const std::wstring key = L"CLSID\\{16DFC280-1881-11D5-80E0-00C04F7F0E59}\\InprocServer32";
  HKEY k = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &k, nullptr),
            ERROR_SUCCESS);
  RegSetValueExW(k, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(path.c_str()),
                 static_cast<DWORD>((path.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(k);

  win32::Win32InstallLog log;
  ASSERT_TRUE(log.InitializeOle().ok());
  ASSERT_TRUE(log.Connect().ok());
  EXPECT_EQ(log.IsInstalled("K").value(), 1);
  EXPECT_EQ(log.ForgetComponent("K").value(), 0);
  EXPECT_EQ(log.GetList(1, "K").value(), "42");
  const auto property = log.GetProperty("K", "BaseDir");
  ASSERT_FALSE(property.ok());
  EXPECT_NE(property.failure().description.find("wrong type"), std::string::npos);
  EXPECT_FALSE(log.GetLoggedPath(1, "K", "a.exe").ok());
  const auto store = log.GetStorePath(0);
  ASSERT_FALSE(store.ok());
  EXPECT_EQ(store.failure().hresult, 0x80040007u);
  EXPECT_EQ(store.failure().description, "filled in late");
  log.Release();
  log.UninitializeOle();

  RegDeleteKeyW(HKEY_CLASSES_ROOT, key.c_str());
  RegDeleteKeyW(HKEY_CLASSES_ROOT, L"CLSID\\{16DFC280-1881-11D5-80E0-00C04F7F0E59}");
}

}  // namespace

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
