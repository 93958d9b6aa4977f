// A generated machine as a list of objects, each one the maker's or not, each
// saying what of the machine it owns. The image is rendered from the list,
// so that a failing machine can be shrunk by dropping objects.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <nlohmann/json.hpp>

namespace property {

using nlohmann::json;

enum class ClaimKind { Printer, Driver, File, Key, KeyTree, Value, Processor };

// Something of the machine an object owns. Ids are normalised by the
// functions below, so that two spellings Windows reads as one compare equal.
struct Claim {
  ClaimKind kind;
  std::string id;
};

struct Piece {
  Piece() = default;
  Piece(std::string label, bool maker) : label(std::move(label)), maker(maker) {}

  std::string label;  // what a developer reads in a failure report
  bool maker = false;
  json fragment = json::object();  // merged into the image
  std::vector<Claim> claims;
  // A piece shared by others (a USB port's keys, a device key with several
  // instances) is the maker's only when every piece that uses it is.
  std::string sharedAs;
  std::vector<std::string> uses;
};

struct World {
  std::uint64_t seed = 0;
  std::string os;  // image shorthand: "winxp", "win2k", "nt4", "win98"
  std::vector<Piece> pieces;
};

// Owner of shared pieces from the pieces that use them; run after pieces are
// added or dropped.
void Finalize(World& world);
// The machine image of the world's pieces, in order.
json Render(const World& world);

// Normalised ids. A file is named the way Windows resolves it: without case,
// "/" as "\", and each part without trailing dots and blanks.
std::string FileId(std::string_view path);
std::string KeyId(std::string_view fullPath);
std::string DriverId(std::string_view name, std::string_view environment, std::uint64_t version);
std::string ValueId(std::string_view keyPath, std::string_view valueName);
std::string PrinterId(std::string_view fullName);
std::string ProcessorId(std::string_view name, std::string_view environment);

// Whether the world's pieces give this thing to the maker. The most specific
// claim decides (a key below a claimed tree is that tree's owner's unless
// claimed itself); when the maker and another maker claim the same thing it
// is not the maker's; what nobody claims is not the maker's either.
bool IsMakers(const World& world, ClaimKind kind, const std::string& id);
// The label of the piece whose claim decides, or empty.
std::string OwnerLabel(const World& world, ClaimKind kind, const std::string& id);

}  // namespace property
