#include "shrink.h"

#include <algorithm>

namespace property {

namespace {

constexpr int kMaxRounds = 6;
// A model list line this long is a trap in itself; the report shortens it.
constexpr std::size_t kLongestShownText = 200;

bool StillFails(const World& world, const HazardSet& hazards, const Finding& target, const Tamper& tamper) {
  const std::vector<Finding> findings = RunAndCheck(world, hazards, tamper);
  return std::any_of(findings.begin(), findings.end(), [&](const Finding& f) { return f.SameAs(target); });
}

void ShortenTexts(json& node) {
  if (node.is_object() || node.is_array()) {
    for (json& child : node) ShortenTexts(child);
  } else if (node.is_string()) {
    std::string text = node.get<std::string>();
    for (std::size_t at = 0; (at = text.find(std::string(40, 'X'), at)) != std::string::npos;) {
      const std::size_t end = text.find_first_not_of('X', at);
      const std::size_t run = (end == std::string::npos ? text.size() : end) - at;
      text.replace(at, run, "X...(" + std::to_string(run) + " times)");
      at += 4;
    }
    if (text.size() > kLongestShownText) text = text.substr(0, kLongestShownText) + "...";
    node = text;
  }
}

}  // namespace

std::vector<Finding> RunAndCheck(const World& world, const HazardSet& hazards, const Tamper& tamper) {
  SilentRun run = RunSilently(Render(world));
  if (tamper && run.machine) {
    tamper(run);
    run.after = run.machine->Save();
  }
  return CheckRun(world, run, hazards);
}

World Shrink(World world, const HazardSet& hazards, const Finding& target, const Tamper& tamper) {
  for (int round = 0; round < kMaxRounds; ++round) {
    bool dropped = false;
    for (std::size_t i = world.pieces.size(); i-- > 0;) {
      World smaller = world;
      smaller.pieces.erase(smaller.pieces.begin() + static_cast<std::ptrdiff_t>(i));
      Finalize(smaller);
      if (!StillFails(smaller, hazards, target, tamper)) continue;
      world = std::move(smaller);
      dropped = true;
    }
    if (!dropped) break;
  }
  return world;
}

std::string Report(const World& original, const World& minimal, const HazardSet& hazards, const Finding& finding) {
  std::string out = "Seed " + std::to_string(original.seed) + " (" + original.os + ", hazards " + hazards.Names() +
                    "): " + finding.rule + ": " + finding.subject;
  if (!finding.detail.empty()) out += " [" + finding.detail + "]";
  out += "\nObjects left after shrinking (" + std::to_string(minimal.pieces.size()) + " of " +
         std::to_string(original.pieces.size()) + "):\n";
  for (const Piece& piece : minimal.pieces) out += std::string(piece.maker ? "  maker: " : "  other: ") + piece.label + "\n";
  json image = Render(minimal);
  ShortenTexts(image);
  out += "Minimal image:\n" + image.dump(1) + "\n";
  return out;
}

}  // namespace property
