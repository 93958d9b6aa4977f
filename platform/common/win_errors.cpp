#include "platform/win_errors.h"

#include <array>
#include <charconv>
#include <ostream>
#include <utility>

#include "platform/text.h"

namespace winerr {
namespace {
struct Entry {
  plat::WinError code;
  const char* name;
};
constexpr std::array kNames{
    Entry{Success, "ERROR_SUCCESS"},
    Entry{FileNotFound, "ERROR_FILE_NOT_FOUND"},
    Entry{PathNotFound, "ERROR_PATH_NOT_FOUND"},
    Entry{AccessDenied, "ERROR_ACCESS_DENIED"},
    Entry{InvalidHandle, "ERROR_INVALID_HANDLE"},
    Entry{NotEnoughMemory, "ERROR_NOT_ENOUGH_MEMORY"},
    Entry{InvalidData, "ERROR_INVALID_DATA"},
    Entry{NotReady, "ERROR_NOT_READY"},
    Entry{SharingViolation, "ERROR_SHARING_VIOLATION"},
    Entry{NotSupported, "ERROR_NOT_SUPPORTED"},
    Entry{FileExists, "ERROR_FILE_EXISTS"},
    Entry{InvalidParameter, "ERROR_INVALID_PARAMETER"},
    Entry{CallNotImplemented, "ERROR_CALL_NOT_IMPLEMENTED"},
    Entry{InsufficientBuffer, "ERROR_INSUFFICIENT_BUFFER"},
    Entry{InvalidName, "ERROR_INVALID_NAME"},
    Entry{ModNotFound, "ERROR_MOD_NOT_FOUND"},
    Entry{ProcNotFound, "ERROR_PROC_NOT_FOUND"},
    Entry{DirNotEmpty, "ERROR_DIR_NOT_EMPTY"},
    Entry{BadPathname, "ERROR_BAD_PATHNAME"},
    Entry{BadExeFormat, "ERROR_BAD_EXE_FORMAT"},
    Entry{AlreadyExists, "ERROR_ALREADY_EXISTS"},
    Entry{MoreData, "ERROR_MORE_DATA"},
    Entry{NoMoreItems, "ERROR_NO_MORE_ITEMS"},
    Entry{NoToken, "ERROR_NO_TOKEN"},
    Entry{KeyDeleted, "ERROR_KEY_DELETED"},
    Entry{InvalidServiceControl, "ERROR_INVALID_SERVICE_CONTROL"},
    Entry{ServiceRequestTimeout, "ERROR_SERVICE_REQUEST_TIMEOUT"},
    Entry{ServiceAlreadyRunning, "ERROR_SERVICE_ALREADY_RUNNING"},
    Entry{ServiceDisabled, "ERROR_SERVICE_DISABLED"},
    Entry{ServiceDoesNotExist, "ERROR_SERVICE_DOES_NOT_EXIST"},
    Entry{ServiceCannotAcceptCtrl, "ERROR_SERVICE_CANNOT_ACCEPT_CTRL"},
    Entry{ServiceNotActive, "ERROR_SERVICE_NOT_ACTIVE"},
    Entry{ServiceExists, "ERROR_SERVICE_EXISTS"},
    Entry{NotAllAssigned, "ERROR_NOT_ALL_ASSIGNED"},
    Entry{NoSuchPrivilege, "ERROR_NO_SUCH_PRIVILEGE"},
    Entry{PrivilegeNotHeld, "ERROR_PRIVILEGE_NOT_HELD"},
    Entry{InvalidAcl, "ERROR_INVALID_ACL"},
    Entry{InvalidSid, "ERROR_INVALID_SID"},
    Entry{InvalidWindowHandle, "ERROR_INVALID_WINDOW_HANDLE"},
    Entry{Timeout, "ERROR_TIMEOUT"},
    Entry{BadConfiguration, "ERROR_BAD_CONFIGURATION"},
    Entry{UnknownPrinterDriver, "ERROR_UNKNOWN_PRINTER_DRIVER"},
    Entry{InvalidPrinterName, "ERROR_INVALID_PRINTER_NAME"},
    Entry{ResourceTypeNotFound, "ERROR_RESOURCE_TYPE_NOT_FOUND"},
    Entry{ResourceNameNotFound, "ERROR_RESOURCE_NAME_NOT_FOUND"},
    Entry{PrinterDriverInUse, "ERROR_PRINTER_DRIVER_IN_USE"},
    Entry{InvalidLevel, "ERROR_INVALID_LEVEL"},
    Entry{NotADirectory, "ERROR_DIRECTORY"},
    Entry{RpcServerUnavailable, "RPC_S_SERVER_UNAVAILABLE"},
    Entry{UnknownPrintProcessor, "ERROR_UNKNOWN_PRINTPROCESSOR"},
    Entry{InvalidEnvironment, "ERROR_INVALID_ENVIRONMENT"},
};
}  // namespace

std::string Name(plat::WinError error) { return Name(error.code()); }

std::string Name(std::uint32_t code) {
  for (const auto& e : kNames)
    if (e.code.code() == code) return e.name;
  // Appending, rather than operator+ on a literal, keeps GCC 12's -Wrestrict
  // false positive quiet in optimised builds.
  std::string name = "ERROR_";
  name += std::to_string(code);
  return name;
}

std::optional<plat::WinError> FromName(std::string_view name) {
  name = text::Trim(name);
  if (name.empty()) return std::nullopt;
  std::uint32_t value = 0;
  auto [end, ec] = std::from_chars(name.data(), name.data() + name.size(), value);
  if (ec == std::errc() && end == name.data() + name.size()) return plat::WinError(value);
  for (const auto& e : kNames) {
    std::string_view full = e.name;
    if (text::IEquals(full, name)) return e.code;
    if (full.starts_with("ERROR_") && text::IEquals(full.substr(6), name)) return e.code;
  }
  if (text::IStartsWith(name, "ERROR_")) {
    auto digits = name.substr(6);
    auto [end2, ec2] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (ec2 == std::errc() && end2 == digits.data() + digits.size()) return plat::WinError(value);
  }
  return std::nullopt;
}
}  // namespace winerr

namespace plat {

std::string WinError::name() const { return winerr::Name(code_); }

std::ostream& operator<<(std::ostream& out, WinError error) { return out << error.name(); }

}  // namespace plat
