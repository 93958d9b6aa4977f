// InstallLog port: the install-log automation server that the maker's
// installers register. It answers, per component key, which components are
// installed, what was logged for them (lists of child keys, files,
// directories, registry entries and shell items) and named properties.
//
// The win32 adapter is a late-bound dispatch client: it creates the server by
// its class identifier and calls each method by dispatch identifier, so no
// type library of the server is needed. The sim answers from the log held in
// the machine image. Texts are UTF-8 here and BSTRs on the wire; numbers are
// 32-bit signed.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <variant>

namespace plat {

// {16DFC280-1881-11D5-80E0-00C04F7F0E59}: the server's class identifier.
inline constexpr std::string_view kInstallLogClassId = "{16DFC280-1881-11D5-80E0-00C04F7F0E59}";

// The dispatch identifiers of the server's ten methods, in their order.
namespace logdispid {
inline constexpr std::int32_t AddEntry = 0x60020000;      // (number, text, text) -> number
inline constexpr std::int32_t RemoveEntry = 0x60020001;   // (number, text, text) -> number
inline constexpr std::int32_t ForgetComponent = 0x60020002;
inline constexpr std::int32_t IsInstalled = 0x60020003;
inline constexpr std::int32_t SetProperty = 0x60020004;   // (number, text, text) -> number
inline constexpr std::int32_t GetLoggedPath = 0x60020005;
inline constexpr std::int32_t GetProperty = 0x60020006;
inline constexpr std::int32_t Describe = 0x60020007;      // (text) -> text
inline constexpr std::int32_t GetList = 0x60020008;
inline constexpr std::int32_t GetStorePath = 0x60020009;
}  // namespace logdispid

// The kinds of a log list.
namespace logkind {
inline constexpr std::int32_t Children = 0;
inline constexpr std::int32_t Files = 1;
inline constexpr std::int32_t Directories = 2;
inline constexpr std::int32_t RegistryValues = 3;
inline constexpr std::int32_t RegistryKeys = 4;
inline constexpr std::int32_t ShellItems = 5;
inline constexpr std::int32_t LateShellItems = 6;
}  // namespace logkind

// Why the server could not be reached or a call failed: the HRESULT of the
// creation or of the call (a dispatch exception's own code when the server
// raised one) and the server's description of it, when it gave one.
struct LogFailure {
  std::uint32_t hresult = 0;
  std::string description;
};

// A value from the server, or why there is none.
template <typename T>
class [[nodiscard]] LogResult {
 public:
  LogResult(T value) : v_(std::in_place_index<0>, std::move(value)) {}
  LogResult(LogFailure failure) : v_(std::in_place_index<1>, std::move(failure)) {}

  bool ok() const { return v_.index() == 0; }
  // Only on success.
  const T& value() const& { return std::get<0>(v_); }
  T&& value() && { return std::get<0>(std::move(v_)); }
  // Only on failure.
  const LogFailure& failure() const { return std::get<1>(v_); }

 private:
  std::variant<T, LogFailure> v_;
};

// The outcome of a call that yields nothing.
struct LogDone {};

class InstallLog {
 public:
  virtual ~InstallLog() = default;

  // OleInitialize / OleUninitialize for the calling thread, which then
  // connects and makes every call.
  virtual LogResult<LogDone> InitializeOle() = 0;
  virtual void UninitializeOle() = 0;

  // Creates the server by kInstallLogClassId; REGDB_E_CLASSNOTREG when no
  // server is registered. One connection at a time.
  virtual LogResult<LogDone> Connect() = 0;
  // Drops the connection; nothing when there is none.
  virtual void Release() = 0;

  // Drops the component's record; the server's answer is of no use.
  virtual LogResult<std::int32_t> ForgetComponent(std::string_view key) = 0;
  // Non-zero when the component is installed.
  virtual LogResult<std::int32_t> IsInstalled(std::string_view key) = 0;
  // Full path of the entry of `kind` whose file name is `fileName`; empty
  // when there is none.
  virtual LogResult<std::string> GetLoggedPath(std::int32_t kind, std::string_view key,
                                               std::string_view fileName) = 0;
  // A named property; empty when the record does not hold it.
  virtual LogResult<std::string> GetProperty(std::string_view key, std::string_view name) = 0;
  // The list of `kind` (logkind) for the component: entries each ended by
  // "\n".
  virtual LogResult<std::string> GetList(std::int32_t kind, std::string_view key) = 0;
  // The file in which the server keeps the log (`which` 0).
  virtual LogResult<std::string> GetStorePath(std::int32_t which) = 0;
};

}  // namespace plat
