// The separator page's strings and pictures as emfplay.dll carries them, for
// the simulated machine: the string table from printproc/strings.json and the
// pictures as separator-art draws them.
#pragma once
#include <cstdint>
#include <vector>

#include "separator/separator_page.h"

namespace wmf {

class BuiltInAssets {
 public:
  BuiltInAssets();
  BuiltInAssets(const BuiltInAssets&) = delete;
  BuiltInAssets& operator=(const BuiltInAssets&) = delete;

  const emfplay::separator::SeparatorAssets& assets() const { return assets_; }

 private:
  std::vector<std::uint8_t> windows95_, windows98_;
  emfplay::separator::SeparatorAssets assets_;
};

}  // namespace wmf
