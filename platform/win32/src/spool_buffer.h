// The spooler's size-query protocol, in one place: ask with no buffer, then
// with the size the spooler named, again while it keeps asking for more
// (printers and jobs may be added between the two calls).
#pragma once
#include <windows.h>

#include <cstdint>
#include <vector>

namespace win32 {

// `call(buffer, size, &needed, &returned)` is one spooler call. A spooler
// that fails without an error (the 9x family on an empty list) has returned
// nothing.
template <typename Call>
std::uint32_t CallWithBuffer(Call call, std::vector<std::uint64_t>* storage, DWORD* returned) {
  // 64-bit cells keep the records' FILETIME and DWORDLONG fields aligned.
  storage->clear();
  DWORD size = 0;
  for (int attempt = 0; attempt < 8; ++attempt) {
    DWORD needed = 0;
    *returned = 0;
    SetLastError(ERROR_SUCCESS);
    LPBYTE buffer = storage->empty() ? nullptr : reinterpret_cast<LPBYTE>(storage->data());
    if (call(buffer, size, &needed, returned)) return ERROR_SUCCESS;
    const DWORD error = GetLastError();
    if (error == ERROR_SUCCESS) {
      *returned = 0;
      return ERROR_SUCCESS;
    }
    if (error != ERROR_INSUFFICIENT_BUFFER && error != ERROR_MORE_DATA) return error;
    // A spooler that asks for no more than it was given would loop forever.
    if (needed <= size) needed = size * 2 + 512;
    storage->assign((needed + sizeof(std::uint64_t) - 1) / sizeof(std::uint64_t), 0);
    size = static_cast<DWORD>(storage->size() * sizeof(std::uint64_t));
  }
  return ERROR_INSUFFICIENT_BUFFER;
}

inline LPBYTE Bytes(std::vector<std::uint64_t>& storage) { return reinterpret_cast<LPBYTE>(storage.data()); }

}  // namespace win32
