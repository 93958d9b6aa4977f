// Files as byte streams, for the print processor's output files and the
// files it plays records from. Paths are the system's ANSI bytes.
#pragma once
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "platform/handle.h"
#include "platform/print/print_result.h"

namespace plat::print {

class ByteFiles {
 public:
  virtual ~ByteFiles() = default;

  // CreateFile for writing, always made anew, others may read it meanwhile.
  [[nodiscard]] virtual Result<Handle> CreateForWriting(std::string_view path) = 0;
  [[nodiscard]] virtual Result<Handle> OpenForReading(std::string_view path) = 0;
  // ReadFile: bytes placed at the start of `into`; 0 at the end of the file.
  [[nodiscard]] virtual Result<std::size_t> Read(Handle file, std::span<std::uint8_t> into) = 0;
  [[nodiscard]] virtual Result<std::size_t> Write(Handle file, std::span<const std::uint8_t> data) = 0;
  // Moves the file pointer to a byte offset from the start.
  [[nodiscard]] virtual Status Seek(Handle file, std::uint32_t offset) = 0;
  virtual void Close(Handle file) = 0;
  // GetTempPathA and GetTempFileNameA with `prefix`: the path of a new empty
  // file in the temporary directory.
  [[nodiscard]] virtual Result<std::string> MakeTempFile(std::string_view prefix) = 0;
  // DeleteFileA.
  [[nodiscard]] virtual Status Delete(std::string_view path) = 0;
};

using UniqueByteFile = UniqueHandle<ByteFiles>;

}  // namespace plat::print
