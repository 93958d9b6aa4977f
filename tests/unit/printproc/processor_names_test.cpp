// The names the spooler hands the processor: datatypes and their listing,
// destinations, separator-file names.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/win_errors.h"
#include "processor/datatypes.h"
#include "processor/destination.h"

namespace {

using namespace emfplay;

std::uint32_t PointerAt(const std::vector<std::uint8_t>& b, std::size_t at) {
  std::uint32_t v;
  std::memcpy(&v, b.data() + at, 4);
  return v;
}

TEST(Datatypes, ListsTheThreeNamesWithPointersFirstAndNamesBackwardsFromTheEnd) {
  std::vector<std::uint8_t> buffer(25, 0xEE);
  DatatypeListing listing;
  ASSERT_TRUE(EnumerateDatatypes(buffer, 0x10000, &listing).ok());
  EXPECT_EQ(listing.needed, 25u);
  EXPECT_EQ(listing.returned, 3u);
  EXPECT_EQ(PointerAt(buffer, 0), 0x10000u + 21) << "RAW ends at the last byte";
  EXPECT_EQ(PointerAt(buffer, 4), 0x10000u + 17);
  EXPECT_EQ(PointerAt(buffer, 8), 0x10000u + 12);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(buffer.data() + 12), 13),
            std::string("VEMF\0EMF\0RAW\0", 13));
}

TEST(Datatypes, AnswersTheNeededSizeWhenTheBufferIsOneByteShort) {
  std::vector<std::uint8_t> buffer(24, 0xEE);
  DatatypeListing listing{0, 99};
  const auto status = EnumerateDatatypes(buffer, 0x10000, &listing);
  ASSERT_FALSE(status.ok());
  EXPECT_EQ(status.error(), winerr::InsufficientBuffer);
  EXPECT_EQ(listing.needed, 25u);
  EXPECT_EQ(listing.returned, 0u);
  EXPECT_EQ(buffer, std::vector<std::uint8_t>(24, 0xEE)) << "nothing is written";
}

TEST(Datatypes, PutsTheNamesAtTheEndOfALargerBuffer) {
  std::vector<std::uint8_t> buffer(40, 0);
  DatatypeListing listing;
  ASSERT_TRUE(EnumerateDatatypes(buffer, 0x2000, &listing).ok());
  EXPECT_EQ(PointerAt(buffer, 0), 0x2000u + 36);
  EXPECT_STREQ(reinterpret_cast<const char*>(buffer.data() + 36), "RAW");
}

TEST(Datatypes, KnowsTheirNamesWithoutCase) {
  EXPECT_EQ(DatatypeOf("RAW"), Datatype::Raw);
  EXPECT_EQ(DatatypeOf("emf"), Datatype::Emf);
  EXPECT_EQ(DatatypeOf("Vemf"), Datatype::Vemf);
  EXPECT_EQ(DatatypeOf("TEXT"), Datatype::Other);
  EXPECT_EQ(DatatypeOf(""), Datatype::Other);
}

TEST(Destination, IsAFileForTheFilePortsAndForFullPathsOnADrive) {
  const std::pair<const char*, bool> cases[] = {
      {"FILE:", true},  {"file:", true},   {"FILE", true},   {"C:\\out.prn", true}, {"d:\\x", true},
      {"LPT1:", false}, {"C:\\", false},   {"C:out", false}, {"\\\\srv\\q", false}, {"", false},
      {"FILE:X", false},
  };
  for (const auto& [name, file] : cases) EXPECT_EQ(IsFileDestination(name), file) << name;
}

TEST(SeparatorKind, ComesFromTheSeparatorFileNameComparedWithCase) {
  const SeparatorNames names{"Simple", "Full"};
  const std::pair<std::optional<std::string>, SeparatorKind> cases[] = {
      {std::nullopt, SeparatorKind::None}, {"", SeparatorKind::None},         {"Simple", SeparatorKind::Simple},
      {"Full", SeparatorKind::Full},       {"simple", SeparatorKind::File},   {"FULL", SeparatorKind::File},
      {"C:\\sep.wmf", SeparatorKind::File},
  };
  for (const auto& [name, kind] : cases) EXPECT_EQ(SeparatorKindOf(name, names), kind) << name.value_or("(none)");
}

}  // namespace
