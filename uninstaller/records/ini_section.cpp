#include "records/ini_section.h"

#include "records/ini_text.h"

std::string CIniSection::GetBareName() const {
  if (m_strName.size() < 3) return {};
  return m_strName.substr(1, m_strName.size() - 2);
}

bool CIniSection::AddLine(std::string_view line) {
  if (line.empty()) return false;
  const auto equals = line.find('=');
  if (equals == std::string_view::npos) return SetValue(line, {});
  return SetValue(line.substr(0, equals), line.substr(equals + 1));
}

bool CIniSection::SetValue(std::string_view key, std::string_view value) {
  const std::string_view trimmedKey = ini::Trim(key);
  if (trimmedKey.empty()) return false;
  m_mapValues.insert_or_assign(ini::Lower(trimmedKey), std::string(ini::Trim(value)));
  return true;
}

std::string CIniSection::GetValue(std::string_view key) const {
  const auto it = m_mapValues.find(ini::Trim(key));
  return it == m_mapValues.end() ? std::string() : it->second;
}

bool CIniSection::HasKey(std::string_view key) const { return m_mapValues.contains(ini::Trim(key)); }

bool CIniSection::RemoveKey(std::string_view key) {
  const auto it = m_mapValues.find(ini::Trim(key));
  if (it == m_mapValues.end()) return false;
  m_mapValues.erase(it);
  return true;
}
