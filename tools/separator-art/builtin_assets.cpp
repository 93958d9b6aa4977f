#include "builtin_assets.h"

#include "processor/string_table.h"
#include "separator_art.h"

namespace wmf {

BuiltInAssets::BuiltInAssets()
    : windows95_(SeparatorPicture(emfplay::separator::kPictureWindows95)),
      windows98_(SeparatorPicture(emfplay::separator::kPictureWindows98)) {
  for (std::uint32_t id = 1; id <= 6; ++id)
    if (const auto text = emfplay::BuiltInString(id)) assets_.strings[id] = std::string(*text);
  assets_.pictureWindows95 = windows95_;
  assets_.pictureWindows98 = windows98_;
}

}  // namespace wmf
