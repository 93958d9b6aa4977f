// The spooler records and buffer protocol, without a spooler: packed
// records built by hand, and a stand-in call that asks for more room.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "spool_buffer.h"
#include "spool_records.h"

namespace {

TEST(SpoolLists, DoubleZeroListsBothWays) {
  const wchar_t packed[] = L"vkres.dll\0VORLOG.DLL\0\0";
  EXPECT_EQ(win32::FromMultiSz(packed), (std::vector<std::string>{"vkres.dll", "VORLOG.DLL"}));
  EXPECT_TRUE(win32::FromMultiSz(nullptr).empty());
  EXPECT_TRUE(win32::FromMultiSz(L"\0").empty());

  const std::wstring built = win32::ToMultiSz({"a.dll", "", "b\xC3\xA9.dll"});
  // The empty entry is left out: it would end the list after "a.dll".
  EXPECT_EQ(built, std::wstring(L"a.dll\0b\u00e9.dll\0\0", 14));
  EXPECT_EQ(win32::FromMultiSz(built.c_str()), (std::vector<std::string>{"a.dll", "b\xC3\xA9.dll"}));
  EXPECT_EQ(win32::ToMultiSz({}), std::wstring(2, L'\0'));
}

TEST(SpoolRecords, AbsentStringsAndListsBecomeEmpty) {
  DRIVER_INFO_6W r{};
  r.cVersion = 1024;
  wchar_t name[] = L"Model \u00c5";
  r.pName = name;
  wchar_t previous[] = L"Old One\0Old Two\0";
  r.pszzPreviousNames = previous;
  r.ftDriverDate.dwHighDateTime = 0x01D2;
  r.ftDriverDate.dwLowDateTime = 0x3456789A;
  r.dwlDriverVersion = 0x0005000100020003ULL;

  const plat::DriverInfo six = win32::FromDriverInfo6(r);
  EXPECT_EQ(six.level, 6u);
  EXPECT_EQ(six.version, 1024u) << "the adapter reports cVersion as it stands";
  EXPECT_EQ(six.name, "Model \xC3\x85");
  EXPECT_EQ(six.driverPath, "");
  EXPECT_FALSE(six.hasDependentFiles);
  EXPECT_TRUE(six.dependentFiles.empty());
  EXPECT_EQ(six.previousNames, (std::vector<std::string>{"Old One", "Old Two"}));
  EXPECT_EQ(six.driverDate, 0x000001D23456789AULL);
  EXPECT_EQ(six.driverVersion, 0x0005000100020003ULL);

  wchar_t none[] = L"\0";
  DRIVER_INFO_3W r3{};
  r3.pDependentFiles = none;
  const plat::DriverInfo three = win32::FromDriverInfo3(r3);
  EXPECT_EQ(three.level, 3u);
  EXPECT_TRUE(three.hasDependentFiles) << "an empty list is still a list";
  EXPECT_TRUE(three.previousNames.empty());

  PRINTER_INFO_2W p{};
  wchar_t printer[] = L"P1", server[] = L"\\\\HOST";
  p.pPrinterName = printer;
  p.cJobs = 2;
  const plat::PrinterInfo local = win32::FromPrinterInfo2(p);
  EXPECT_EQ(local.printerName, "P1");
  EXPECT_EQ(local.serverName, "");
  EXPECT_EQ(local.jobs, 2u);
  p.pServerName = server;
  EXPECT_EQ(win32::FromPrinterInfo2(p).serverName, "\\\\HOST");
}

TEST(SpoolRecords, RecordForAddDriverPassesEmptyAsNull) {
  plat::DriverInfo info;
  info.level = 3;
  info.version = 2;
  info.name = "M";
  info.environment = "Windows NT x86";
  info.driverPath = "C:\\d\\m.dll";
  info.dependentFiles = {"x.dll", "y.hlp"};
  info.previousNames = {"ignored at level 3"};
  {
    win32::DriverRecord record(info);
    EXPECT_EQ(record.level(), 3u);
    const DRIVER_INFO_6W& r = record.record();
    EXPECT_EQ(r.cVersion, 2u);
    EXPECT_STREQ(r.pName, L"M");
    EXPECT_STREQ(r.pDriverPath, L"C:\\d\\m.dll");
    EXPECT_EQ(r.pHelpFile, nullptr);
    EXPECT_EQ(r.pMonitorName, nullptr);
    ASSERT_NE(r.pDependentFiles, nullptr);
    EXPECT_EQ(std::wstring(r.pDependentFiles, 13), std::wstring(L"x.dll\0y.hlp\0\0", 13));
    EXPECT_EQ(r.pszzPreviousNames, nullptr);
  }
  info.level = 6;
  info.dependentFiles.clear();
  info.mfgName = "Maker";
  info.driverDate = 0x0000000200000001ULL;
  {
    win32::DriverRecord record(info);
    const DRIVER_INFO_6W& r = record.record();
    EXPECT_EQ(record.level(), 6u);
    EXPECT_EQ(r.pDependentFiles, nullptr) << "no list was given";
    ASSERT_NE(r.pszzPreviousNames, nullptr);
    EXPECT_STREQ(r.pszzPreviousNames, L"ignored at level 3");
    EXPECT_STREQ(r.pszMfgName, L"Maker");
    EXPECT_EQ(r.pszProvider, nullptr);
    EXPECT_EQ(r.ftDriverDate.dwHighDateTime, 2u);
    EXPECT_EQ(r.ftDriverDate.dwLowDateTime, 1u);
  }
  info.hasDependentFiles = true;  // an empty list the spooler reported
  win32::DriverRecord record(info);
  ASSERT_NE(record.record().pDependentFiles, nullptr);
  EXPECT_EQ(record.record().pDependentFiles[0], L'\0');
}

// A spooler whose data grows between the size query and the fetch.
TEST(SpoolBuffer, AsksAgainUntilTheDataFits) {
  int calls = 0;
  DWORD want = 100;
  std::vector<std::uint64_t> storage;
  DWORD returned = 0;
  const auto error = win32::CallWithBuffer(
      [&](LPBYTE buffer, DWORD size, DWORD* needed, DWORD* count) -> BOOL {
        ++calls;
        if (size < want || !buffer) {
          *needed = want;
          if (calls == 1) want += 50;  // another printer arrived meanwhile
          SetLastError(ERROR_INSUFFICIENT_BUFFER);
          return FALSE;
        }
        buffer[0] = 0x5A;
        *count = 3;
        return TRUE;
      },
      &storage, &returned);
  EXPECT_EQ(error, 0u);
  EXPECT_EQ(returned, 3u);
  EXPECT_GE(calls, 3);
  EXPECT_EQ(win32::Bytes(storage)[0], 0x5A);
}

TEST(SpoolBuffer, ErrorsEndTheLoopAndSilentFailureMeansNothing) {
  std::vector<std::uint64_t> storage;
  DWORD returned = 7;
  EXPECT_EQ(win32::CallWithBuffer(
                [](LPBYTE, DWORD, DWORD*, DWORD*) -> BOOL {
                  SetLastError(ERROR_INVALID_LEVEL);
                  return FALSE;
                },
                &storage, &returned),
            static_cast<std::uint32_t>(ERROR_INVALID_LEVEL));

  // The 9x spooler fails an empty enumeration without saying why.
  EXPECT_EQ(win32::CallWithBuffer([](LPBYTE, DWORD, DWORD*, DWORD*) -> BOOL { return FALSE; }, &storage, &returned),
            0u);
  EXPECT_EQ(returned, 0u);

  // One that never has enough is given up on.
  int calls = 0;
  EXPECT_EQ(win32::CallWithBuffer(
                [&](LPBYTE, DWORD, DWORD* needed, DWORD*) -> BOOL {
                  ++calls;
                  *needed = 0;
                  SetLastError(ERROR_INSUFFICIENT_BUFFER);
                  return FALSE;
                },
                &storage, &returned),
            static_cast<std::uint32_t>(ERROR_INSUFFICIENT_BUFFER));
  EXPECT_EQ(calls, 8);
}

}  // namespace
