// How single fields of a machine image read and write: masks, typed values,
// SIDs, service states, OS versions. The loader and the saver share these so
// that whatever is saved loads back the same.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

#include "model/machine_data.h"
#include "platform/os_info.h"
#include "platform/registry.h"

namespace sim {

using nlohmann::json;

// Thrown inside the loader only; FromJson turns it into a LoadError.
struct ImageError {
  std::string path;
  std::string message;
};
[[noreturn]] void Fail(const std::string& path, std::string message);
std::string Child(const std::string& path, std::string_view member);
std::string KindOf(const json& j);  // "string", "number"... for messages

// Checks that `j` is an object whose members are all in `allowed`.
void ExpectObject(const json& j, const std::string& path, std::initializer_list<std::string_view> allowed);
std::string ReadString(const json& j, const std::string& path);
bool ReadBool(const json& j, const std::string& path);
std::uint64_t ReadUnsigned(const json& j, const std::string& path, std::uint64_t max);
std::int64_t ReadSigned(const json& j, const std::string& path);

// Access masks: a number, "0x..." text, or names joined with "|".
std::uint32_t ReadKeyMask(const json& j, const std::string& path);
json KeyMaskJson(std::uint32_t mask);
std::uint32_t ReadFileAttributes(const json& j, const std::string& path);
json FileAttributesJson(std::uint32_t attributes);
std::uint8_t ReadAceFlags(const json& j, const std::string& path);
json AceFlagsJson(std::uint8_t flags);

plat::RegValue ReadRegValue(const json& j, const std::string& path);
json RegValueJson(const plat::RegValue& value);

plat::Sid ReadSid(const json& j, const std::string& path);
bool IsWellFormedSid(std::string_view sid);

std::uint32_t ReadServiceState(const json& j, const std::string& path);
std::string ServiceStateName(std::uint32_t state);
OnStop ReadOnStop(const json& j, const std::string& path);
json OnStopJson(const OnStop& onStop);
std::uint32_t ReadStartType(const json& j, const std::string& path);
json StartTypeJson(std::uint32_t startType);

plat::OsVersion ReadOs(const json& j, const std::string& path);
json OsJson(const plat::OsVersion& os);

std::uint32_t ReadErrorCode(const json& j, const std::string& path);
bool IsKnownPrivilege(std::string_view name);
// "<Port>.<Method>" names that faults may use.
bool IsKnownCall(std::string_view call);
// Whether a wildcard pattern matches at least one of those names.
bool MatchesSomeCall(std::string_view pattern);
bool IsKnownPort(std::string_view port);  // "Registry", "Spooler"...

std::string ToHex(const std::vector<std::uint8_t>& bytes);

}  // namespace sim
