// Win32 error codes as the ports report them: a type of their own, so that a
// code cannot be mistaken for a count, a flag or a handle, and so that a
// dropped result does not compile. Kept in one portable header so that core
// code can name them without <windows.h>; the names differ from the SDK
// macros on purpose, so both headers can meet in one translation unit.
#pragma once
#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>

namespace plat {

// One Windows error code; 0 is success. Whether a call failed is read with
// ok() or failed(), never from a conversion to bool, whose sense would be
// a guess at each use.
class [[nodiscard]] WinError {
 public:
  explicit constexpr WinError(std::uint32_t code) : code_(code) {}
  constexpr std::uint32_t code() const { return code_; }
  constexpr bool ok() const { return code_ == 0; }
  constexpr bool failed() const { return code_ != 0; }
  // "ERROR_ACCESS_DENIED", or "ERROR_<n>" for a code without a name.
  std::string name() const;
  friend constexpr bool operator==(WinError, WinError) = default;

 private:
  std::uint32_t code_;
};

std::ostream& operator<<(std::ostream& out, WinError error);

}  // namespace plat

namespace winerr {
inline constexpr plat::WinError Success{0};
inline constexpr plat::WinError FileNotFound{2};
inline constexpr plat::WinError PathNotFound{3};
inline constexpr plat::WinError AccessDenied{5};
inline constexpr plat::WinError InvalidHandle{6};
inline constexpr plat::WinError NotEnoughMemory{8};
inline constexpr plat::WinError InvalidData{13};
inline constexpr plat::WinError NotReady{21};
inline constexpr plat::WinError SharingViolation{32};
inline constexpr plat::WinError NotSupported{50};
inline constexpr plat::WinError FileExists{80};
inline constexpr plat::WinError InvalidParameter{87};
inline constexpr plat::WinError CallNotImplemented{120};
inline constexpr plat::WinError InsufficientBuffer{122};
inline constexpr plat::WinError InvalidName{123};
inline constexpr plat::WinError ModNotFound{126};
inline constexpr plat::WinError ProcNotFound{127};
inline constexpr plat::WinError DirNotEmpty{145};
inline constexpr plat::WinError AlreadyExists{183};
inline constexpr plat::WinError MoreData{234};
inline constexpr plat::WinError NoMoreItems{259};
inline constexpr plat::WinError Timeout{1460};
inline constexpr plat::WinError KeyDeleted{1018};
inline constexpr plat::WinError BadPathname{161};
inline constexpr plat::WinError ServiceRequestTimeout{1053};
inline constexpr plat::WinError InvalidServiceControl{1052};
inline constexpr plat::WinError ServiceCannotAcceptCtrl{1061};
inline constexpr plat::WinError ServiceAlreadyRunning{1056};
inline constexpr plat::WinError ServiceDisabled{1058};
inline constexpr plat::WinError ServiceDoesNotExist{1060};
inline constexpr plat::WinError ServiceNotActive{1062};
inline constexpr plat::WinError ServiceExists{1073};
inline constexpr plat::WinError NoToken{1008};
inline constexpr plat::WinError BadConfiguration{1610};
inline constexpr plat::WinError NotAllAssigned{1300};
inline constexpr plat::WinError NoSuchPrivilege{1313};
inline constexpr plat::WinError PrivilegeNotHeld{1314};
inline constexpr plat::WinError InvalidSid{1337};
inline constexpr plat::WinError InvalidAcl{1336};
inline constexpr plat::WinError ResourceNameNotFound{1814};
inline constexpr plat::WinError ResourceTypeNotFound{1813};
inline constexpr plat::WinError InvalidPrinterName{1801};
inline constexpr plat::WinError UnknownPrinterDriver{1797};
inline constexpr plat::WinError PrinterDriverInUse{3001};
inline constexpr plat::WinError InvalidWindowHandle{1400};
inline constexpr plat::WinError BadExeFormat{193};
inline constexpr plat::WinError InvalidLevel{124};
inline constexpr plat::WinError NotADirectory{267};
inline constexpr plat::WinError RpcServerUnavailable{1722};
inline constexpr plat::WinError UnknownPrintProcessor{1798};
inline constexpr plat::WinError InvalidEnvironment{1805};

// "ERROR_ACCESS_DENIED" <-> 5, for machine images and journals. Unknown
// numbers print as "ERROR_<n>"; names parse with or without the prefix, and a
// plain decimal number is accepted too.
std::string Name(plat::WinError error);
std::string Name(std::uint32_t code);
std::optional<plat::WinError> FromName(std::string_view name);
}  // namespace winerr
