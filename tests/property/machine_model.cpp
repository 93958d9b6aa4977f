#include "machine_model.h"

#include <map>
#include <set>

#include "platform/text.h"

namespace property {

namespace {

// Lists at the top of an image (drivers, printers...) gather every piece's
// entries; objects merge member by member; anything else is the later
// piece's.
void Merge(json& into, const json& from, bool topLevel) {
  for (auto it = from.begin(); it != from.end(); ++it) {
    json& slot = into[it.key()];
    if (topLevel && it->is_array()) {
      if (!slot.is_array()) slot = json::array();
      for (const json& e : *it) slot.push_back(e);
    } else if (it->is_object() && slot.is_object()) {
      Merge(slot, *it, false);
    } else {
      slot = *it;
    }
  }
}

bool Covers(const Claim& claim, ClaimKind kind, const std::string& id) {
  if (kind == ClaimKind::Key) {
    if (claim.kind == ClaimKind::Key) return claim.id == id;
    if (claim.kind == ClaimKind::KeyTree)
      return claim.id == id || (id.size() > claim.id.size() && id.compare(0, claim.id.size(), claim.id) == 0 &&
                                id[claim.id.size()] == '\\');
    return false;
  }
  return claim.kind == kind && claim.id == id;
}

// The deciding piece: the longest covering claim, another maker's on a tie.
const Piece* Decider(const World& world, ClaimKind kind, const std::string& id) {
  const Piece* best = nullptr;
  std::size_t bestLength = 0;
  for (const Piece& piece : world.pieces) {
    for (const Claim& claim : piece.claims) {
      if (!Covers(claim, kind, id)) continue;
      const std::size_t length = claim.id.size() + (claim.kind == ClaimKind::Key ? 1 : 0);
      if (!best || length > bestLength || (length == bestLength && best->maker && !piece.maker)) {
        best = &piece;
        bestLength = length;
      }
    }
  }
  return best;
}

}  // namespace

void Finalize(World& world) {
  std::map<std::string, std::pair<int, int>> users;  // shared name -> (maker users, other users)
  for (const Piece& piece : world.pieces)
    for (const std::string& name : piece.uses) (piece.maker ? users[name].first : users[name].second)++;
  for (Piece& piece : world.pieces) {
    if (piece.sharedAs.empty()) continue;
    const auto [maker, other] = users[piece.sharedAs];
    piece.maker = maker > 0 && other == 0;
  }
}

json Render(const World& world) {
  json image = json::object();
  for (const Piece& piece : world.pieces) Merge(image, piece.fragment, true);
  image["os"] = world.os;
  return image;
}

std::string FileId(std::string_view path) {
  std::string out;
  for (const std::string& part : text::Split(text::Fold(path), '\\')) {
    std::string trimmed = part;
    for (char& c : trimmed)
      if (c == '/') c = '\\';
    while (!trimmed.empty() && (trimmed.back() == '.' || trimmed.back() == ' ') && trimmed != "." && trimmed != "..")
      trimmed.pop_back();
    if (trimmed.empty()) continue;
    if (!out.empty()) out += '\\';
    out += trimmed;
  }
  return out;
}

std::string KeyId(std::string_view fullPath) {
  std::string out;
  for (const std::string& part : text::Split(text::Fold(fullPath), '\\')) {
    if (part.empty()) continue;
    if (!out.empty()) out += '\\';
    out += part;
  }
  // The saved image spells the roots short.
  for (const auto& [longName, shortName] : std::initializer_list<std::pair<const char*, const char*>>{
           {"hkey_local_machine", "hklm"}, {"hkey_current_user", "hkcu"}, {"hkey_users", "hku"},
           {"hkey_classes_root", "hkcr"}, {"hkey_current_config", "hkcc"}}) {
    const std::string folded = text::Fold(longName);
    if (out.rfind(folded + "\\", 0) == 0 || out == folded)
      out = text::Fold(shortName) + out.substr(folded.size());
  }
  return out;
}

std::string DriverId(std::string_view name, std::string_view environment, std::uint64_t version) {
  return text::Fold(name) + "|" + text::Fold(environment) + "|" + std::to_string(version);
}

std::string ValueId(std::string_view keyPath, std::string_view valueName) {
  return KeyId(keyPath) + "|" + text::Fold(valueName);
}

std::string PrinterId(std::string_view fullName) { return text::Fold(fullName); }

std::string ProcessorId(std::string_view name, std::string_view environment) {
  return text::Fold(name) + "|" + text::Fold(environment);
}

bool IsMakers(const World& world, ClaimKind kind, const std::string& id) {
  const Piece* piece = Decider(world, kind, id);
  return piece != nullptr && piece->maker;
}

std::string OwnerLabel(const World& world, ClaimKind kind, const std::string& id) {
  const Piece* piece = Decider(world, kind, id);
  return piece ? piece->label : std::string();
}

}  // namespace property
