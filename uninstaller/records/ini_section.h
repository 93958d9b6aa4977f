// One section of an INI-style file held in memory: its header as written,
// brackets included, and its key/value pairs. Keys are kept trimmed and in
// lower case and are matched without case; values are kept trimmed with
// their case.
#pragma once
#include <map>
#include <string>
#include <string_view>

#include "platform/text.h"

class CIniSection {
 public:
  // Walked in the map's own order, which is not the order of the file.
  using ValueMap = std::map<std::string, std::string, text::ILessFn>;

  // The name is kept as given; the file-level operations add the brackets.
  explicit CIniSection(std::string_view name) : m_strName(name) {}
  virtual ~CIniSection() = default;

  const std::string& GetName() const { return m_strName; }
  // The name without its first and last characters (the brackets); empty
  // when the name is shorter than three characters.
  std::string GetBareName() const;

  // Stores one "key=value" line: the key is what comes before the first
  // "=", the value everything after it; a line without "=" is a key with an
  // empty value. False, storing nothing, when the line or the trimmed key is
  // empty. A later line with the same key replaces the value.
  bool AddLine(std::string_view line);
  // False when the trimmed key is empty; otherwise stores or replaces.
  bool SetValue(std::string_view key, std::string_view value);
  // Empty when the key is not there.
  std::string GetValue(std::string_view key) const;
  bool HasKey(std::string_view key) const;
  // True when a pair was removed.
  bool RemoveKey(std::string_view key);

  ValueMap::const_iterator begin() const { return m_mapValues.begin(); }
  ValueMap::const_iterator end() const { return m_mapValues.end(); }
  std::size_t size() const { return m_mapValues.size(); }

 private:
  std::string m_strName;
  ValueMap m_mapValues;
};
