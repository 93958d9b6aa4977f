// Value data crossing the UTF-16 edge: what the logic gets back must be what
// it stored, whatever the W calls hold in between.
#include <gtest/gtest.h>

#include "registry_data.h"

namespace {

std::vector<std::uint8_t> Utf16Bytes(std::u16string_view s) {
  std::vector<std::uint8_t> out;
  for (char16_t c : s) {
    out.push_back(static_cast<std::uint8_t>(c & 0xFF));
    out.push_back(static_cast<std::uint8_t>(c >> 8));
  }
  return out;
}

TEST(RegistryData, StringsRoundTripThroughUtf16) {
  for (const auto& value : {plat::RegValue::String("C:\\Programme\\Gr\xC3\xBC\xC3\x9F" "e"),
                            plat::RegValue::String("%SystemRoot%\\x", plat::RegType::ExpandSz),
                            plat::RegValue::MultiString({"a", "\xE2\x82\xAC uro", "b"}),
                            plat::RegValue::String("")}) {
    const auto stored = win32::ToStoredData(value);
    EXPECT_EQ(stored.size() % 2, 0u);
    EXPECT_EQ(win32::FromStoredData(static_cast<std::uint32_t>(value.type), stored), value);
  }
}

TEST(RegistryData, StoredTextIsUtf16WithItsTerminator) {
  const auto stored = win32::ToStoredData(plat::RegValue::String("\xC3\xA9"));  // e acute
  EXPECT_EQ(stored, Utf16Bytes(std::u16string(u"\u00E9\0", 2)));
}

TEST(RegistryData, MissingTerminatorsAreSupplied) {
  const auto sz = win32::FromStoredData(1 /*REG_SZ*/, Utf16Bytes(u"abc"));
  EXPECT_EQ(sz.data, (std::vector<std::uint8_t>{'a', 'b', 'c', 0}));
  const auto multi = win32::FromStoredData(7 /*REG_MULTI_SZ*/, Utf16Bytes(std::u16string(u"a\0b", 3)));
  EXPECT_EQ(multi.AsMultiString(), (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(multi.data.back(), 0);
  EXPECT_EQ(multi.data[multi.data.size() - 2], 0);
}

TEST(RegistryData, OddTrailingByteOfAStringIsDropped) {
  auto bytes = Utf16Bytes(u"ok");
  bytes.push_back(0x41);
  EXPECT_EQ(win32::FromStoredData(1, bytes).AsText(), "ok");
}

TEST(RegistryData, NonStringDataPassesUntouched) {
  const std::vector<std::uint8_t> raw{0x01, 0xFF, 0x00, 0x7F, 0x33};
  const auto bin = win32::FromStoredData(3 /*REG_BINARY*/, raw);
  EXPECT_EQ(bin.type, plat::RegType::Binary);
  EXPECT_EQ(bin.data, raw);
  EXPECT_EQ(win32::ToStoredData(plat::RegValue::Dword(0x01020304)),
            (std::vector<std::uint8_t>{0x04, 0x03, 0x02, 0x01}));
}

}  // namespace
