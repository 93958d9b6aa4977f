#include "records/ini_file.h"

#include "platform/win_errors.h"
#include "records/ini_text.h"

namespace {

bool IsComment(std::string_view line) { return line.front() == '#' || line.front() == ';'; }

bool IsHeader(std::string_view line) { return line.size() >= 2 && line.front() == '[' && line.back() == ']'; }

}  // namespace

CIniFile::CIniFile(plat::FileSystem& files) : files_(files) {}

CIniFile::CIniFile(plat::FileSystem& files, std::string_view path) : files_(files), m_strPath(path) {
  // A missing or unreadable file simply gives an empty model.
  [[maybe_unused]] const int sections = Read(m_strPath);
}

CIniFile::~CIniFile() {
  if (m_bWriteOnDestroy && !lastReadFailed_) {
    // Nobody is left to tell of a failed write.
    [[maybe_unused]] const int sections = Write();
  }
}

int CIniFile::Read(std::string_view path) {
  if (path.empty() || !files_.Exists(path)) return 0;
  std::string content;
  if (files_.ReadText(path, &content) != winerr::Success) {
    if (text::IEquals(path, m_strPath)) lastReadFailed_ = true;
    return kFileError;
  }
  if (text::IEquals(path, m_strPath)) lastReadFailed_ = false;

  CIniSection* current = nullptr;
  for (std::size_t start = 0; start < content.size();) {
    std::size_t end = content.find('\n', start);
    if (end == std::string::npos) end = content.size();
    // Trimming also drops the "\r" of a "\r\n" line end.
    const std::string_view line = ini::Trim(std::string_view(content).substr(start, end - start));
    start = end + 1;

    if (line.empty() || IsComment(line)) continue;
    if (IsHeader(line)) {
      OnSectionHeader(line);
      CIniSection* existing = FindSection(line);
      current = existing ? existing : &AddSectionAtHead(line);
    } else if (current) {
      current->AddLine(line);
    }
  }
  return static_cast<int>(m_listSections.size());
}

int CIniFile::Write() {
  if (m_strPath.empty()) return 0;
  // Written as a text-mode file is on Windows: every line ends in "\r\n".
  std::string out;
  for (const auto& section : m_listSections) {
    out += section->GetName();
    out += "\r\n";
    for (const auto& [key, value] : *section) {
      out += key;
      out += '=';
      out += value;
      out += "\r\n";
    }
    out += "\r\n";
  }
  if (files_.WriteText(m_strPath, out) != winerr::Success) return kFileError;
  return static_cast<int>(m_listSections.size());
}

CIniSection* CIniFile::FindSection(std::string_view name) const {
  const auto it = byName_.find(name);
  return it == byName_.end() ? nullptr : it->second;
}

bool CIniFile::SetValue(std::string_view section, std::string_view key, std::string_view value) {
  const std::string name = BracketedName(section);
  if (name.empty()) return false;
  CIniSection* found = FindSection(name);
  CIniSection& target = found ? *found : AddSectionAtHead(name);
  return target.SetValue(key, value);
}

bool CIniFile::RemoveKey(std::string_view section, std::string_view key) {
  const std::string name = BracketedName(section);
  if (name.empty()) return false;
  CIniSection* found = FindSection(name);
  return found && found->RemoveKey(key);
}

bool CIniFile::RemoveSection(std::string_view name) {
  const auto indexed = byName_.find(name);
  if (indexed == byName_.end()) return false;
  const CIniSection* section = indexed->second;
  byName_.erase(indexed);
  m_listSections.remove_if([section](const auto& held) { return held.get() == section; });
  return true;
}

std::string CIniFile::FindValue(std::string_view key) const {
  const std::string lowered = ini::Lower(key);
  for (const auto& section : m_listSections) {
    if (section->HasKey(lowered)) return section->GetValue(lowered);
  }
  return {};
}

std::string CIniFile::FindSectionByValue(std::string_view key, std::string_view value) const {
  for (const auto& section : m_listSections) {
    const std::string found = section->GetValue(key);
    if (!found.empty() && text::IEquals(found, value)) return section->GetBareName();
  }
  return {};
}

CIniSection& CIniFile::AddSectionAtHead(std::string_view name) {
  m_listSections.push_front(std::make_unique<CIniSection>(name));
  CIniSection& added = *m_listSections.front();
  byName_.emplace(added.GetName(), &added);
  return added;
}

std::string CIniFile::BracketedName(std::string_view section) {
  const std::string_view trimmed = ini::Trim(section);
  if (trimmed.empty()) return {};
  if (trimmed.front() == '[') return std::string(trimmed);
  return "[" + std::string(trimmed) + "]";
}
