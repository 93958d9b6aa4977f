#include "win32/win32_job_scheduler.h"

#include <windows.h>

#include <string>

#include "wide.h"
#include "win_error_edge.h"

namespace win32 {
namespace {

// The library's own record (lmat.h's AT_ENUM); declared here because the
// library is found at run time and its header would pull in the import.
struct AtEnum {
  DWORD jobId;
  DWORD_PTR jobTime;
  DWORD daysOfMonth;
  UCHAR daysOfWeek;
  UCHAR flags;
  LPWSTR command;
};

using JobEnumProc = DWORD(WINAPI*)(LPCWSTR server, LPBYTE* buffer, DWORD preferredMaximum, LPDWORD entriesRead,
                                   LPDWORD totalEntries, LPDWORD resumeHandle);
using JobDelProc = DWORD(WINAPI*)(LPCWSTR server, DWORD minJobId, DWORD maxJobId);
using BufferFreeProc = DWORD(WINAPI*)(LPVOID buffer);

constexpr DWORD kNoSizeLimit = static_cast<DWORD>(-1);  // MAX_PREFERRED_LENGTH
constexpr std::size_t kCommandLimit = 255;

// netapi32.dll for the length of one call: it is absent on the 9x family.
class NetApi {
 public:
  NetApi() : module_(LoadLibraryW(L"netapi32.dll")) {}
  NetApi(const NetApi&) = delete;
  NetApi& operator=(const NetApi&) = delete;
  ~NetApi() {
    if (module_ != nullptr) FreeLibrary(module_);
  }
  bool loaded() const { return module_ != nullptr; }
  template <typename Proc>
  Proc Find(const char* name) const {
    return reinterpret_cast<Proc>(reinterpret_cast<void*>(GetProcAddress(module_, name)));
  }

 private:
  HMODULE module_;
};

// The first 255 characters of a job's command.
std::string CommandText(LPCWSTR command) {
  if (command == nullptr) return {};
  std::wstring_view text(command);
  if (text.size() > kCommandLimit) text = text.substr(0, kCommandLimit);
  return Narrow(text);
}

}  // namespace

plat::WinError Win32JobScheduler::EnumJobs(std::vector<plat::ScheduledJob>* jobs) {
  jobs->clear();
  const NetApi netapi;
  if (!netapi.loaded()) return winerr::ModNotFound;
  const auto enumJobs = netapi.Find<JobEnumProc>("NetScheduleJobEnum");
  const auto freeBuffer = netapi.Find<BufferFreeProc>("NetApiBufferFree");
  if (enumJobs == nullptr || freeBuffer == nullptr) return winerr::ProcNotFound;

  DWORD resume = 0;
  for (;;) {
    LPBYTE buffer = nullptr;
    DWORD read = 0;
    DWORD total = 0;
    const DWORD status = enumJobs(nullptr, &buffer, kNoSizeLimit, &read, &total, &resume);
    if (status != ERROR_SUCCESS && status != ERROR_MORE_DATA) {
      if (buffer != nullptr) freeBuffer(buffer);
      return FromWin32(status);
    }
    const auto* entries = reinterpret_cast<const AtEnum*>(buffer);
    for (DWORD i = 0; entries != nullptr && i < read; ++i)
      jobs->push_back({entries[i].jobId, CommandText(entries[i].command)});
    if (buffer != nullptr) freeBuffer(buffer);
    // A service that asks for more but hands over nothing would keep us
    // here for ever.
    if (status != ERROR_MORE_DATA || read == 0) return winerr::Success;
  }
}

plat::WinError Win32JobScheduler::DeleteJob(std::uint32_t id) {
  const NetApi netapi;
  if (!netapi.loaded()) return winerr::ModNotFound;
  const auto deleteJobs = netapi.Find<JobDelProc>("NetScheduleJobDel");
  if (deleteJobs == nullptr) return winerr::ProcNotFound;
  return FromWin32(deleteJobs(nullptr, id, id));
}

}  // namespace win32
