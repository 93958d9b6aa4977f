// A whole INI-style text file held in memory as a list of sections, read once
// when made with a path and written back when destroyed unless the owner
// switches that off. The uninstaller reads its script file through it, and
// only reads: the script's owner clears m_bWriteOnDestroy.
//
// Reading keeps no comments, blank lines or lines before the first header,
// merges headers that differ only in case into the section first seen, and
// puts each new section at the head of the list; so a file read and written
// back lists its sections in the reverse order of their first appearance.
#pragma once
#include <list>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "platform/file_system.h"
#include "platform/text.h"
#include "records/ini_section.h"

class CIniFile {
 public:
  using Sections = std::list<std::unique_ptr<CIniSection>>;
  // What Read and Write give when the file system refuses.
  static constexpr int kFileError = -1;

  // An empty model without a path: Write does nothing.
  explicit CIniFile(plat::FileSystem& files);
  // Reads the file at once; a missing or unreadable file leaves the model
  // empty, and the result of the read is not reported.
  CIniFile(plat::FileSystem& files, std::string_view path);
  // Writes the file back first when m_bWriteOnDestroy is set and the last
  // read did not fail.
  virtual ~CIniFile();
  CIniFile(const CIniFile&) = delete;
  CIniFile& operator=(const CIniFile&) = delete;

  // Merges the file's sections into the model. 0 for an empty path or a
  // missing file; kFileError when the file cannot be read (the model keeps
  // what it held); otherwise the number of sections now held.
  [[nodiscard]] int Read(std::string_view path);
  // Writes every section to the model's path, replacing the file. 0 without
  // a path; kFileError when the file cannot be written; otherwise the number
  // of sections written.
  [[nodiscard]] int Write();

  // The section whose name equals `name` without case. The name is taken as
  // given: the brackets are the caller's ("[Uninstall]").
  CIniSection* FindSection(std::string_view name) const;
  // Stores a pair, making the section (at the head of the list) when it is
  // missing. The section name is trimmed and gets brackets unless it
  // already begins with "[". False for an empty section name or key.
  bool SetValue(std::string_view section, std::string_view key, std::string_view value);
  // False when the section or the key is missing. The section name is
  // treated as by SetValue.
  bool RemoveKey(std::string_view section, std::string_view key);
  // Removes the section named exactly `name` without case; no brackets are
  // added. True when one was removed.
  bool RemoveSection(std::string_view name);
  // The value of `key` in the first section, in list order, that holds the
  // key; empty when none does.
  std::string FindValue(std::string_view key) const;
  // The name without brackets of the first section, in list order, whose
  // value of `key` is not empty and equals `value` without case; empty when
  // none matches.
  std::string FindSectionByValue(std::string_view key, std::string_view value) const;

  const std::string& GetPath() const { return m_strPath; }
  Sections::const_iterator begin() const { return m_listSections.begin(); }
  Sections::const_iterator end() const { return m_listSections.end(); }
  std::size_t size() const { return m_listSections.size(); }

  // Cleared by owners that only read.
  bool m_bWriteOnDestroy = true;

 protected:
  // Called with each header line while reading, before it is looked up.
  virtual void OnSectionHeader(std::string_view /*line*/) {}

 private:
  CIniSection& AddSectionAtHead(std::string_view name);
  // The trimmed name with brackets added unless it begins with "["; empty
  // when the trimmed name is.
  static std::string BracketedName(std::string_view section);

  plat::FileSystem& files_;
  std::string m_strPath;
  Sections m_listSections;
  // Names are unique without case, so each section is found without walking
  // the list: a file that names many sections reads in n log n.
  std::map<std::string, CIniSection*, text::ILessFn> byName_;
  // A model that failed to read holds less than its file; writing it back
  // unasked would lose the rest.
  bool lastReadFailed_ = false;
};
