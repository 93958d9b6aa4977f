// Parsing an image's text. Two members of one name in one object are refused:
// the parser would silently keep the last, and the image would load as
// something other than what its author reads.
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "image_load.h"

namespace sim {

namespace {
// Where the parser is: one frame per open object or array.
struct Frame {
  bool isArray = false;
  std::size_t elements = 0;  // arrays: elements begun so far
  std::string member;        // objects: the member being read
  std::set<std::string> members;
};

std::string PathOf(const std::vector<Frame>& frames) {
  std::string path = "/";
  for (const Frame& f : frames) path = Child(path, f.isArray ? std::to_string(f.elements - 1) : f.member);
  return path;
}
}  // namespace

json ParseImage(std::string_view imageText) {
  std::vector<Frame> frames;
  std::optional<ImageError> twice;
  const auto beginElement = [&frames] {
    if (!frames.empty() && frames.back().isArray) ++frames.back().elements;
  };
  const json::parser_callback_t track = [&](int, json::parse_event_t event, json& parsed) {
    switch (event) {
      case json::parse_event_t::object_start:
      case json::parse_event_t::array_start:
        beginElement();
        frames.push_back(Frame{event == json::parse_event_t::array_start, 0, {}, {}});
        break;
      case json::parse_event_t::key: {
        Frame& top = frames.back();
        top.member = parsed.get<std::string>();
        if (!top.members.insert(top.member).second && !twice)
          twice = ImageError{PathOf(frames), "the member is given twice (JSON would keep only the last)"};
        break;
      }
      case json::parse_event_t::value:
        beginElement();
        break;
      case json::parse_event_t::object_end:
      case json::parse_event_t::array_end:
        frames.pop_back();
        break;
    }
    return true;
  };
  json image = json::parse(imageText.begin(), imageText.end(), track);
  if (twice) throw *twice;
  return image;
}

}  // namespace sim
