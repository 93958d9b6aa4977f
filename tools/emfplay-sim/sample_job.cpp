#include "sample_job.h"

#include "vemf_writer.h"

std::vector<std::uint8_t> SampleJob(std::string_view device, std::uint32_t mode) {
  using vemf::VemfWriter;
  VemfWriter w;
  w.Header(mode).StartDevice(device);

  w.StartPage();
  w.CreatePen(1, 0, 10, 0x000000).Select(1);
  w.CreateBrush(2, 0, 0xE0E0E0).Select(2);
  w.Rectangle({300, 300, 4500, 900});
  w.CreateFont(3, "Arial", -120, 700).Select(3);
  w.Fields(18, {1});  // transparent background
  w.TextOut({400, 420}, "Quarterly report");
  w.MoveTo({300, 1100}).LineTo({4500, 1100});
  w.PolyPolyline({{{300, 1300}, {1300, 1800}, {2300, 1400}}, {{300, 2000}, {4500, 2000}}});
  w.Ellipse({3000, 2300, 4200, 3500});
  w.StretchDiBits({300, 2300, 1200, 1200}, {0, 0, 16, 16}, 0xCC, vemf::MakeDib(16, 16, 24));
  w.Delete(2);

  w.StartPage();
  w.CreatePen(1, 0, 5, 0x0000FF).Select(1);
  w.Fields(59, {});
  w.Poly(3, {{600, 600}, {2400, 600}, {1500, 2100}});
  w.Fields(60, {}).Fields(64, {});
  w.ExtCreatePen(9, 0x00010000, 20, 0, 0x00FF00, 0, {}).Select(9);
  w.Poly(4, {{600, 2400}, {2400, 2400}, {2400, 3000}});
  w.EndOfDocument();
  return w.bytes();
}
