#include "processor/datatypes.h"

#include <cstring>

#include "platform/text.h"
#include "platform/win_errors.h"

namespace emfplay {

Datatype DatatypeOf(std::string_view name) {
  for (std::size_t i = 0; i < kDatatypeNames.size(); ++i)
    if (text::IEquals(name, kDatatypeNames[i])) return static_cast<Datatype>(i);
  return Datatype::Other;
}

plat::print::Status EnumerateDatatypes(std::span<std::uint8_t> buffer, std::uint32_t bufferAddress,
                                       DatatypeListing* listing) {
  listing->returned = 0;
  std::uint32_t needed = 0;
  for (std::string_view name : kDatatypeNames) needed += static_cast<std::uint32_t>(name.size() + 1 + 4);
  listing->needed = needed;
  if (buffer.size() < needed) return plat::print::Error(winerr::InsufficientBuffer);

  std::size_t end = buffer.size();
  for (std::size_t i = 0; i < kDatatypeNames.size(); ++i) {
    const std::string_view name = kDatatypeNames[i];
    end -= name.size() + 1;
    std::memcpy(buffer.data() + end, name.data(), name.size());
    buffer[end + name.size()] = 0;
    const std::uint32_t pointer = bufferAddress + static_cast<std::uint32_t>(end);
    std::memcpy(buffer.data() + i * 4, &pointer, 4);
    ++listing->returned;
  }
  return plat::print::Ok();
}

}  // namespace emfplay
