// Win32 error codes as the ports report them. Kept in one portable header so
// that core code can name them without <windows.h>; the names differ from the
// SDK macros on purpose, so both headers can meet in one translation unit.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace winerr {
inline constexpr std::uint32_t Success = 0;
inline constexpr std::uint32_t FileNotFound = 2;
inline constexpr std::uint32_t PathNotFound = 3;
inline constexpr std::uint32_t AccessDenied = 5;
inline constexpr std::uint32_t InvalidHandle = 6;
inline constexpr std::uint32_t NotEnoughMemory = 8;
inline constexpr std::uint32_t InvalidData = 13;
inline constexpr std::uint32_t NotReady = 21;
inline constexpr std::uint32_t SharingViolation = 32;
inline constexpr std::uint32_t NotSupported = 50;
inline constexpr std::uint32_t FileExists = 80;
inline constexpr std::uint32_t InvalidParameter = 87;
inline constexpr std::uint32_t CallNotImplemented = 120;
inline constexpr std::uint32_t InsufficientBuffer = 122;
inline constexpr std::uint32_t InvalidName = 123;
inline constexpr std::uint32_t ModNotFound = 126;
inline constexpr std::uint32_t ProcNotFound = 127;
inline constexpr std::uint32_t DirNotEmpty = 145;
inline constexpr std::uint32_t AlreadyExists = 183;
inline constexpr std::uint32_t MoreData = 234;
inline constexpr std::uint32_t NoMoreItems = 259;
inline constexpr std::uint32_t Timeout = 1460;
inline constexpr std::uint32_t KeyDeleted = 1018;
inline constexpr std::uint32_t BadPathname = 161;
inline constexpr std::uint32_t ServiceRequestTimeout = 1053;
inline constexpr std::uint32_t InvalidServiceControl = 1052;
inline constexpr std::uint32_t ServiceCannotAcceptCtrl = 1061;
inline constexpr std::uint32_t ServiceAlreadyRunning = 1056;
inline constexpr std::uint32_t ServiceDisabled = 1058;
inline constexpr std::uint32_t ServiceDoesNotExist = 1060;
inline constexpr std::uint32_t ServiceNotActive = 1062;
inline constexpr std::uint32_t ServiceExists = 1073;
inline constexpr std::uint32_t NoToken = 1008;
inline constexpr std::uint32_t BadConfiguration = 1610;
inline constexpr std::uint32_t NotAllAssigned = 1300;
inline constexpr std::uint32_t NoSuchPrivilege = 1313;
inline constexpr std::uint32_t PrivilegeNotHeld = 1314;
inline constexpr std::uint32_t InvalidSid = 1337;
inline constexpr std::uint32_t InvalidAcl = 1336;
inline constexpr std::uint32_t ResourceNameNotFound = 1814;
inline constexpr std::uint32_t ResourceTypeNotFound = 1813;
inline constexpr std::uint32_t InvalidPrinterName = 1801;
inline constexpr std::uint32_t UnknownPrinterDriver = 1797;
inline constexpr std::uint32_t PrinterDriverInUse = 3001;
inline constexpr std::uint32_t InvalidWindowHandle = 1400;
inline constexpr std::uint32_t BadExeFormat = 193;
inline constexpr std::uint32_t InvalidLevel = 124;
inline constexpr std::uint32_t NotADirectory = 267;
inline constexpr std::uint32_t RpcServerUnavailable = 1722;
inline constexpr std::uint32_t UnknownPrintProcessor = 1798;
inline constexpr std::uint32_t InvalidEnvironment = 1805;

// "ERROR_ACCESS_DENIED" <-> 5, for machine images and journals. Unknown
// numbers print as "ERROR_<n>"; names parse with or without the prefix, and a
// plain decimal number is accepted too.
std::string Name(std::uint32_t code);
std::optional<std::uint32_t> FromName(std::string_view name);
}  // namespace winerr
