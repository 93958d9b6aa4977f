// The record reader cuts a stream into whole records whatever the sizes of
// the reads that bring it, and ends the stream on data it cannot trust.
#include <gtest/gtest.h>

#include "memory_source.h"
#include "playback/record_reader.h"
#include "vemf_writer.h"

namespace {

using vemf::RecordReader;
using vemf::VemfWriter;

struct Seen {
  std::uint32_t type;
  std::uint32_t size;
  std::vector<std::uint8_t> bytes;
  friend bool operator==(const Seen&, const Seen&) = default;
};

std::vector<Seen> ReadAll(MemorySource& source, RecordReader& reader) {
  std::vector<Seen> out;
  while (reader.Next(source)) {
    const auto r = reader.record();
    out.push_back({r.type(), r.size(), {r.bytes().begin(), r.bytes().end()}});
  }
  return out;
}

// A stream (without signature) of records of awkward sizes: some end exactly
// on a 4096-byte boundary, one is larger than a block, one larger than two.
std::vector<std::uint8_t> AwkwardStream() {
  VemfWriter w(false);
  w.Header(1);
  std::vector<std::uint8_t> payload;
  for (std::size_t size : {4096 - 76 - 8, 1, 4096 + 13, 3, 9000, 0, 4088}) {
    payload.resize(size);
    for (std::size_t i = 0; i < size; ++i) payload[i] = static_cast<std::uint8_t>(i * 31 + size);
    w.Raw(200, payload);
  }
  w.EndOfDocument();
  return w.bytes();
}

TEST(RecordReader, ReadsTheSameRecordsWhateverTheBlockBoundariesOfTheSource) {
  MemorySource whole(AwkwardStream());
  RecordReader reference;
  const std::vector<Seen> expected = ReadAll(whole, reference);
  ASSERT_EQ(expected.size(), 9u);

  const std::vector<std::vector<std::size_t>> patterns = {{1}, {3}, {7, 4096}, {4095}, {4097}, {8, 1, 4000}, {5000}};
  for (const auto& pattern : patterns) {
    MemorySource source(AwkwardStream(), pattern);
    RecordReader reader;
    EXPECT_EQ(ReadAll(source, reader), expected) << "read pattern starting " << pattern[0];
  }
}

TEST(RecordReader, NeverAsksTheSourceForMoreThanOneBlockAtATime) {
  MemorySource source(AwkwardStream());
  RecordReader reader;
  ReadAll(source, reader);
  ASSERT_FALSE(source.asked.empty());
  for (std::size_t n : source.asked) EXPECT_LE(n, 4096u);
}

TEST(RecordReader, AsksForWholeBlocksSoThatRecordsAcrossABlockEndCostNoExtraRead) {
  // Small records, many across a block's end; and pages of small records
  // with a picture larger than two blocks on each, as a printed page is.
  VemfWriter small(false), pictures(false);
  for (int i = 0; i < 200; ++i) small.Raw(200, std::vector<std::uint8_t>(292, static_cast<std::uint8_t>(i)));
  for (int page = 0; page < 20; ++page) {
    for (int i = 0; i < 30; ++i) pictures.Raw(201, std::vector<std::uint8_t>(92 + 4 * page, 1));
    pictures.Raw(202, std::vector<std::uint8_t>(9000 + 4 * page, 2));
  }
  for (const auto* w : {&small, &pictures}) {
    const std::size_t blocks = (w->bytes().size() + 4095) / 4096;
    MemorySource source(w->bytes());
    RecordReader reader;
    std::size_t records = 0, bytes = 0;
    while (reader.Next(source)) {
      ++records;
      bytes += reader.record().size();
    }
    EXPECT_EQ(bytes, w->bytes().size()) << records << " records";
    // About one read a block (each fills the block behind what is left of
    // the last), and the one that finds the end; not one more for every
    // record that lies across a block's end, nor for the end of a picture.
    EXPECT_LE(source.asked.size(), blocks + 2) << records << " records";
  }
}

TEST(RecordReader, ALargeRecordAlreadyReadAheadLeavesTheRecordsBehindItInPlace) {
  // The first record leaves 6 bytes of the first block, too few for a record
  // header, so the next block is read behind them; the second record, a little
  // larger than a block, then lies whole in what was read ahead, with the start
  // of the third after it.
  VemfWriter w(false);
  w.Raw(201, std::vector<std::uint8_t>(4090 - 8, 1))
      .Raw(202, std::vector<std::uint8_t>(4100 - 8, 2))
      .Raw(203, std::vector<std::uint8_t>(2000, 3))
      .EndOfDocument();
  MemorySource source(w.bytes());
  RecordReader reader;
  const std::vector<Seen> seen = ReadAll(source, reader);
  ASSERT_EQ(seen.size(), 4u);
  for (std::uint32_t i = 0; i < 3; ++i) {
    EXPECT_EQ(seen[i].type, 201 + i);
    const std::size_t payload = seen[i].bytes.size() - 8;
    EXPECT_EQ(std::vector<std::uint8_t>(seen[i].bytes.begin() + 8, seen[i].bytes.end()),
              std::vector<std::uint8_t>(payload, static_cast<std::uint8_t>(i + 1)));
  }
  EXPECT_EQ(seen[3].type, 14u);
}

TEST(RecordReader, KeepsOneRecordBufferThatGrowsOnlyForALargerRecord) {
  VemfWriter w(false);
  w.Raw(200, std::vector<std::uint8_t>(100)).Raw(200, std::vector<std::uint8_t>(5000)).Raw(200, std::vector<std::uint8_t>(10));
  MemorySource source(w.bytes());
  RecordReader reader;
  std::vector<std::uint32_t> capacities;
  while (reader.Next(source)) capacities.push_back(reader.capacity());
  EXPECT_EQ(capacities, (std::vector<std::uint32_t>{108, 5008, 5008}));
  EXPECT_EQ(reader.capacity(), 0u) << "the end of the source frees the buffer";
}

struct DamagedCase {
  const char* name;
  std::uint32_t sizeField;
  std::size_t payload;
};

TEST(RecordReader, EndsTheStreamAtARecordWhoseSizeCannotBeTrusted) {
  const DamagedCase cases[] = {
      {"size 0", 0, 0},
      {"size 4, below the record header", 4, 0},
      {"size 7", 7, 0},
      {"beyond the 64 MiB cap", (64u << 20) + 1, 16},
      {"beyond what remains", 5000, 100},
  };
  for (const auto& c : cases) {
    VemfWriter w(false);
    w.Fields(43, {1, 2, 3, 4}).Sized(200, c.sizeField, std::vector<std::uint8_t>(c.payload, 0xAB)).Fields(43, {5});
    MemorySource source(w.bytes());
    RecordReader reader;
    ASSERT_TRUE(reader.Next(source)) << c.name;
    EXPECT_FALSE(reader.Next(source)) << c.name;
    EXPECT_EQ(reader.capacity(), 0u) << c.name;
    EXPECT_FALSE(reader.Next(source)) << c.name << ": the stream stays ended";
  }
}

TEST(RecordReader, EndsTheStreamWhenTheSourceFailsInsideARecord) {
  VemfWriter w(false);
  w.Raw(200, std::vector<std::uint8_t>(6000));
  MemorySource source(w.bytes());
  source.FailFrom(5000);
  RecordReader reader;
  EXPECT_FALSE(reader.Next(source));
  EXPECT_EQ(reader.capacity(), 0u);
}

}  // namespace
