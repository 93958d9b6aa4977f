// The model list file ("Drivers.ini") the maker's installer leaves in the
// install directory, read with its own line rules rather than the system's
// profile functions: headers match only as whole lines, keys are matched
// before the first "=" and values are trimmed.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"
#include "platform/registry.h"

// A text file split into lines. A file that could not be read holds no lines
// and is not `readable`.
struct TextLines {
  bool readable = false;
  std::vector<std::string> lines;

  // Lines end at "\n"; a "\r" before it belongs to the line end. A line
  // longer than kMaxLineLength is dropped: no name or header is that long,
  // and it would otherwise travel on as a name. One that begins with "["
  // leaves "[" in its place, which ends the section before it.
  static constexpr std::size_t kMaxLineLength = 4096;
  static TextLines FromContent(std::string_view content);
  static TextLines FromFile(plat::FileSystem& files, std::string_view path);
};

// Readers over lines already read.
bool SectionLinesIn(const TextLines& file, std::string_view section, std::vector<std::string>& out);
bool SectionValuesIn(const TextLines& file, std::string_view section, std::vector<std::string>& out);
bool IniKeyIn(const TextLines& file, std::string_view section, std::string_view key, std::string& out);
void ModelNamesIn(const TextLines& file, std::vector<std::string>& out, bool readDriverNames,
                  std::string_view section);

// The same readers on a file. Each reads the file once.
void ReadModelNames(plat::FileSystem& files, std::string_view iniPath, std::vector<std::string>& out,
                    bool readDriverNames, std::string_view section = {});
bool ReadSectionValues(plat::FileSystem& files, std::string_view iniPath, std::string_view section,
                       std::vector<std::string>& out);
bool ReadSectionLines(plat::FileSystem& files, std::string_view iniPath, std::string_view section,
                      std::vector<std::string>& out);
bool ReadIniKey(plat::FileSystem& files, std::string_view section, std::string_view key, std::string& out,
                std::string_view iniPath);

// Whether another brand of the product line still has its uninstaller
// registered: a value of HKLM "SOFTWARE\Vorkast\Install" whose name holds
// "UNSTDIR", other than `ownValueName` (both without case).
bool OtherBrandUninstallers(plat::Registry& registry, std::string_view ownValueName);
