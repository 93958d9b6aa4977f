#include "printing/model_list.h"

#include <map>

#include "maker/maker_identity.h"
#include "platform/text.h"
#include "platform/win_errors.h"

namespace {

std::string Header(std::string_view section) { return "[" + std::string(section) + "]"; }

bool StartsSection(std::string_view line) { return !line.empty() && line.front() == '['; }

}  // namespace

TextLines TextLines::FromContent(std::string_view content) {
  TextLines file;
  file.readable = true;
  std::size_t start = 0;
  while (start < content.size()) {
    std::size_t end = content.find('\n', start);
    const bool lastLine = end == std::string_view::npos;
    if (lastLine) end = content.size();
    std::string_view line = content.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.size() <= kMaxLineLength) {
      file.lines.emplace_back(line);
    } else if (StartsSection(line)) {
      // Dropped, but still a header: the section before it ends here. "["
      // alone is the header of no section, so nothing opens in its place.
      file.lines.emplace_back("[");
    }
    if (lastLine) break;
    start = end + 1;
  }
  return file;
}

TextLines TextLines::FromFile(plat::FileSystem& files, std::string_view path) {
  std::string content;
  if (path.empty() || files.ReadText(path, &content) != winerr::Success) return {};
  return FromContent(content);
}

bool SectionLinesIn(const TextLines& file, std::string_view section, std::vector<std::string>& out) {
  const std::string header = Header(section);
  std::size_t i = 0;
  while (i < file.lines.size() && !text::IEquals(file.lines[i], header)) ++i;
  if (i == file.lines.size()) return false;
  for (++i; i < file.lines.size() && !StartsSection(file.lines[i]); ++i) {
    if (!file.lines[i].empty()) out.push_back(file.lines[i]);
  }
  return true;
}

bool SectionValuesIn(const TextLines& file, std::string_view section, std::vector<std::string>& out) {
  // A file that cannot be read is the only failure; a missing section just
  // contributes nothing.
  if (!file.readable) return false;
  std::vector<std::string> lines;
  SectionLinesIn(file, section, lines);
  for (const std::string& line : lines) {
    const auto equals = line.find('=');
    if (equals != std::string::npos) out.emplace_back(text::Trim(std::string_view(line).substr(equals + 1)));
  }
  return true;
}

namespace {

// Where each header line stands, without case: a model list names one
// section per model, and finding each by a walk from the top would make
// reading it grow with the square of its size.
using HeaderIndex = std::map<std::string, std::vector<std::size_t>, text::ILessFn>;

HeaderIndex IndexHeaders(const TextLines& file) {
  HeaderIndex index;
  for (std::size_t i = 0; i < file.lines.size(); ++i) {
    if (StartsSection(file.lines[i])) index[file.lines[i]].push_back(i);
  }
  return index;
}

// The key in the sections that open at `starts`, in file order: each runs
// to the next line that begins with "[".
bool IniKeyAt(const TextLines& file, const std::vector<std::size_t>& starts, std::string_view key,
              std::string& out) {
  for (const std::size_t start : starts) {
    for (std::size_t i = start + 1; i < file.lines.size() && !StartsSection(file.lines[i]); ++i) {
      const std::string& line = file.lines[i];
      // Empty lines and lines without "=" name no key.
      const auto equals = line.find('=');
      if (equals == std::string::npos) continue;
      std::string_view name = std::string_view(line).substr(0, equals);
      while (!name.empty() && (name.back() == ' ' || name.back() == '\t')) name.remove_suffix(1);
      if (text::IEquals(name, key)) {
        out = std::string(text::Trim(std::string_view(line).substr(equals + 1)));
        return true;
      }
    }
  }
  return false;
}

bool IniKeyIndexed(const TextLines& file, const HeaderIndex& headers, std::string_view section,
                   std::string_view key, std::string& out) {
  const auto starts = headers.find(Header(section));
  return starts != headers.end() && IniKeyAt(file, starts->second, key, out);
}

}  // namespace

bool IniKeyIn(const TextLines& file, std::string_view section, std::string_view key, std::string& out) {
  // A later header of the same name opens the section again.
  std::vector<std::size_t> starts;
  const std::string header = Header(section);
  for (std::size_t i = 0; i < file.lines.size(); ++i) {
    if (text::IEquals(file.lines[i], header)) starts.push_back(i);
  }
  return IniKeyAt(file, starts, key, out);
}

void ModelNamesIn(const TextLines& file, std::vector<std::string>& out, bool readDriverNames,
                  std::string_view section) {
  std::vector<std::string> sections;
  if (section.empty()) {
    SectionValuesIn(file, "Manufacturer", sections);
    sections.emplace_back("Printer");  // the default models, always after the listed ones
  } else {
    sections.emplace_back(section);
  }

  const HeaderIndex headers = IndexHeaders(file);
  for (const std::string& modelSection : sections) {
    std::vector<std::string> modelKeys;
    SectionValuesIn(file, modelSection, modelKeys);
    for (const std::string& model : modelKeys) {
      if (!readDriverNames) {
        out.push_back(model);
        continue;
      }
      std::string pclName;
      IniKeyIndexed(file, headers, model, "PCL5Name", pclName);
      if (pclName.empty()) IniKeyIndexed(file, headers, model, "PCL6Name", pclName);
      if (!pclName.empty()) out.push_back(pclName);
      std::string psName;
      IniKeyIndexed(file, headers, model, "PSName", psName);
      if (!psName.empty()) out.push_back(psName);
    }
  }
}

void ReadModelNames(plat::FileSystem& files, std::string_view iniPath, std::vector<std::string>& out,
                    bool readDriverNames, std::string_view section) {
  ModelNamesIn(TextLines::FromFile(files, iniPath), out, readDriverNames, section);
}

bool ReadSectionValues(plat::FileSystem& files, std::string_view iniPath, std::string_view section,
                       std::vector<std::string>& out) {
  return SectionValuesIn(TextLines::FromFile(files, iniPath), section, out);
}

bool ReadSectionLines(plat::FileSystem& files, std::string_view iniPath, std::string_view section,
                      std::vector<std::string>& out) {
  return SectionLinesIn(TextLines::FromFile(files, iniPath), section, out);
}

bool ReadIniKey(plat::FileSystem& files, std::string_view section, std::string_view key, std::string& out,
                std::string_view iniPath) {
  if (iniPath.empty()) return false;
  return IniKeyIn(TextLines::FromFile(files, iniPath), section, key, out);
}

bool OtherBrandUninstallers(plat::Registry& registry, std::string_view ownValueName) {
  plat::HKey raw = plat::kNoHandle;
  if (registry.OpenKey(plat::kHkeyLocalMachine, maker::kInstallKey, plat::keyaccess::AllAccess, &raw) !=
      winerr::Success) {
    return false;
  }
  plat::UniqueKey key(registry, raw);
  const std::string pattern = text::Fold(maker::kUninstallDirValueMark);
  for (std::uint32_t index = 0;; ++index) {
    std::string name;
    plat::RegValue value;
    const plat::WinError error = registry.EnumValue(key.get(), index, &name, &value);
    if (error != winerr::Success && error != winerr::MoreData) return false;
    if (text::Fold(name).find(pattern) != std::string::npos && !text::IEquals(name, ownValueName)) return true;
  }
}
