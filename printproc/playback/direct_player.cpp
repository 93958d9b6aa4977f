#include "playback/direct_player.h"

#include <utility>

#include "platform/win_errors.h"
#include "playback/record_checks.h"
#include "playback/vemf_format.h"

namespace vemf {

namespace pp = plat::print;

namespace {
pp::Status Skipped() { return pp::Error(winerr::InvalidData); }
}  // namespace

int PlayDirect(JobControl& control, pp::Gdi& gdi, const DirectJob& job, ByteSource& source, RecordReader& reader) {
  DirectPlayer player(gdi, job);
  for (;;) {
    if (!control.Proceed()) break;
    if (!reader.Next(source)) break;
    const RecordView r = reader.record();
    if (r.type() == rec::EndOfDocument) break;
    // A record that fails to play is not the job's failure: the next one plays.
    static_cast<void>(player.Play(r));
  }
  player.End();
  reader.Release();
  return 1;
}

pp::Status DirectPlayer::Play(const RecordView& r) {
  switch (r.type()) {
    case rec::StartDevice:
      return StartDevice(r);
    case rec::StartPage:
      return StartPage();
    default:
      break;
  }
  if (!started_) return Skipped();
  switch (r.type()) {
    case rec::Escape:
      return Escape(r);
    case rec::SelectObject:
      return Select(r);
    case rec::CreatePen:
      return CreatePen(r);
    case rec::CreateBrush:
      return CreateBrush(r);
    case rec::DeleteObject:
      return Delete(r);
    case rec::FontIndirect:
      return MakeFont(r);
    case rec::CreateDibPatternBrush:
      return CreateDibPatternBrush(r);
    case rec::ExtCreatePen:
      return ExtCreatePen(r);
    case rec::ExtSelectClipRgn:
      return ClipRegion(r);
    case rec::BitBlt:
      return BitBlt(r);
    case rec::StretchDiBits:
      return StretchDiBits(r);
    case rec::ExtTextOutAnsi:
      return PlayText(r);
    default:
      return PlayDrawing(r);
  }
}

pp::Status DirectPlayer::StartDevice(const RecordView& r) {
  const auto tail = r.From(8);
  const auto devMode = tail ? CheckDevMode(*tail) : std::nullopt;
  if (!devMode) return Skipped();

  if (started_) {
    if (pageOpen_) FinishPage();
    auto reset = gdi_.ResetDc(dc_, *devMode);
    if (!reset.ok()) return StatusOf(reset);
    if (*reset != dc_) {
      static_cast<void>(gdi_.DeleteDc(dc_));  // replaced; nothing is left to draw on it
      dc_ = *reset;
    }
    return pp::Ok();
  }

  // Not started yet, or an earlier try failed: begin afresh.
  if (dc_) {
    static_cast<void>(gdi_.DeleteDc(dc_));  // its document never started
    dc_ = 0;
    pageOpen_ = false;
  }
  auto dc = gdi_.CreateDc(std::string_view(), job_.device, std::string_view(), *devMode);
  if (!dc.ok()) return StatusOf(dc);
  dc_ = *dc;
  pp::DocInfo doc;
  doc.document = std::string(job_.document);
  doc.output = std::string(job_.destination);
  doc.typeFlags = kDocTypeFlags;
  auto job = gdi_.StartDocument(dc_, doc);
  if (!job.ok()) return StatusOf(job);
  stockPen_ = gdi_.GetCurrentObject(dc_, pp::ObjectKind::Pen).value_or(0);
  stockFont_ = gdi_.GetCurrentObject(dc_, pp::ObjectKind::Font).value_or(0);
  stockBrush_ = gdi_.GetCurrentObject(dc_, pp::ObjectKind::Brush).value_or(0);
  started_ = true;
  return pp::Ok();
}

pp::Status DirectPlayer::StartPage() {
  // Before any device-mode record there is nothing to start a page on.
  if (!dc_) return Skipped();
  if (pageOpen_) FinishPage();
  pageOpen_ = true;
  // The page's objects and clipping are undone by the restore at its end.
  static_cast<void>(gdi_.SaveDC(dc_));
  return gdi_.StartPage(dc_);
}

pp::Status DirectPlayer::Escape(const RecordView& r) {
  if (!r.Has(8, 12)) return Skipped();
  const std::int32_t code = r.I32(8);
  const std::uint32_t inputSize = r.U32(12), outputSize = r.U32(16);
  const auto input = r.Slice(20, inputSize);
  if (!input || outputSize > kMaxRecordSize) return Skipped();
  return StatusOf(gdi_.Escape(dc_, code, *input, outputSize));
}

void DirectPlayer::FinishPage() {
  // Failures here change nothing: the page ends either way and the next
  // page starts from a clean state.
  static_cast<void>(gdi_.ExtSelectClipRgn(dc_, std::nullopt, kRgnCopy));
  static_cast<void>(gdi_.EndPage(dc_));
  static_cast<void>(gdi_.RestoreDC(dc_, -1));
  for (const Handle h : objects_.TakeAll()) DeleteSafely(h);
  if (extPen_) {
    DeleteSafely(extPen_);
    extPen_ = 0;
  }
  pageOpen_ = false;
}

void DirectPlayer::DeleteSafely(Handle object) {
  // An object still selected into the device context cannot be deleted:
  // put the stock objects in, delete, and give back what was there before.
  const Handle stock[] = {stockPen_, stockBrush_, stockFont_};
  Handle previous[3] = {0, 0, 0};
  for (int i = 0; i < 3; ++i)
    if (stock[i]) previous[i] = gdi_.SelectObject(dc_, stock[i]).value_or(0);
  static_cast<void>(gdi_.DeleteObject(object));  // a failed delete leaves nothing to undo
  for (int i = 0; i < 3; ++i)
    if (previous[i] && previous[i] != object && previous[i] != stock[i])
      static_cast<void>(gdi_.SelectObject(dc_, previous[i]));  // the old selection, or the stock one stays
}

void DirectPlayer::End() {
  if (!dc_) return;
  if (pageOpen_) FinishPage();
  if (started_) static_cast<void>(gdi_.EndDoc(dc_));  // nothing more can be done for a failed end
  static_cast<void>(gdi_.DeleteDc(dc_));
  dc_ = 0;
  started_ = false;
  pageOpen_ = false;
  // What is left was made outside a page; it goes with the device context.
  for (const Handle h : objects_.TakeAll()) static_cast<void>(gdi_.DeleteObject(h));
  if (extPen_) static_cast<void>(gdi_.DeleteObject(std::exchange(extPen_, 0)));
}

}  // namespace vemf
