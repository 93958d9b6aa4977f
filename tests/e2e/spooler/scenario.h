// What the end-to-end spooler test installs: two models of the maker listed
// in the model list, one driver of another maker that shares a file with
// them, and a printer on each driver.
#pragma once
#include <string>
#include <vector>

namespace e2e {

struct DriverSeed {
  std::string name;
  std::string driverFile;
  std::string configFile;
  std::string dataFile;
  std::string helpFile;  // may be empty
  std::vector<std::string> dependentFiles;
  bool maker;
};

struct PrinterSeed {
  std::string name;
  std::string driver;
  std::string port;
  bool maker;
};

inline const std::vector<DriverSeed>& SeedDrivers() {
  static const std::vector<DriverSeed> drivers = {
      {"Vorkast LP-7000 PCL", "vkpcl2a.dll", "vkpcl2ui.dll", "vklp7000.gpd", "vkpcl2a.hlp",
       {"vkres.dll", "VORLOG.DLL"}, true},
      {"Vorkast LP-8000 PS", "vorpsnt3.dll", "vorps3ui.dll", "vlp8000.ppd", "", {"vkres.dll", "vlphelp.zip"}, true},
      // Another maker's driver that happens to carry a file of the same name.
      {"Norrland Laser 100", "nlaser.dll", "nlaserui.dll", "nlaser.ppd", "", {"vkres.dll"}, false},
  };
  return drivers;
}

inline const std::vector<PrinterSeed>& SeedPrinters() {
  static const std::vector<PrinterSeed> printers = {
      {"LP-7000 Office", "Vorkast LP-7000 PCL", "FILE:", true},
      {"LP-8000 Lab", "Vorkast LP-8000 PS", "LPT1:", true},
      {"Norrland Hall", "Norrland Laser 100", "FILE:", false},
  };
  return printers;
}

// The model list the maker's installer leaves in the install directory.
inline const char* ModelList() {
  return "[Manufacturer]\r\n"
         "Vorkast=Vorkast Models\r\n"
         "[Vorkast Models]\r\n"
         "1=LP7000\r\n"
         "2=LP8000\r\n"
         "[LP7000]\r\n"
         "PCL5Name=Vorkast LP-7000 PCL\r\n"
         "[LP8000]\r\n"
         "PSName=Vorkast LP-8000 PS\r\n";
}

inline const char* InstallDir() { return "C:\\Program Files\\BREVIK\\Install"; }

}  // namespace e2e
