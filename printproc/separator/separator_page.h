// One separator page drawn on a printer's device context: five lines of text
// about the job ("Simple"), the built-in picture ("Full"), or the picture of
// a metafile file, with the job's details put in for the placeholders "%1%"
// (document), "%2%" (user) and "%3%" (date and time).
#pragma once
#include <cstdint>
#include <map>
#include <span>
#include <string>
#include <string_view>

#include "platform/print/processor_platform.h"
#include "processor/destination.h"
#include "separator/metafile_format.h"

namespace emfplay::separator {

// What the page is drawn from besides the job: the module's string table and
// its two built-in pictures (resources 600 and 601 of type 602), all owned by
// the caller.
struct SeparatorAssets {
  std::map<std::uint32_t, std::string> strings;
  std::span<const std::uint8_t> pictureWindows95;
  std::span<const std::uint8_t> pictureWindows98;
};

inline constexpr std::uint32_t kPictureResourceType = 602;
inline constexpr std::uint32_t kPictureWindows95 = 600;
inline constexpr std::uint32_t kPictureWindows98 = 601;

class SeparatorPage {
 public:
  SeparatorPage(plat::print::ProcessorPlatform& platform, const SeparatorAssets& assets)
      : p_(platform), assets_(assets) {}

  // Draws the page of `kind` for `job`; false when nothing sensible could be
  // drawn (an unknown kind, a file that is missing or no metafile).
  bool Draw(plat::Handle dc, const plat::print::JobRecord2& job, SeparatorKind kind, std::string_view file);

 private:
  bool DrawText(plat::Handle dc, const plat::print::JobRecord2& job);
  bool DrawPicture(plat::Handle dc, const plat::print::JobRecord2& job, const Picture& picture);
  std::optional<Picture> BuiltInPicture();
  std::optional<Picture> FilePicture(std::string_view path);
  bool OnWindows98();
  std::string String(std::uint32_t id) const;
  std::string DateAndTime(const plat::print::SystemTime& submitted);

  plat::print::ProcessorPlatform& p_;
  const SeparatorAssets& assets_;
};

// A line of the text page: `format` with its "%s" replaced by `argument`,
// cut to the 79 characters its line holds.
std::string FormatLine(std::string_view format, std::string_view argument);

}  // namespace emfplay::separator
