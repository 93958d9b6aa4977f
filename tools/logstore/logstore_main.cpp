// logstore IMAGE.json STORE: writes the image's install log as the store file
// that the install-log server reads.
#include <cstdio>
#include <fstream>

#include "image_import.h"
#include "store_file.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: logstore IMAGE.json STORE\n");
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "logstore: cannot open %s\n", argv[1]);
    return 1;
  }
  const nlohmann::json image = nlohmann::json::parse(in, nullptr, false);
  if (image.is_discarded()) {
    std::fprintf(stderr, "logstore: %s is not JSON\n", argv[1]);
    return 1;
  }
  const logimport::ImportResult imported = logimport::ImportInstallLog(image);
  if (const auto* error = std::get_if<logimport::ImportError>(&imported)) {
    std::fprintf(stderr, "logstore: %s: %s: %s\n", argv[1], error->where.c_str(), error->what.c_str());
    return 1;
  }
  if (auto failure = logstore::SaveStore(argv[2], std::get<logstore::LogStore>(imported))) {
    std::fprintf(stderr, "logstore: %s\n", failure->reason.c_str());
    return 1;
  }
  return 0;
}
