#include "components/config_file_filters.h"

#include <algorithm>
#include <cctype>
#include <functional>
#include <string>

namespace {

// GetTempPath's limit: a longer temporary directory is not used.
constexpr std::size_t kMaxTempDirectory = 260;
constexpr std::string_view kWorkFileName = "FileUsedOnce.txt";

// One line of a file: its text, and the terminator it came with ("\r\n",
// "\n" or none for an unterminated last line).
struct Line {
  std::string_view text;
  std::string_view terminator;
};

// Calls `visit` for every line of `content` in order.
void ForEachLine(std::string_view content, const std::function<void(const Line&)>& visit) {
  std::size_t start = 0;
  while (start < content.size()) {
    const std::size_t newline = content.find('\n', start);
    if (newline == std::string_view::npos) {
      visit(Line{content.substr(start), {}});
      return;
    }
    std::size_t textEnd = newline;
    if (textEnd > start && content[textEnd - 1] == '\r') --textEnd;
    visit(Line{content.substr(start, textEnd - start), content.substr(textEnd, newline + 1 - textEnd)});
    start = newline + 1;
  }
}

// The kept lines, each exactly as it was read with its own terminator; an
// unterminated last line stays so, as a byte added after a lone carriage
// return would change that line.
std::string Filter(std::string_view content, const std::function<bool(std::string_view)>& drop) {
  std::string out;
  out.reserve(content.size());
  ForEachLine(content, [&](const Line& line) {
    if (drop(line.text)) return;
    out.append(line.text);
    out.append(line.terminator);
  });
  return out;
}

std::string_view TrimTrailingSpace(std::string_view s) {
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
  return s;
}

std::string Upper(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

}  // namespace

bool FilterConfigFile(plat::FileSystem& files, std::string_view path, std::string_view pattern, bool exactLine) {
  pattern = TrimTrailingSpace(pattern);
  // Every line holds the empty text: an empty pattern would empty the file.
  if (pattern.empty() && !exactLine) return false;

  const std::string tempDir = files.TempDirectory();
  if (tempDir.empty() || tempDir.size() > kMaxTempDirectory) return false;
  std::string tempPath;
  if (!files.CreateTempFile(tempDir, "VOR", &tempPath).ok()) return false;

  std::string content;
  bool done = files.ReadText(path, &content).ok();
  if (done) {
    const std::string kept = Filter(content, [&](std::string_view text) {
      const std::string_view trimmed = TrimTrailingSpace(text);
      return exactLine ? trimmed == pattern : trimmed.find(pattern) != std::string_view::npos;
    });
    done = files.WriteText(tempPath, kept).ok() && files.CopyTo(tempPath, path, false).ok();
  }
  // The temporary file is ours whatever happened to the filtering.
  (void)files.RemoveFile(tempPath);
  return done;
}

void DropVendorLines(plat::FileSystem& files, std::string_view path, std::string_view word, bool /*bracketKept*/) {
  // No word is in every line; an empty one would empty the file.
  if (word.empty()) return;
  std::string content;
  if (!files.ReadText(path, &content).ok()) return;

  const std::string workFile = files.TempDirectory() + std::string(kWorkFileName);
  const std::string upperWord = Upper(word);
  const std::string kept =
      Filter(content, [&](std::string_view text) { return Upper(text).find(upperWord) != std::string::npos; });
  if (files.WriteText(workFile, kept).ok()) (void)files.CopyTo(workFile, path, false);
  (void)files.RemoveFile(workFile);
}
