#include "comparison_picture.h"

#include "vemf_writer.h"

namespace vemf {

std::vector<std::uint8_t> ComparisonPicture() {
  VemfWriter w(false);
  w.StartDevice("Printer").StartPage();
  w.CreatePen(1, 0, 1, 0x000000).Select(1);
  w.CreateBrush(2, 0, 0xF0C080).Select(2);  // COLORREF: a light blue
  w.Rectangle({20, 20, 180, 120});
  w.CreatePen(3, 0, 3, 0x800000).Select(3);
  w.CreateBrush(4, 0, 0x2020E0).Select(4);
  w.Ellipse({200, 20, 380, 140});
  w.CreateBrush(5, 0, 0x40B040).Select(5);
  w.Select(1);
  w.Poly(3, {{30, 280}, {110, 160}, {190, 280}});
  w.CreatePen(6, 0, 5, 0x303030).Select(6);
  w.Poly(4, {{210, 170}, {250, 250}, {290, 180}, {330, 260}});
  w.Select(1);
  w.MoveTo({20, 140}).LineTo({180, 140});
  w.Select(2);
  w.PatBlt(340, 170, 40, 40, 0xF0);
  w.StretchDiBits({340, 220, 48, 48}, {0, 0, 16, 16}, 0xCC, MakeDib(16, 16, 24));
  w.CreateFont(7, "Arial", -18, 700).Select(7);
  w.Fields(18, {1});  // a transparent background behind the text
  w.TextOut({30, 60}, "Page");
  w.Delete(2).Delete(4).Delete(5).Delete(7);
  w.EndOfDocument();
  return w.bytes();
}

}  // namespace vemf
