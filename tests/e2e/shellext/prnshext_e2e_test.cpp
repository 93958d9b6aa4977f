// prnshext.dll under Wine, as the shell uses it: the class object from
// DllGetClassObject, a real data object offering "PrinterFriendlyName" for
// printers installed through the real spooler, a real menu, an uninstall
// command that starts a program, and a rename through the copy hook. The
// profile library is our VORCFI.DLL double beside this program.
#include <windows.h>
#include <shlobj.h>
#include <winspool.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "common/log_beside_module.h"
#include "../spooler/scenario.h"
#include "../spooler/seed.h"

namespace {

constexpr GUID kClsidShellExt{0x0CD637C0, 0x0892, 0x11D4, {0x89, 0x2F, 0x00, 0x00, 0x83, 0x64, 0xD9, 0x03}};

using doubles::Beside;

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// A data object that offers the printer names as the Printers folder does.
// The extension keeps a reference until it is destroyed, so it lives on the
// heap and goes with its last reference.
class FriendlyNames final : public IDataObject {
 public:
  explicit FriendlyNames(std::vector<std::wstring> names) : names_(std::move(names)) {}
  STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDataObject)) {
      *ppv = this;
      AddRef();
      return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return ++refs_; }
  STDMETHODIMP_(ULONG) Release() override {
    const ULONG n = --refs_;
    if (n == 0) delete this;
    return n;
  }
  STDMETHODIMP GetData(FORMATETC* format, STGMEDIUM* medium) override {
    if (format->cfFormat != RegisterClipboardFormatA("PrinterFriendlyName")) return DV_E_FORMATETC;
    std::wstring list;
    for (const auto& n : names_) list += n + L'\0';
    list += L'\0';
    const SIZE_T bytes = 4 + list.size() * sizeof(wchar_t);
    const HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
    auto* p = static_cast<BYTE*>(GlobalLock(block));
    const DWORD offset = 4;
    memcpy(p, &offset, 4);
    memcpy(p + 4, list.data(), list.size() * sizeof(wchar_t));
    GlobalUnlock(block);
    medium->tymed = TYMED_HGLOBAL;
    medium->hGlobal = block;
    medium->pUnkForRelease = nullptr;
    return S_OK;
  }
  STDMETHODIMP GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
  STDMETHODIMP QueryGetData(FORMATETC*) override { return E_NOTIMPL; }
  STDMETHODIMP GetCanonicalFormatEtc(FORMATETC*, FORMATETC*) override { return E_NOTIMPL; }
  STDMETHODIMP SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
  STDMETHODIMP EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
  STDMETHODIMP DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return E_NOTIMPL; }
  STDMETHODIMP DUnadvise(DWORD) override { return E_NOTIMPL; }
  STDMETHODIMP EnumDAdvise(IEnumSTATDATA**) override { return E_NOTIMPL; }

 private:
  std::vector<std::wstring> names_;
  ULONG refs_ = 1;
};

class ShellExtensionOnWine : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    // The maker's BREVIK printer and a Sundara printer, on drivers whose names carry the brand words.
    char dir[MAX_PATH] = {};
    DWORD needed = 0;
    ASSERT_TRUE(GetPrinterDriverDirectoryA(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(dir), sizeof dir, &needed));
    for (const auto& d : {e2e::DriverSeed{"BREVIK BRV-2100 PCL5", "brvdrv.dll", "brvui.dll", "brv.gpd", "brv.hlp", {}, true},
                          e2e::DriverSeed{"Sundara SX-10", "sxdrv.dll", "sxui.dll", "sx.gpd", "", {}, true}})
      ASSERT_EQ(e2e::InstallDriver(Beside("fake_driver.dll"), dir, d), "");
    ASSERT_EQ(e2e::InstallPrinter({"BRV-2100", "BREVIK BRV-2100 PCL5", "FILE:", true}), "");
    ASSERT_EQ(e2e::InstallPrinter({"SX-10", "Sundara SX-10", "FILE:", true}), "");

    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Vorkast\\Uninstall", 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    const std::string stub = Beside("uninstaller_stub.exe");
    RegSetValueExA(key, "Executable_BREVIK", 0, REG_SZ, reinterpret_cast<const BYTE*>(stub.c_str()),
                   static_cast<DWORD>(stub.size() + 1));
    RegCloseKey(key);

    std::ofstream config(Beside("vorcfi.config"), std::ios::binary | std::ios::trunc);
    config << "printer|BRV-2100|3|2|3\r\nprinter|SX-10|0|3|3\r\nrename|1\r\n";
  }

  void SetUp() override {
    DeleteFileA(Beside("vorcfi.log").c_str());
    module_ = LoadLibraryA(Beside("prnshext.dll").c_str());
    ASSERT_NE(module_, nullptr);
    using GetClassObject = HRESULT(__stdcall*)(REFCLSID, REFIID, void**);
    const auto get = reinterpret_cast<GetClassObject>(reinterpret_cast<void*>(GetProcAddress(module_, "DllGetClassObject")));
    ASSERT_NE(get, nullptr);
    ASSERT_EQ(get(kClsidShellExt, IID_IClassFactory, reinterpret_cast<void**>(&factory_)), S_OK);
    ASSERT_EQ(factory_->CreateInstance(nullptr, IID_IShellExtInit, reinterpret_cast<void**>(&init_)), S_OK);
    ASSERT_EQ(init_->QueryInterface(IID_IContextMenu, reinterpret_cast<void**>(&menu_)), S_OK);
  }
  void TearDown() override {
    if (menu_) menu_->Release();
    if (init_) init_->Release();
    if (factory_) factory_->Release();
    if (module_) {
      using CanUnload = HRESULT(__stdcall*)();
      const auto can = reinterpret_cast<CanUnload>(reinterpret_cast<void*>(GetProcAddress(module_, "DllCanUnloadNow")));
      EXPECT_EQ(can(), S_OK);  // every object is gone
      FreeLibrary(module_);
    }
  }

  HMODULE module_ = nullptr;
  IClassFactory* factory_ = nullptr;
  IShellExtInit* init_ = nullptr;
  IContextMenu* menu_ = nullptr;
};

// Hands the selection over as the shell does, and lets go of the data object.
HRESULT Select(IShellExtInit* init, std::vector<std::wstring> names) {
  auto* data = new FriendlyNames(std::move(names));
  const HRESULT hr = init->Initialize(nullptr, data, nullptr);
  data->Release();
  return hr;
}

std::string ItemText(HMENU menu, int position) {
  char text[260] = {};
  GetMenuStringA(menu, position, text, sizeof text, MF_BYPOSITION);
  return text;
}

TEST_F(ShellExtensionOnWine, BuildsTheMenuForTheSelectedPrintersWithTextsFromItsStringTable) {
  ASSERT_EQ(Select(init_, {L"BRV-2100", L"SX-10"}), S_OK);
  const HMENU menu = CreatePopupMenu();
  // Two printers: no profile items; one uninstaller registered (BREVIK), the
  // Sundara one is not in the registry.
  EXPECT_EQ(menu_->QueryContextMenu(menu, 0, 100, 200, CMF_NORMAL), 6);
  ASSERT_EQ(GetMenuItemCount(menu), 2);
  EXPECT_EQ(GetMenuState(menu, 0, MF_BYPOSITION) & MF_SEPARATOR, static_cast<UINT>(MF_SEPARATOR));
  EXPECT_EQ(GetMenuItemID(menu, 1), 105u);
  EXPECT_EQ(ItemText(menu, 1), "B&REVIK Software Uninstall...");
  char help[64] = {};
  EXPECT_EQ(menu_->GetCommandString(5, GCS_HELPTEXTA, nullptr, help, sizeof help), S_OK);
  EXPECT_STREQ(help, "Run the BREVIK printer software uninstall program.");
  EXPECT_EQ(menu_->GetCommandString(9, GCS_HELPTEXTA, nullptr, help, sizeof help), E_INVALIDARG);
  DestroyMenu(menu);
  EXPECT_NE(ReadFile(Beside("vorcfi.log")).find("EnumSpecificSupportedPrinter|20|1|SX-10|0"), std::string::npos);
}

TEST_F(ShellExtensionOnWine, OneProfilePrinterGetsExportAndImportWithoutASeparatorOnNt) {
  ASSERT_EQ(Select(init_, {L"BRV-2100"}), S_OK);
  const HMENU menu = CreatePopupMenu();
  EXPECT_EQ(menu_->QueryContextMenu(menu, 0, 100, 200, CMF_NORMAL), 6);
  ASSERT_EQ(GetMenuItemCount(menu), 4);
  EXPECT_EQ(ItemText(menu, 0), "&Export Profile...");
  EXPECT_EQ(ItemText(menu, 1), "&Import Profile...");
  EXPECT_EQ(GetMenuItemID(menu, 3), 105u);
  DestroyMenu(menu);

  CMINVOKECOMMANDINFO invoke{};
  invoke.cbSize = sizeof invoke;
  invoke.lpVerb = MAKEINTRESOURCEA(0);
  EXPECT_EQ(menu_->InvokeCommand(&invoke), S_OK);
  const std::string log = ReadFile(Beside("vorcfi.log"));
  EXPECT_NE(log.find("DrvProfileWizard|32|2|BRV-2100|"), std::string::npos) << log;
  EXPECT_NE(log.find("brv.hlp|0|2"), std::string::npos) << log;
}

TEST_F(ShellExtensionOnWine, StartsTheUninstallerItOffersAndDoesNotWaitForIt) {
  const std::string ran = Beside("uninstaller_stub.ran");
  DeleteFileA(ran.c_str());
  ASSERT_EQ(Select(init_, {L"BRV-2100"}), S_OK);
  const HMENU menu = CreatePopupMenu();
  ASSERT_EQ(menu_->QueryContextMenu(menu, 0, 100, 200, CMF_NORMAL), 6);
  DestroyMenu(menu);
  CMINVOKECOMMANDINFO invoke{};
  invoke.cbSize = sizeof invoke;
  invoke.lpVerb = MAKEINTRESOURCEA(5);
  EXPECT_EQ(menu_->InvokeCommand(&invoke), S_OK);
  for (int i = 0; i < 100 && GetFileAttributesA(ran.c_str()) == INVALID_FILE_ATTRIBUTES; ++i) Sleep(100);
  EXPECT_NE(ReadFile(ran).find("uninstaller_stub.exe"), std::string::npos);
  invoke.lpVerb = "properties";
  EXPECT_EQ(menu_->InvokeCommand(&invoke), E_FAIL);
}

TEST_F(ShellExtensionOnWine, HandsAPrinterRenameToTheProfileLibraryAndNeverBlocksIt) {
  ICopyHookA* hook = nullptr;
  ASSERT_EQ(init_->QueryInterface(IID_IShellCopyHookA, reinterpret_cast<void**>(&hook)), S_OK);
  EXPECT_EQ(hook->CopyCallback(nullptr, 0x14, 0, "BRV-2100", 0, "BRV-2100 Office", 0), static_cast<UINT>(IDYES));
  EXPECT_EQ(hook->CopyCallback(nullptr, 0x2, 0, "BRV-2100", 0, "Elsewhere", 0), static_cast<UINT>(IDYES));
  hook->Release();
  const std::string log = ReadFile(Beside("vorcfi.log"));
  EXPECT_NE(log.find("CFIRenamePrtObj|16|1|BRV-2100 Office|BRV-2100|1"), std::string::npos) << log;
  EXPECT_EQ(log.find("Elsewhere"), std::string::npos) << log;
}

TEST_F(ShellExtensionOnWine, RefusesOtherClassesAndAggregation) {
  using GetClassObject = HRESULT(__stdcall*)(REFCLSID, REFIID, void**);
  const auto get = reinterpret_cast<GetClassObject>(reinterpret_cast<void*>(GetProcAddress(module_, "DllGetClassObject")));
  void* out = reinterpret_cast<void*>(1);
  EXPECT_EQ(get(IID_IUnknown, IID_IClassFactory, &out), CLASS_E_CLASSNOTAVAILABLE);
  EXPECT_EQ(out, nullptr);
  EXPECT_EQ(factory_->CreateInstance(reinterpret_cast<IUnknown*>(init_), IID_IUnknown, &out), CLASS_E_NOAGGREGATION);
  EXPECT_EQ(init_->QueryInterface(IID_IDataObject, &out), E_NOINTERFACE);
  EXPECT_EQ(GetProcAddress(module_, MAKEINTRESOURCEA(1)), GetProcAddress(module_, "DrvProfileSupportCallback"));
  EXPECT_EQ(GetProcAddress(module_, MAKEINTRESOURCEA(3)), GetProcAddress(module_, "DllGetClassObject"));
}

}  // namespace
