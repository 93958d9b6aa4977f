#include "store_text.h"

#include <cstdio>

namespace logstore {

namespace {

bool MustEscape(unsigned char c, bool inName) {
  return c < 0x20 || c == 0x7F || c == '%' || (inName && c == '=');
}

std::string Escape(std::string_view value, bool inName = false) {
  std::string out;
  out.reserve(value.size());
  for (std::size_t i = 0; i < value.size(); ++i) {
    const auto c = static_cast<unsigned char>(value[i]);
    const bool edgeSpace = c == ' ' && (i == 0 || i + 1 == value.size());
    if (MustEscape(c, inName) || edgeSpace) {
      char hex[4];
      std::snprintf(hex, sizeof hex, "%%%02X", c);
      out += hex;
    } else {
      out.push_back(static_cast<char>(c));
    }
  }
  return out;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// Nothing when an escape is cut short or not hexadecimal.
std::optional<std::string> Unescape(std::string_view value) {
  std::string out;
  out.reserve(value.size());
  for (std::size_t i = 0; i < value.size(); ++i) {
    if (value[i] != '%') {
      out.push_back(value[i]);
      continue;
    }
    if (i + 2 >= value.size()) return std::nullopt;
    const int hi = HexDigit(value[i + 1]);
    const int lo = HexDigit(value[i + 2]);
    if (hi < 0 || lo < 0) return std::nullopt;
    out.push_back(static_cast<char>(hi * 16 + lo));
    i += 2;
  }
  return out;
}

void FormatList(std::string& out, std::string_view name, const std::string& text) {
  if (text.empty()) return;
  if (const auto entries = SplitEntries(text)) {
    for (const std::string& e : *entries) out.append(name).append(" ").append(Escape(e)).append("\n");
  } else {
    out.append(name).append("* ").append(Escape(text)).append("\n");
  }
}

std::optional<std::size_t> ListTag(std::string_view tag, bool* raw) {
  *raw = !tag.empty() && tag.back() == '*';
  if (*raw) tag.remove_suffix(1);
  for (std::size_t kind = 0; kind < kListKinds; ++kind)
    if (tag == kListNames[kind]) return kind;
  return std::nullopt;
}

}  // namespace

std::string StoreDamage::Describe() const {
  return "the install log store is damaged at line " + std::to_string(line) + ": " + reason;
}

std::string FormatStore(const LogStore& store) {
  std::string out(kStoreHeader);
  out.push_back('\n');
  for (const auto& [key, record] : store.components()) {
    out.append("component ").append(Escape(key)).append("\n");
    if (!record.installed) out.append("installed no\n");
    for (const auto& [name, value] : record.properties)
      out.append("property ").append(Escape(name, true)).append("=").append(Escape(value)).append("\n");
    for (std::size_t kind = 0; kind < kListKinds; ++kind) FormatList(out, kListNames[kind], record.lists[kind]);
  }
  return out;
}

ParseResult ParseStore(std::string_view text) {
  LogStore store;
  ComponentRecord* current = nullptr;
  bool sawHeader = false;
  std::size_t lineNo = 0;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    start = end + 1;
    ++lineNo;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty() || line.front() == '#') continue;
    auto damage = [&](std::string reason) { return StoreDamage{lineNo, std::move(reason)}; };

    if (!sawHeader) {
      if (line != kStoreHeader) return damage("the file does not start with \"" + std::string(kStoreHeader) + "\"");
      sawHeader = true;
      continue;
    }
    const std::size_t space = line.find(' ');
    if (space == std::string_view::npos) return damage("a line holds no value after its tag");
    const std::string_view tag = line.substr(0, space);
    const auto value = Unescape(line.substr(space + 1));
    if (!value) return damage("a \"%\" is not followed by two hexadecimal digits");

    if (tag == "component") {
      if (value->empty()) return damage("a component has no key");
      const auto [it, made] = store.components().try_emplace(*value);
      if (!made) return damage("the component \"" + *value + "\" appears twice");
      current = &it->second;
      continue;
    }
    if (current == nullptr) return damage("\"" + std::string(tag) + "\" comes before any component");
    if (tag == "installed") {
      if (*value != "yes" && *value != "no") return damage("\"installed\" is neither yes nor no");
      current->installed = *value == "yes";
    } else if (tag == "property") {
      // Split the line as written: an "=" inside the name is escaped there.
      const std::string_view raw = line.substr(space + 1);
      const std::size_t rawEq = raw.find('=');
      if (rawEq == std::string_view::npos) return damage("a property has no \"=\" between its name and value");
      const auto name = Unescape(raw.substr(0, rawEq));
      const auto val = Unescape(raw.substr(rawEq + 1));
      if (!name || !val || name->empty()) return damage("a property has no name");
      if (!current->properties.emplace(*name, *val).second)
        return damage("the property \"" + *name + "\" appears twice");
    } else {
      bool raw = false;
      const auto kind = ListTag(tag, &raw);
      if (!kind) return damage("\"" + std::string(tag) + "\" is not a tag of the store");
      std::string& list = current->lists[*kind];
      if (raw) {
        list += *value;
      } else {
        if (value->empty()) return damage("a list entry is empty");
        list.append(*value).push_back('\n');
      }
    }
  }
  if (!sawHeader) return StoreDamage{lineNo, "the file is empty"};
  return store;
}

}  // namespace logstore
