// separator-art OUTDIR: writes the separator page's built-in pictures,
// separator600.wmf and separator601.wmf, which emfplay.dll carries as
// resources. Run it after changing the drawing and commit what it writes.
#include <fstream>
#include <iostream>
#include <string>

#include "separator_art.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: separator-art OUTDIR\n";
    return 2;
  }
  for (const std::uint32_t number : {600u, 601u}) {
    const auto bytes = wmf::SeparatorPicture(number);
    const std::string path = std::string(argv[1]) + "/separator" + std::to_string(number) + ".wmf";
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
      std::cerr << "separator-art: cannot write " << path << "\n";
      return 1;
    }
  }
  return 0;
}
