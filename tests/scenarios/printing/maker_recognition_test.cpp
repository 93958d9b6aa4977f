// Which driver sets are the maker's: a known driver file for the version
// and a name the model list file gives, both at once. And whether other
// brands' uninstallers are registered.
#include "printing_harness.h"

#include "printing/model_list.h"
#include "printing/printer_driver_list.h"

namespace printing_test {
namespace {

std::vector<std::string> MakerSets(const Inventory& inv) {
  std::vector<std::string> names;
  for (const auto& set : inv.app->drivers) {
    if (set->isMaker) names.push_back(set->GetName());
  }
  return names;
}

TEST(MakerRecognition, NeedsAKnownFileOfTheNativeDriverAndAListedName) {
  json image = Image("win98");
  AddFile(image, kModelList,
          "[Manufacturer]\r\nbrand=Brand models\r\n"
          "[Brand models]\r\nm=LP5\r\nn=Odd\r\n"
          "[LP5]\r\nPCL5Name=Vor LP5\r\nPCL6Name=Vor LP5 PCL6\r\n"
          "[Odd]\r\nPCL5Name=Vor Odd\r\n"
          "[Printer]\r\nd=Eco\r\n"
          "[Eco]\r\nPCL5Name=\r\nPCL6Name=Vor Eco PCL6\r\nPSName=Vor Eco PS\r\n");
  AddDrivers(image, {Driver("Vor LP5", "Windows 4.0", 0, "C:\\WINDOWS\\SYSTEM\\VKPCL5D.DRV"),
                     Driver("Vor LP5 PCL6", "Windows 4.0", 0, "C:\\WINDOWS\\SYSTEM\\vkpcl5c.drv"),
                     Driver("Vor Eco PCL6", "Windows 4.0", 0, "C:\\WINDOWS\\SYSTEM\\vkpcl5c.drv"),
                     Driver("Vor Eco PS", "Windows 4.0", 0, "C:\\WINDOWS\\SYSTEM\\other.drv"),
                     Driver("Vor Odd", "Windows 4.0", 1, "C:\\WINDOWS\\SYSTEM\\vkpcl5d.drv"),
                     Driver("Unlisted", "Windows 4.0", 0, "C:\\WINDOWS\\SYSTEM\\vkpcl5d.drv")});
  Inventory inv(image);
  inv.TakeAll();
  // PCL6 counts only where PCL5 is empty; another file or version 1 is
  // never the maker's, nor is a name the list does not give.
  EXPECT_EQ(MakerSets(inv), (std::vector<std::string>{"Vor LP5", "Vor Eco PCL6"}));
}

TEST(MakerRecognition, TheNameMustMatchExactly) {
  json image = Image("winxp");
  AddFile(image, kModelList, "[Printer]\nm=M\n[M]\nPSName=Vor PS\n");
  // The spooler keeps names apart without case within one environment, so
  // the capitals live in the 9x environment, with the 9x file.
  AddDrivers(image, {Driver("VOR PS", "Windows 4.0", 0, "C:\\d\\vorps.drv"),
                     Driver("Vor PS", "Windows NT x86", 3, "C:\\d\\vorpsnt3.dll")});
  Inventory inv(image);
  inv.TakeAll();
  EXPECT_EQ(MakerSets(inv), std::vector<std::string>{"Vor PS"});
}

TEST(MakerRecognition, AMissingOrBrokenModelListMakesNothingTheMakers) {
  const std::string bigLine(100000, 'A');
  const std::vector<std::string> contents = {
      "",
      std::string("\x00\x01[Printer]\x00\nm=M\n", 16),
      "[Printer]\nm=M\n[M]\nPCL5Name=Vor LP5" + bigLine + "\n",
      bigLine,
  };
  for (int variant = -1; variant < static_cast<int>(contents.size()); ++variant) {
    json image = Image("winxp");
    if (variant >= 0) AddFile(image, kModelList, contents[static_cast<std::size_t>(variant)]);
    AddDrivers(image, {Driver("Vor LP5", "Windows NT x86", 3, "C:\\d\\vkpcl2a.dll")});
    Inventory inv(image);
    inv.TakeAll();
    EXPECT_FALSE(inv.app->drivers.AnyMakerSet()) << variant;
    EXPECT_TRUE(inv.app->orphanDrivers.empty()) << variant;
  }
}

TEST(MakerRecognition, ADroppedOverlongHeaderStillEndsTheSectionBeforeIt) {
  // Another maker's drivers, built on the same files, follow such a header:
  // one in the list of models, one in the maker's model section.
  const std::string longHeader = "[" + std::string(5000, 'C') + "]";
  json image = Image("winxp");
  AddFile(image, kModelList,
          "[Manufacturer]\nb=Brand\n"
          "[Brand]\nm=LP5\n" + longHeader + "\nx=Contoso\n"
          "[LP5]\nPCL5Name=Vor LP5\n" + longHeader + "\nPSName=Contoso PS\n"
          "[Contoso]\nPCL5Name=Contoso LP\n"
          "[Printer]\n");
  AddDrivers(image, {Driver("Vor LP5", "Windows NT x86", 3, "C:\\d\\vkpcl2a.dll"),
                     Driver("Contoso LP", "Windows NT x86", 3, "C:\\d\\vkpcl2a.dll"),
                     Driver("Contoso PS", "Windows NT x86", 3, "C:\\d\\vorpsnt3.dll")});
  Inventory inv(image);
  inv.TakeAll();
  EXPECT_EQ(MakerSets(inv), std::vector<std::string>{"Vor LP5"});

  // An over-long line of another kind is dropped without ending anything.
  json plain = Image("winxp");
  AddFile(plain, kModelList, "[Printer]\n" + std::string(5000, 'k') + "=x\nm=LP5\n[LP5]\nPCL5Name=Vor LP5\n");
  AddDrivers(plain, {Driver("Vor LP5", "Windows NT x86", 3, "C:\\d\\vkpcl2a.dll")});
  Inventory plainInv(plain);
  plainInv.TakeAll();
  EXPECT_EQ(MakerSets(plainInv), std::vector<std::string>{"Vor LP5"});
}

TEST(ModelListFile, FileReadersFollowTheLineRules) {
  json image = Image("winxp");
  const std::string path = "C:\\x\\Drivers.ini";
  AddFile(image, path, "[Printer] \r\nk=skipped\r\n[Printer]\r\nk = Model \r\n[Model]\r\nPSName= PS \r\n");
  Inventory inv(image);
  plat::FileSystem& files = inv.machine->platform().files;

  std::vector<std::string> values;
  EXPECT_TRUE(ReadSectionValues(files, path, "printer", values));
  EXPECT_EQ(values, std::vector<std::string>{"Model"});
  std::vector<std::string> lines;
  EXPECT_TRUE(ReadSectionLines(files, path, "Model", lines));
  EXPECT_EQ(lines, std::vector<std::string>{"PSName= PS "});
  std::string value;
  EXPECT_TRUE(ReadIniKey(files, "model", "psname", value, path));
  EXPECT_EQ(value, "PS");
  EXPECT_FALSE(ReadIniKey(files, "model", "psname", value, ""));
  std::vector<std::string> names;
  ReadModelNames(files, path, names, false, "Printer");
  EXPECT_EQ(names, std::vector<std::string>{"Model"});

  std::vector<std::string> none;
  EXPECT_FALSE(ReadSectionValues(files, "C:\\x\\missing.ini", "Printer", none));
  EXPECT_FALSE(ReadSectionLines(files, "C:\\x\\missing.ini", "Printer", none));
  EXPECT_TRUE(none.empty());
}

TEST(OtherBrands, OnlyAnotherValueHoldingUnstdirCounts) {
  struct Case {
    json values;
    bool expected;
  };
  const std::vector<Case> cases = {
      {{{"UnstDirBREVIK", "C:\\a"}, {"unstdirOtherBrand", "C:\\b"}}, true},
      {{{"UnstDirBREVIK", "C:\\a"}, {"XUNSTDIRX", "C:\\b"}}, true},
      {{{"UNSTDIRbrevik", "C:\\a"}}, false},
      {{{"UnstDirBREVIK", "C:\\a"}, {"InstallDir", "C:\\b"}}, false},
      {json::object(), false},
  };
  for (const Case& c : cases) {
    json image = Image("winxp");
    AddKey(image, "HKLM\\SOFTWARE\\Vorkast\\Install", c.values);
    Inventory inv(image);
    EXPECT_EQ(OtherBrandUninstallers(inv.machine->platform().registry, "UnstDirBREVIK"), c.expected) << c.values;
  }
  Inventory noKey(Image("winxp"));
  EXPECT_FALSE(OtherBrandUninstallers(noKey.machine->platform().registry, "UnstDirBREVIK"));
}

}  // namespace
}  // namespace printing_test
