// Platform configuration files of any content through the two line filters:
// the result's lines are the input's lines in order with only matching ones
// left out, and no kept line is altered.
#include <cstddef>
#include <cstdint>
#include <cctype>
#include <cstdlib>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "components/config_file_filters.h"
#include "memory_files.h"

namespace {

const char kPath[] = "C:\\NNM\\conf\\oid_to_sym";

// The text of each line, without its terminator.
std::vector<std::string> Lines(std::string_view content) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < content.size()) {
    std::size_t end = content.find('\n', start);
    std::size_t next = content.size();
    if (end == std::string_view::npos) {
      end = content.size();  // an unterminated last line keeps every byte
    } else {
      next = end + 1;
      if (end > start && content[end - 1] == '\r') --end;
    }
    lines.emplace_back(content.substr(start, end - start));
    start = next;
  }
  return lines;
}

std::string Upper(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

std::string_view TrimRight(std::string_view s) {
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
  return s;
}

}  // namespace

// Input: one byte of mode, the pattern up to the first NUL, the file after it.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  const int mode = data[0] % 4;
  const std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);
  const std::size_t nul = rest.find('\0');
  if (nul == std::string_view::npos) return 0;
  const std::string pattern(rest.substr(0, nul));
  const std::string content(rest.substr(nul + 1));

  memfs::MemoryFiles files;
  files.files[kPath] = content;
  bool rewritten = true;
  std::function<bool(std::string_view)> matches;
  if (mode < 2) {
    const bool exact = mode == 1;
    const std::string_view trimmed = TrimRight(pattern);
    rewritten = FilterConfigFile(files, kPath, pattern, exact);
    matches = [=](std::string_view line) {
      return exact ? TrimRight(line) == trimmed : TrimRight(line).find(trimmed) != std::string_view::npos;
    };
  } else {
    DropVendorLines(files, kPath, pattern, mode == 3);
    rewritten = !pattern.empty();
    const std::string upper = Upper(pattern);
    matches = [=](std::string_view line) { return Upper(line).find(upper) != std::string::npos; };
  }
  if (files.files.size() != 1) std::abort();  // a temporary file was left behind
  const std::string& after = files.files[kPath];
  if (!rewritten) {
    if (after != content) std::abort();
    return 0;
  }

  const std::vector<std::string> in = Lines(content);
  const std::vector<std::string> out = Lines(after);
  // Every kept line appears unchanged, in order, among the input's lines,
  // and is one that does not match; every line that does not match is kept.
  std::size_t i = 0;
  std::size_t unmatched = 0;
  for (const std::string& line : in)
    if (!matches(line)) ++unmatched;
  for (const std::string& line : out) {
    if (matches(line)) std::abort();
    while (i < in.size() && in[i] != line) ++i;
    if (i == in.size()) std::abort();
    ++i;
  }
  if (out.size() != unmatched) std::abort();
  return 0;
}
