// SIDs and access lists between their portable form and the packed records.
#include <gtest/gtest.h>

#include "platform/win_errors.h"
#include "security_descriptor.h"
#include "sid_convert.h"

namespace {

TEST(SidConvert, WellKnownSidsRoundTrip) {
  for (const plat::Sid& sid : {plat::wellknown::Administrators, plat::wellknown::Everyone,
                               plat::wellknown::LocalSystem, plat::Sid("S-1-5-21-1004336348-1177238915-682003330-512")}) {
    auto binary = win32::SidFromText(sid);
    ASSERT_TRUE(binary) << sid;
    EXPECT_TRUE(IsValidSid(binary->data()));
    EXPECT_EQ(win32::SidToText(binary->data()), sid);
  }
}

TEST(SidConvert, BinaryLayoutMatchesWindows) {
  // S-1-5-32-544: revision 1, two sub-authorities, NT authority 5, 32, 544.
  const auto binary = win32::SidFromText("S-1-5-32-544");
  ASSERT_TRUE(binary);
  const std::vector<std::uint8_t> expected{1, 2, 0, 0, 0, 0, 0, 5, 32, 0, 0, 0, 0x20, 0x02, 0, 0};
  EXPECT_EQ(*binary, expected);
}

TEST(SidConvert, LargeAuthorityUsesHex) {
  auto binary = win32::SidFromText("S-1-0x123456789ABC-7");
  ASSERT_TRUE(binary);
  EXPECT_EQ(win32::SidToText(binary->data()), "S-1-0x123456789ABC-7");
}

TEST(SidConvert, MalformedTextIsRefused) {
  for (const char* bad : {"", "S-1-5", "X-1-5-32", "S-2-5-32", "S-1-5-abc", "S-1-5-32-", "S-1-5-4294967296",
                          "S-1-5-1-2-3-4-5-6-7-8-9-10-11-12-13-14-15-16"})
    EXPECT_FALSE(win32::SidFromText(bad)) << bad;
}

TEST(DaclDescriptor, EntriesReadBackAsWritten) {
  plat::Acl acl;
  acl.aces = {{plat::kAceAccessDenied, 0, 0x00010000, plat::wellknown::Administrators},
              {plat::kAceAccessAllowed, plat::kAceContainerInherit, 0xF003F, plat::wellknown::Users},
              {plat::kAceAccessAllowed, plat::kAceContainerInherit | plat::kAceObjectInherit, 0x20019,
               plat::wellknown::Everyone}};
  win32::DaclDescriptor descriptor(acl);
  ASSERT_EQ(descriptor.error(), winerr::Success);
  EXPECT_TRUE(IsValidSecurityDescriptor(descriptor.get()));
  EXPECT_EQ(win32::AclFromDescriptor(descriptor.get()), acl);
}

TEST(DaclDescriptor, EmptyAndNullListsDiffer) {
  plat::Acl empty;  // present, no entries: nobody gets in
  win32::DaclDescriptor denyAll(empty);
  ASSERT_EQ(denyAll.error(), winerr::Success);
  EXPECT_EQ(win32::AclFromDescriptor(denyAll.get()), empty);

  plat::Acl null;
  null.present = false;  // no list at all: everybody gets in
  win32::DaclDescriptor allowAll(null);
  ASSERT_EQ(allowAll.error(), winerr::Success);
  EXPECT_FALSE(win32::AclFromDescriptor(allowAll.get()).present);
}

TEST(DaclDescriptor, BadEntriesAreReported) {
  plat::Acl badSid;
  badSid.aces = {{plat::kAceAccessAllowed, 0, 1, "S-1-nonsense"}};
  EXPECT_EQ(win32::DaclDescriptor(badSid).error(), winerr::InvalidSid);
  plat::Acl badType;
  badType.aces = {{7, 0, 1, plat::wellknown::Users}};
  EXPECT_EQ(win32::DaclDescriptor(badType).error(), winerr::InvalidAcl);
}

}  // namespace
