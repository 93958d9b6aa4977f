#include "store_file.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <system_error>

#include "store_text.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace logstore {

namespace {

std::string Utf8(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

std::string Quoted(const std::filesystem::path& path) { return "\"" + Utf8(path) + "\""; }

// Replaces `to` with `from` in one step.
bool ReplaceFile(const std::filesystem::path& from, const std::filesystem::path& to) {
#ifdef _WIN32
  return MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
#else
  std::error_code ec;
  std::filesystem::rename(from, to, ec);
  return !ec;
#endif
}

}  // namespace

LoadResult LoadStore(const std::filesystem::path& path) {
  std::error_code ec;
  const auto status = std::filesystem::status(path, ec);
  if (status.type() == std::filesystem::file_type::not_found) return LogStore{};
  if (ec) return StoreFailure{"cannot reach the install log store " + Quoted(path) + ": " + ec.message()};
  if (status.type() != std::filesystem::file_type::regular)
    return StoreFailure{"the install log store " + Quoted(path) + " is not a file"};
  const auto size = std::filesystem::file_size(path, ec);
  if (ec) return StoreFailure{"cannot read the install log store " + Quoted(path) + ": " + ec.message()};
  if (size > kMaxStoreBytes) return StoreFailure{"the install log store " + Quoted(path) + " is too large"};

  std::ifstream in(path, std::ios::binary);
  if (!in) return StoreFailure{"cannot open the install log store " + Quoted(path)};
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return StoreFailure{"cannot read the install log store " + Quoted(path)};

  ParseResult parsed = ParseStore(text);
  if (auto* damage = std::get_if<StoreDamage>(&parsed)) return StoreFailure{damage->Describe() + " (" + Utf8(path) + ")"};
  return std::get<LogStore>(std::move(parsed));
}

std::optional<StoreFailure> SaveStore(const std::filesystem::path& path, const LogStore& store) {
  const std::string text = FormatStore(store);
  std::filesystem::path temp = path;
  temp += ".tmp";
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    if (!out) return StoreFailure{"cannot write the install log store " + Quoted(temp)};
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.flush();
    if (!out) {
      out.close();
      std::error_code ignored;
      std::filesystem::remove(temp, ignored);
      return StoreFailure{"cannot write the install log store " + Quoted(temp)};
    }
  }
  if (!ReplaceFile(temp, path)) {
    std::error_code ignored;
    std::filesystem::remove(temp, ignored);
    return StoreFailure{"cannot replace the install log store " + Quoted(path)};
  }
  return std::nullopt;
}

}  // namespace logstore
