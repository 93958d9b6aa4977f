// The server's ten methods as plain calls on the store file, apart from COM:
// the dispatch shell converts its VARIANT arguments to the types named here,
// in the declared order, and turns a failure into a dispatch exception.
//
// Six methods answer the uninstaller; the other four let installers and
// tests write the log:
//   AddEntry(kind, key, entry) -> 1 when the list grew, 0 when the entry was
//     there already (entries compare ignoring case).
//   RemoveEntry(kind, key, entry) -> the number of entries dropped.
//   SetProperty(what, key, text) -> 1 when the record changed, else 0.
//     what 0: text is "name=value"; an empty value drops the property.
//     what 1: text is "yes" or "no", whether the component is installed.
//   Describe(key) -> the component's record in the store's own format, or
//     the whole store for an empty key; empty for an unknown key.
// Writing to a component makes its record (installed) when there is none.
// Every call reads the store file afresh and a change writes it back, so
// several processes share one log.
#pragma once
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace logstore {

enum class ArgType { Number, Text };

struct MethodInfo {
  std::int32_t dispid;
  std::string_view name;
  std::vector<ArgType> arguments;
  ArgType result;
};

// Nothing for an unknown dispatch identifier or name (names ignore case).
const MethodInfo* MethodById(std::int32_t dispid);
const MethodInfo* MethodByName(std::string_view name);

using Value = std::variant<std::int32_t, std::string>;

// A call the server refuses, with the reason it reports.
struct CallFailure {
  std::string description;
};

using CallResult = std::variant<Value, CallFailure>;

// `arguments` must match the method's declared types in number and type
// (the shell has converted them); a mismatch is refused, not guessed at.
[[nodiscard]] CallResult CallMethod(const std::filesystem::path& storePath, std::int32_t dispid,
                                    std::span<const Value> arguments);

}  // namespace logstore
