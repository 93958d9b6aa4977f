// Feeds arbitrary bytes to the separator page as the metafile file a
// printer names: the three file formats are told apart, checked and played
// onto the recording device context with the job's details put in for the
// placeholders. Besides not crashing or reading outside the file, a picture
// the checks pass must be a consistent metafile, no record may reach GDI
// naming an object slot the metafile does not have, and the page must leave
// no metafile or device context behind.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "separator/metafile_format.h"
#include "separator/separator_page.h"
#include "simprint/print_world.h"

namespace {

std::uint32_t U32(const std::vector<std::uint8_t>& b, std::size_t at) {
  return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<std::uint32_t>(b[at + 3]) << 24);
}

// A picture the checks let through: its header's size is its size, and its
// records tile it up to an end record.
void CheckConsistent(const emfplay::separator::Picture& p) {
  const auto& m = p.metafile;
  if (m.size() < 24 || m.size() % 2 != 0 || std::uint64_t{U32(m, 6)} * 2 != m.size()) std::abort();
  std::size_t at = 18;
  while (at < m.size()) {
    const std::uint64_t size = std::uint64_t{U32(m, at)} * 2;
    if (size < 6 || size > m.size() - at) std::abort();
    if (m[at + 4] == 0 && m[at + 5] == 0 && at + size != m.size()) std::abort();
    at += static_cast<std::size_t>(size);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> bytes(data, size);
  if (const auto picture = emfplay::separator::ReadSeparatorFile(bytes)) CheckConsistent(*picture);
  if (const auto picture = emfplay::separator::CheckMetafile(bytes)) CheckConsistent(*picture);

  sim::print::PrintWorld world;
  world.files.Put("C:\\SEP\\page.wmf", {bytes.begin(), bytes.end()});
  const emfplay::separator::SeparatorAssets assets{{{4, "Document: %s"}}, bytes, bytes};
  emfplay::separator::SeparatorPage page(world.platform(), assets);
  plat::print::JobRecord2 job;
  job.document = "Doc";
  job.userName = "user";
  job.submitted = {2026, 1, 4, 1, 12, 0, 0, 0};
  auto dc = world.gdi.CreateDc(std::nullopt, "P", std::nullopt, {});
  if (!dc.ok()) std::abort();
  static_cast<void>(page.Draw(*dc, job, emfplay::SeparatorKind::File, "C:\\SEP\\page.wmf"));  // either is fine
  static_cast<void>(page.Draw(*dc, job, emfplay::SeparatorKind::Full, ""));
  if (!world.gdi.DeleteDc(*dc).ok()) std::abort();
  if (!world.gdi.Problems().empty() || world.gdi.LiveObjects() != 0 || world.files.OpenFiles() != 0) std::abort();
  return 0;
}
