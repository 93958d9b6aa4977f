// The property test's own parts: names compared the way Windows reads them,
// ownership by the most specific claim, a checker that sees what is taken
// behind the run's back, and a shrinker that keeps the failure.
#include <gtest/gtest.h>

#include <algorithm>

#include "machine_generator.h"
#include "run_check.h"
#include "shrink.h"
#include "platform/text.h"
#include "platform/win_errors.h"

namespace property {
namespace {

TEST(PropertyNames, FilesCompareAsWindowsResolvesThemAndKeysByTheirShortRoot) {
  struct Case {
    const char* a;
    const char* b;
    bool same;
  };
  const Case files[] = {
      {"C:\\W\\UNIDRVUI.DLL.", "c:\\w\\unidrvui.dll", true},
      {"C:\\W\\vkres.dll ", "C:/W/VKRES.DLL", true},
      {"C:\\W\\x.dll", "C:\\W\\x.dl", false},
      {"C:\\W.\\x", "C:\\W\\x", true},
  };
  for (const Case& c : files) EXPECT_EQ(FileId(c.a) == FileId(c.b), c.same) << c.a << " / " << c.b;
  EXPECT_EQ(KeyId("HKEY_LOCAL_MACHINE\\SYSTEM\\\\X"), KeyId("hklm\\system\\x"));
  EXPECT_NE(KeyId("HKLM\\SYSTEM\\X"), KeyId("HKCU\\SYSTEM\\X"));
}

TEST(PropertyOwnership, TheMostSpecificClaimDecidesAndSharedThingsAreNotTheMakers) {
  World world;
  Piece device{"device", false};
  device.claims = {{ClaimKind::Key, KeyId("HKLM\\Enum\\USBPRINT\\Dev")}};
  Piece instance{"maker's instance", true};
  instance.claims = {{ClaimKind::KeyTree, KeyId("HKLM\\Enum\\USBPRINT\\Dev\\1")},
                     {ClaimKind::File, FileId("C:\\d\\vkres.dll")}};
  Piece tree{"maker's tree", true};
  tree.claims = {{ClaimKind::KeyTree, KeyId("HKLM\\Enum\\USBPRINT\\Dev")}};
  Piece sharer{"other driver", false};
  sharer.claims = {{ClaimKind::File, FileId("C:\\d\\VKRES.DLL.")}};
  world.pieces = {device, instance, tree, sharer};

  EXPECT_FALSE(IsMakers(world, ClaimKind::Key, KeyId("HKLM\\Enum\\USBPRINT\\Dev")));  // exact beats a tree
  EXPECT_TRUE(IsMakers(world, ClaimKind::Key, KeyId("HKLM\\Enum\\USBPRINT\\Dev\\2")));
  EXPECT_TRUE(IsMakers(world, ClaimKind::Key, KeyId("HKLM\\Enum\\USBPRINT\\Dev\\1\\Sub")));
  EXPECT_FALSE(IsMakers(world, ClaimKind::Key, KeyId("HKLM\\Enum\\USBPRINT")));  // nobody's
  EXPECT_FALSE(IsMakers(world, ClaimKind::File, FileId("C:\\d\\vkres.dll")));  // shared
  EXPECT_EQ(OwnerLabel(world, ClaimKind::File, FileId("C:\\d\\vkres.dll")), "other driver");

  // A shared piece is the maker's only while every user is.
  World ports;
  Piece port{"port", false};
  port.sharedAs = "usb:1";
  Piece makers{"maker's printer", true};
  makers.uses = {"usb:1"};
  Piece others{"other printer", false};
  others.uses = {"usb:1"};
  ports.pieces = {port, makers};
  Finalize(ports);
  EXPECT_TRUE(ports.pieces[0].maker);
  ports.pieces.push_back(others);
  Finalize(ports);
  EXPECT_FALSE(ports.pieces[0].maker);
}

// A machine with another maker's printer and driver files, on which the
// committed switches find nothing.
World CleanMachineWithOtherMakersPrinter() {
  const HazardSet none = HazardSet::None();
  for (std::uint64_t seed = 1;; ++seed) {
    World world = GenerateMachine(seed, none);
    const bool hasOtherPrinter = std::any_of(world.pieces.begin(), world.pieces.end(), [](const Piece& p) {
      return !p.maker && p.fragment.contains("printers") && !p.fragment["printers"][0].contains("server");
    });
    if (world.os == "winxp" && hasOtherPrinter && RunAndCheck(world, none).empty()) return world;
  }
}

// Deletes, behind the run's back, the first file of the machine that only
// another maker's driver lists.
void TakeAnotherMakersFile(const World& world, SilentRun& run, std::string* taken) {
  for (auto it = run.after["files"].begin(); it != run.after["files"].end(); ++it) {
    const std::string owner = OwnerLabel(world, ClaimKind::File, FileId(it.key()));
    if (owner.find("another maker's driver") == std::string::npos) continue;
    if (run.machine->platform().files.RemoveFile(it.key()) == winerr::Success) {
      *taken = it.key();
      return;
    }
  }
}

TEST(PropertyChecker, SeesWhatIsTakenBehindTheRunsBackAndNotWhatTheRunTookOfTheMakers) {
  const World world = CleanMachineWithOtherMakersPrinter();
  const HazardSet none = HazardSet::None();
  SilentRun run = RunSilently(Render(world));
  ASSERT_TRUE(run.refused.empty()) << run.refused;
  EXPECT_TRUE(CheckRun(world, run, none).empty());

  std::string file;
  TakeAnotherMakersFile(world, run, &file);
  ASSERT_FALSE(file.empty());
  std::string printer;
  for (const json& p : run.after["printers"])
    if (!p.contains("server") && text::IStartsWith(p.value("name", ""), "Office")) printer = p.value("name", "");
  ASSERT_FALSE(printer.empty());
  plat::Spooler& spooler = run.machine->platform().spooler;
  plat::Handle handle = plat::kNoHandle;
  ASSERT_EQ(spooler.OpenPrinterByName(printer, plat::spool::PrinterAllAccess, &handle), winerr::Success);
  ASSERT_EQ(spooler.DeletePrinter(handle), winerr::Success);
  ASSERT_EQ(spooler.ClosePrinter(handle), winerr::Success);
  const std::string keyPath = "SYSTEM\\CurrentControlSet\\Control\\Print\\Printers\\" + printer + "\\DsSpooler";
  ASSERT_EQ(run.machine->platform().registry.DeleteKey(plat::kHkeyLocalMachine, keyPath), winerr::Success);
  run.after = run.machine->Save();

  std::vector<std::string> seen;
  for (const Finding& f : CheckRun(world, run, none)) seen.push_back(f.rule + ": " + f.subject);
  EXPECT_NE(std::find(seen.begin(), seen.end(), "another maker's file is gone: file " + file), seen.end());
  EXPECT_NE(std::find(seen.begin(), seen.end(), "another maker's printer is gone: printer " + printer), seen.end());
  EXPECT_NE(std::find(seen.begin(), seen.end(), "another maker's key is gone: key HKLM\\" + keyPath), seen.end());
  // The printers that print with the file lost it too; nothing of the
  // maker's is reported.
  for (const std::string& finding : seen) EXPECT_EQ(finding.find("BREVIK"), std::string::npos) << finding;
}

TEST(PropertyShrinker, KeepsTheFailingObjectsOwnerAndDropsMostOfTheRest) {
  const World world = CleanMachineWithOtherMakersPrinter();
  const HazardSet none = HazardSet::None();
  std::string taken;
  const Tamper tamper = [&](SilentRun& run) { TakeAnotherMakersFile(world, run, &taken); };
  const std::vector<Finding> findings = RunAndCheck(world, none, tamper);
  ASSERT_FALSE(findings.empty());
  const std::string owner = OwnerLabel(world, ClaimKind::File, FileId(taken));

  const World minimal = Shrink(world, none, findings.front(), tamper);
  EXPECT_LT(minimal.pieces.size(), world.pieces.size() / 2);
  EXPECT_TRUE(std::any_of(minimal.pieces.begin(), minimal.pieces.end(),
                          [&](const Piece& p) { return p.label == owner; }));
  const std::string report = Report(world, minimal, none, findings.front());
  EXPECT_NE(report.find("Seed " + std::to_string(world.seed)), std::string::npos);
  EXPECT_NE(report.find(taken), std::string::npos);
}

}  // namespace
}  // namespace property
