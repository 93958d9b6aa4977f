// Where the record reader takes its bytes from: a spooler read channel
// (ReadPrinter) or an open file (ReadFile).
#pragma once
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "platform/print/byte_files.h"
#include "platform/print/job_channel.h"

namespace vemf {

class ByteSource {
 public:
  virtual ~ByteSource() = default;
  // Bytes placed at the start of `into`; 0 when the source has no more.
  [[nodiscard]] virtual plat::print::Result<std::size_t> Read(std::span<std::uint8_t> into) = 0;
};

class ChannelSource final : public ByteSource {
 public:
  ChannelSource(plat::print::JobChannel& jobs, plat::Handle channel) : jobs_(jobs), channel_(channel) {}
  plat::print::Result<std::size_t> Read(std::span<std::uint8_t> into) override { return jobs_.Read(channel_, into); }

 private:
  plat::print::JobChannel& jobs_;
  plat::Handle channel_;
};

class FileSource final : public ByteSource {
 public:
  FileSource(plat::print::ByteFiles& files, plat::Handle file) : files_(files), file_(file) {}
  plat::print::Result<std::size_t> Read(std::span<std::uint8_t> into) override { return files_.Read(file_, into); }

 private:
  plat::print::ByteFiles& files_;
  plat::Handle file_;
};

// Reads from another source and keeps a copy of everything it handed out, so
// that bytes read ahead while deciding what a job is are not lost.
class KeepingSource final : public ByteSource {
 public:
  explicit KeepingSource(ByteSource& inner) : inner_(inner) {}
  plat::print::Result<std::size_t> Read(std::span<std::uint8_t> into) override;
  std::span<const std::uint8_t> kept() const;

 private:
  ByteSource& inner_;
  std::vector<std::uint8_t> kept_;
};

}  // namespace vemf
