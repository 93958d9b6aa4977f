#include "win32/win32_task_scheduler.h"

#include <windows.h>
#include <mstask.h>
#include <objbase.h>

#include <string>

#include "wide.h"

namespace win32 {
namespace {

// Spelled out so that the adapter needs no import library for them.
constexpr CLSID kTaskSchedulerClass = {0x148BD52A, 0xA2AB, 0x11CE, {0xB1, 0x1F, 0x00, 0xAA, 0x00, 0x53, 0x05, 0x03}};
constexpr IID kTaskSchedulerInterface = {0x148BD527, 0xA2AB, 0x11CE, {0xB1, 0x1F, 0x00, 0xAA, 0x00, 0x53, 0x05, 0x03}};
constexpr std::size_t kNameLimit = 255;

// COM on this thread for the length of one call. A thread already in the
// multithreaded apartment can use COM as it is, but must not be
// uninitialised by us.
class ComScope {
 public:
  ComScope() : result_(CoInitialize(nullptr)) {}
  ComScope(const ComScope&) = delete;
  ComScope& operator=(const ComScope&) = delete;
  ~ComScope() {
    if (SUCCEEDED(result_)) CoUninitialize();
  }
  bool usable() const { return SUCCEEDED(result_) || result_ == RPC_E_CHANGED_MODE; }

 private:
  HRESULT result_;
};

}  // namespace

plat::TaskDeletion Win32TaskScheduler::DeleteTask(std::string_view name) {
  const ComScope com;
  if (!com.usable()) return plat::TaskDeletion::ComUnavailable;
  ITaskScheduler* scheduler = nullptr;
  if (FAILED(CoCreateInstance(kTaskSchedulerClass, nullptr, CLSCTX_INPROC_SERVER, kTaskSchedulerInterface,
                              reinterpret_cast<void**>(&scheduler))) ||
      scheduler == nullptr)
    return plat::TaskDeletion::SchedulerUnavailable;
  std::wstring wide = Wide(name);
  if (wide.size() > kNameLimit) wide.resize(kNameLimit);
  const HRESULT deleted = scheduler->Delete(wide.c_str());
  scheduler->Release();
  return SUCCEEDED(deleted) ? plat::TaskDeletion::Deleted : plat::TaskDeletion::DeleteFailed;
}

}  // namespace win32
