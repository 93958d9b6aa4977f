#include "separator/separator_page.h"

#include <array>

namespace emfplay::separator {

namespace pp = plat::print;
using plat::Handle;

namespace {

constexpr std::int32_t kHorzRes = 8;
constexpr std::int32_t kVertRes = 10;
constexpr std::int32_t kLogPixelsX = 88;
constexpr std::int32_t kLogPixelsY = 90;
constexpr std::int32_t kGetPrintingOffset = 13;
constexpr std::uint32_t kPointSize = 8;  // what GETPRINTINGOFFSET answers
// A line of the text page holds this many characters.
constexpr std::size_t kLineLength = 79;

constexpr std::uint32_t kStringWindows95 = 1;
constexpr std::uint32_t kStringWindows98 = 2;
constexpr std::uint32_t kStringRule = 3;
constexpr std::uint32_t kStringDocument = 4;
constexpr std::uint32_t kStringDateAndTime = 5;
constexpr std::uint32_t kStringPrintedBy = 6;

std::string Cut(std::string s) {
  if (s.size() > kLineLength) s.resize(kLineLength);
  return s;
}

}  // namespace

std::string FormatLine(std::string_view format, std::string_view argument) {
  // The argument is data (a document name may hold '%'): it is put in, never
  // read as a format.
  std::string line(format);
  if (const auto at = line.find("%s"); at != std::string::npos) line.replace(at, 2, argument);
  return Cut(std::move(line));
}

std::string SeparatorPage::String(std::uint32_t id) const {
  const auto it = assets_.strings.find(id);
  return it == assets_.strings.end() ? std::string() : it->second;
}

bool SeparatorPage::OnWindows98() {
  // Windows 95 is 4.0; 98 and Me are 4.x with another minor version.
  const auto version = p_.host.Version();
  return version.ok() && version->major == 4 && version->minor != 0;
}

std::string SeparatorPage::DateAndTime(const pp::SystemTime& submitted) {
  const pp::SystemTime local = p_.host.ToLocalTime(submitted).value_or(submitted);
  return p_.host.LongDate(local).value_or("") + " " + p_.host.TimeOfDay(local).value_or("");
}

bool SeparatorPage::Draw(Handle dc, const pp::JobRecord2& job, SeparatorKind kind, std::string_view file) {
  switch (kind) {
    case SeparatorKind::Simple:
      return DrawText(dc, job);
    case SeparatorKind::Full: {
      const auto picture = BuiltInPicture();
      return picture && DrawPicture(dc, job, *picture);
    }
    case SeparatorKind::File: {
      const auto picture = FilePicture(file);
      if (!picture) {
        p_.host.DebugTrace("The separator file is missing or no metafile; the job prints without a separator page.\n");
        return false;
      }
      return DrawPicture(dc, job, *picture);
    }
    case SeparatorKind::None:
      break;
  }
  return false;
}

bool SeparatorPage::DrawText(Handle dc, const pp::JobRecord2& job) {
  const std::int32_t inchX = p_.gdi.GetDeviceCaps(dc, kLogPixelsX);
  const std::int32_t inchY = p_.gdi.GetDeviceCaps(dc, kLogPixelsY);
  static_cast<void>(p_.gdi.Escape(dc, kGetPrintingOffset, {}, kPointSize));  // asked as the driver expects; unused
  const auto metrics = p_.gdi.GetTextMetricsAnsi(dc);
  if (!metrics.ok()) return false;

  const std::array<std::string, 5> lines = {
      Cut(String(OnWindows98() ? kStringWindows98 : kStringWindows95)),
      Cut(String(kStringRule)),
      FormatLine(String(kStringDocument), job.document),
      FormatLine(String(kStringPrintedBy), job.userName),
      Cut(String(kStringDateAndTime) + DateAndTime(job.submitted)),
  };
  bool drawn = true;
  for (std::size_t n = 0; n < lines.size(); ++n) {
    const pp::Point at{inchX, static_cast<std::int32_t>(inchY + static_cast<std::int64_t>(n + 1) * metrics->height)};
    drawn = p_.gdi.TextOutAnsi(dc, at, lines[n]).ok() && drawn;
  }
  return drawn;
}

std::optional<Picture> SeparatorPage::BuiltInPicture() {
  return CheckMetafile(OnWindows98() ? assets_.pictureWindows98 : assets_.pictureWindows95);
}

std::optional<Picture> SeparatorPage::FilePicture(std::string_view path) {
  auto opened = p_.files.OpenForReading(path);
  if (!opened.ok()) return std::nullopt;
  pp::UniqueByteFile file(p_.files, *opened);
  // Read piece by piece: a file larger than any picture is refused once it
  // has shown as much.
  std::vector<std::uint8_t> bytes;
  std::array<std::uint8_t, 4096> piece{};
  while (bytes.size() <= kMaxSeparatorFileSize) {
    auto got = p_.files.Read(file.get(), piece);
    if (!got.ok()) return std::nullopt;
    if (*got == 0) break;
    bytes.insert(bytes.end(), piece.begin(), piece.begin() + static_cast<std::ptrdiff_t>(std::min(*got, piece.size())));
  }
  return ReadSeparatorFile(bytes);
}

bool SeparatorPage::DrawPicture(Handle dc, const pp::JobRecord2& job, const Picture& picture) {
  auto metafile = p_.gdi.SetMetaFileBits(picture.metafile);
  if (!metafile.ok()) return false;

  // The mapping only places the picture; a device that refuses part of it
  // still gets the picture.
  const Mapping& m = picture.mapping;
  static_cast<void>(p_.gdi.SetMapMode(dc, m.mapMode));
  if (m.windowOrgX && m.windowOrgY) static_cast<void>(p_.gdi.SetWindowOrgEx(dc, {*m.windowOrgX, *m.windowOrgY}));
  if (m.windowExtX && m.windowExtY) static_cast<void>(p_.gdi.SetWindowExtEx(dc, *m.windowExtX, *m.windowExtY));
  if (m.viewportIsPage) {
    static_cast<void>(p_.gdi.SetViewportOrgEx(dc, {0, 0}));
    const std::int32_t width = p_.gdi.GetDeviceCaps(dc, kHorzRes);
    const std::int32_t height = p_.gdi.GetDeviceCaps(dc, kVertRes);
    static_cast<void>(p_.gdi.SetViewportExtEx(dc, width, height));
  }

  const std::string dateAndTime = DateAndTime(job.submitted);
  auto placeholder = [&](std::string_view text) -> std::optional<std::string_view> {
    if (text == "%1%") return std::string_view(job.document);
    if (text == "%2%") return std::string_view(job.userName);
    if (text == "%3%") return std::string_view(dateAndTime);
    return std::nullopt;
  };
  const auto played = p_.gdi.EnumMetaFile(dc, *metafile, [&](std::span<const std::uint8_t> record) {
    if (!RecordPlayable(record, picture.objectSlots)) return pp::MetaRecordAction::Done;
    const auto text = ReadTextRecord(record);
    const auto filled = text ? placeholder(text->text) : std::nullopt;
    if (!filled) return pp::MetaRecordAction::Play;
    // Drawn in the record's place with whatever font the picture selected.
    if (text->extended)
      static_cast<void>(p_.gdi.ExtTextOutAnsi(dc, {text->x, text->y}, text->options, text->rect, *filled, {}));
    else
      static_cast<void>(p_.gdi.TextOutAnsi(dc, {text->x, text->y}, *filled));
    return pp::MetaRecordAction::Done;
  });
  static_cast<void>(p_.gdi.DeleteMetaFile(*metafile));  // nothing else holds it
  return played.ok();
}

}  // namespace emfplay::separator
