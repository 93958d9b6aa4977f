#include "printing/usb_port_number.h"

#include <gtest/gtest.h>

namespace {

TEST(UsbPortNumber, DigitsAfterUsbAreThePortNumber) {
  EXPECT_EQ(UsbPortNumber("USB001"), 1);
  EXPECT_EQ(UsbPortNumber("USB003"), 3);
  EXPECT_EQ(UsbPortNumber("usb010"), 10);  // port names ignore case, as the spooler's do
  EXPECT_EQ(UsbPortNumber("USB0"), 0);
  EXPECT_EQ(UsbPortNumber("USB2147483647"), 2147483647);
  EXPECT_EQ(UsbPortNumber("USB0000000000000000000042"), 42);
}

TEST(UsbPortNumber, AnythingButPlainDigitsNamesNoPort) {
  for (const char* name : {"", "USB", "USBX", "USB 1", " USB1", "USB+1", "USB-1", "USB1X", "USB1:", "USB001,USB002",
                           "USB2147483648", "USB99999999999999999999", "LPT1:", "US1", "XUSB1"}) {
    EXPECT_EQ(UsbPortNumber(name), std::nullopt) << '"' << name << '"';
  }
}

}  // namespace
