#include "log_methods.h"

#include <array>

#include "log_store.h"
#include "store_file.h"
#include "store_text.h"

namespace logstore {

namespace {

using enum ArgType;

// The dispatch identifiers of the ten methods.
constexpr std::int32_t kAddEntry = 0x60020000;
constexpr std::int32_t kRemoveEntry = 0x60020001;
constexpr std::int32_t kForgetComponent = 0x60020002;
constexpr std::int32_t kIsInstalled = 0x60020003;
constexpr std::int32_t kSetProperty = 0x60020004;
constexpr std::int32_t kGetLoggedPath = 0x60020005;
constexpr std::int32_t kGetProperty = 0x60020006;
constexpr std::int32_t kDescribe = 0x60020007;
constexpr std::int32_t kGetList = 0x60020008;
constexpr std::int32_t kGetStorePath = 0x60020009;

const std::array<MethodInfo, 10>& Methods() {
  static const std::array<MethodInfo, 10> methods = {{
      {kAddEntry, "AddEntry", {Number, Text, Text}, Number},
      {kRemoveEntry, "RemoveEntry", {Number, Text, Text}, Number},
      {kForgetComponent, "ForgetComponent", {Text}, Number},
      {kIsInstalled, "IsInstalled", {Text}, Number},
      {kSetProperty, "SetProperty", {Number, Text, Text}, Number},
      {kGetLoggedPath, "GetLoggedPath", {Number, Text, Text}, Text},
      {kGetProperty, "GetProperty", {Text, Text}, Text},
      {kDescribe, "Describe", {Text}, Text},
      {kGetList, "GetList", {Number, Text}, Text},
      {kGetStorePath, "GetStorePath", {Number}, Text},
  }};
  return methods;
}

std::string Utf8(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

bool Matches(const MethodInfo& method, std::span<const Value> arguments) {
  if (arguments.size() != method.arguments.size()) return false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const bool isNumber = std::holds_alternative<std::int32_t>(arguments[i]);
    if (isNumber != (method.arguments[i] == Number)) return false;
  }
  return true;
}

std::int32_t Num(std::span<const Value> a, std::size_t i) { return std::get<std::int32_t>(a[i]); }
const std::string& Txt(std::span<const Value> a, std::size_t i) { return std::get<std::string>(a[i]); }

std::string Describe(const LogStore& store, std::string_view key) {
  if (key.empty()) return FormatStore(store);
  const auto it = store.components().find(key);
  if (it == store.components().end()) return {};
  LogStore one;
  one.components().emplace(it->first, it->second);
  const std::string text = FormatStore(one);
  return text.substr(text.find('\n') + 1);
}

// A change to the log: refuses what would make a record the store cannot
// hold, applies it, and writes the store back when something changed.
class Session {
 public:
  explicit Session(const std::filesystem::path& path) : path_(path) {}

  std::optional<CallFailure> Open() {
    LoadResult loaded = LoadStore(path_);
    if (auto* failure = std::get_if<StoreFailure>(&loaded)) return CallFailure{failure->reason};
    store_ = std::get<LogStore>(std::move(loaded));
    return std::nullopt;
  }
  LogStore& store() { return store_; }

  CallResult Commit(std::int32_t answer) {
    if (answer != 0) {
      if (auto failure = SaveStore(path_, store_)) return CallFailure{failure->reason};
    }
    return Value(answer);
  }

 private:
  std::filesystem::path path_;
  LogStore store_;
};

std::optional<CallFailure> CheckWrite(std::string_view key, std::string_view text, bool isEntry) {
  if (key.empty()) return CallFailure{"a component key is empty"};
  if (isEntry && text.empty()) return CallFailure{"a list entry is empty"};
  if (text.find('\n') != std::string_view::npos) return CallFailure{"a list entry or property holds a line break"};
  return std::nullopt;
}

CallFailure NoSuchKind(std::int32_t kind) { return {"there is no list of kind " + std::to_string(kind)}; }

CallResult Write(Session& s, std::int32_t dispid, std::span<const Value> a) {
  switch (dispid) {
    case kAddEntry: {
      const auto kind = ListKindOf(Num(a, 0));
      if (!kind) return NoSuchKind(Num(a, 0));
      if (auto refused = CheckWrite(Txt(a, 1), Txt(a, 2), true)) return *refused;
      return s.Commit(s.store().AddEntry(*kind, Txt(a, 1), Txt(a, 2)) ? 1 : 0);
    }
    case kRemoveEntry: {
      const auto kind = ListKindOf(Num(a, 0));
      if (!kind) return NoSuchKind(Num(a, 0));
      return s.Commit(s.store().RemoveEntry(*kind, Txt(a, 1), Txt(a, 2)));
    }
    case kForgetComponent:
      return s.Commit(s.store().Forget(Txt(a, 0)) ? 1 : 0);
    case kSetProperty: {
      const std::string& key = Txt(a, 1);
      const std::string& text = Txt(a, 2);
      if (auto refused = CheckWrite(key, text, false)) return *refused;
      if (Num(a, 0) == 1) {
        if (text != "yes" && text != "no") return CallFailure{"whether installed is \"yes\" or \"no\""};
        const bool installed = text == "yes";
        const bool known = s.store().components().count(key) != 0;
        if (known && s.store().components().find(key)->second.installed == installed) return Value(0);
        s.store().SetInstalled(key, installed);
        return s.Commit(1);
      }
      if (Num(a, 0) != 0) return CallFailure{"SetProperty takes 0 (a property) or 1 (installed)"};
      const std::size_t eq = text.find('=');
      if (eq == std::string::npos || eq == 0) return CallFailure{"a property is given as \"name=value\""};
      return s.Commit(s.store().SetProperty(key, text.substr(0, eq), text.substr(eq + 1)) ? 1 : 0);
    }
    default:
      return CallFailure{"no such method"};
  }
}

CallResult Read(const LogStore& store, const std::filesystem::path& path, std::int32_t dispid,
                std::span<const Value> a) {
  switch (dispid) {
    case kIsInstalled:
      return Value(store.IsInstalled(Txt(a, 0)) ? 1 : 0);
    case kGetLoggedPath: {
      const auto kind = ListKindOf(Num(a, 0));
      if (!kind) return NoSuchKind(Num(a, 0));
      return Value(store.LoggedPath(*kind, Txt(a, 1), Txt(a, 2)));
    }
    case kGetProperty:
      return Value(store.Property(Txt(a, 0), Txt(a, 1)));
    case kDescribe:
      return Value(Describe(store, Txt(a, 0)));
    case kGetList: {
      const auto kind = ListKindOf(Num(a, 0));
      if (!kind) return NoSuchKind(Num(a, 0));
      return Value(store.List(*kind, Txt(a, 1)));
    }
    case kGetStorePath:
      if (Num(a, 0) != 0) return CallFailure{"only store 0 exists"};
      return Value(Utf8(path));
    default:
      return CallFailure{"no such method"};
  }
}

bool Writes(std::int32_t dispid) {
  return dispid == kAddEntry || dispid == kRemoveEntry || dispid == kForgetComponent || dispid == kSetProperty;
}

}  // namespace

const MethodInfo* MethodById(std::int32_t dispid) {
  for (const MethodInfo& m : Methods())
    if (m.dispid == dispid) return &m;
  return nullptr;
}

const MethodInfo* MethodByName(std::string_view name) {
  for (const MethodInfo& m : Methods())
    if (AsciiIEquals(m.name, name)) return &m;
  return nullptr;
}

CallResult CallMethod(const std::filesystem::path& storePath, std::int32_t dispid, std::span<const Value> arguments) {
  const MethodInfo* method = MethodById(dispid);
  if (method == nullptr) return CallFailure{"no such method"};
  if (!Matches(*method, arguments)) return CallFailure{"wrong arguments for " + std::string(method->name)};
  // The store's own path is known without reading it.
  if (dispid == kGetStorePath) return Read(LogStore{}, storePath, dispid, arguments);
  Session session(storePath);
  if (auto failure = session.Open()) return *failure;
  if (Writes(dispid)) return Write(session, dispid, arguments);
  return Read(session.store(), storePath, dispid, arguments);
}

}  // namespace logstore
