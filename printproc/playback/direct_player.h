// Plays "VEMF" records straight onto a printer device context that it makes
// itself from the stream's own device-mode record (105), page by page (106),
// until the end record (14) or the end of the data. The loop around it,
// PlayDirect, reads the records and honours pause and cancel.
//
// Records are data from any program that prints: every field the player
// reads is checked against the record first, and a record whose offsets or
// counts point outside it is skipped whole. A GDI call that fails is not
// reported; the next record plays.
#pragma once
#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/print/gdi.h"
#include "playback/byte_source.h"
#include "playback/job_control.h"
#include "playback/object_table.h"
#include "playback/record_reader.h"
#include "playback/record_view.h"

namespace vemf {

struct DirectJob {
  std::string_view document;     // the name StartDoc gives the job
  std::string_view destination;  // StartDoc's output: a port or a file
  std::string_view device;       // the printer the device context is made for
};

class DirectPlayer {
 public:
  DirectPlayer(plat::print::Gdi& gdi, DirectJob job) : gdi_(gdi), job_(job) {}
  DirectPlayer(const DirectPlayer&) = delete;
  DirectPlayer& operator=(const DirectPlayer&) = delete;
  ~DirectPlayer() { End(); }

  // One record other than the end record. Fails, without touching GDI, for a
  // record that is damaged or comes before the document is started.
  [[nodiscard]] plat::print::Status Play(const RecordView& r);
  // The end record, the end of the data or a cancel: finishes an open page,
  // ends a started document and deletes the device context.
  void End();

  bool documentStarted() const { return started_; }
  bool pageOpen() const { return pageOpen_; }

 private:
  using Status = plat::print::Status;
  using Handle = plat::Handle;

  // Document and pages.
  Status StartDevice(const RecordView& r);
  Status StartPage();
  Status Escape(const RecordView& r);
  void FinishPage();
  void DeleteSafely(Handle object);

  // Drawing and state (direct_player_drawing.cpp).
  Status PlayDrawing(const RecordView& r);
  Status Poly(const RecordView& r);
  Status PolyPolyline(const RecordView& r);
  Status SetColorAdjustment(const RecordView& r);

  // Objects, bitmaps, regions and text (direct_player_objects.cpp).
  Status Select(const RecordView& r);
  Status CreatePen(const RecordView& r);
  Status CreateBrush(const RecordView& r);
  Status MakeFont(const RecordView& r);
  Status CreateDibPatternBrush(const RecordView& r);
  Status ExtCreatePen(const RecordView& r);
  Status Delete(const RecordView& r);
  Status ClipRegion(const RecordView& r);
  Status BitBlt(const RecordView& r);
  Status StretchDiBits(const RecordView& r);
  Status PlayText(const RecordView& r);

  plat::print::Gdi& gdi_;
  DirectJob job_;
  Handle dc_ = 0;
  bool started_ = false;
  bool pageOpen_ = false;
  Handle stockPen_ = 0, stockFont_ = 0, stockBrush_ = 0;
  ObjectTable objects_;
  Handle extPen_ = 0;
  std::uint32_t extPenNumber_ = 0;
  plat::print::ColorAdjustment savedAdjustment_;
  bool adjustmentSaved_ = false;
  std::vector<plat::print::Point> points_;  // reused from record to record
  std::vector<std::int32_t> spacing_;       // likewise
};

// Reads records from `source` and plays them until the end record, the end
// of the data, or a cancel. Before each record it waits while the job is
// paused. Always 1 once started: a job whose data breaks off mid-way has
// printed what it held.
int PlayDirect(JobControl& control, plat::print::Gdi& gdi, const DirectJob& job, ByteSource& source,
               RecordReader& reader);

}  // namespace vemf
