#include "sim_services.h"

#include <algorithm>

#include "model/machine_state.h"
#include "platform/win_errors.h"

namespace sim {

namespace {
constexpr std::uint32_t kStandardRead = 0x00020000;
constexpr std::uint32_t kServiceTypeOwnProcess = 0x10;
constexpr std::uint32_t kDisabledStart = 4;
constexpr std::uint32_t kControlPause = 2;
constexpr std::uint32_t kControlContinue = 3;
constexpr std::uint32_t kAcceptStop = 0x1;
constexpr std::uint32_t kAcceptPauseContinue = 0x2;

namespace mgr {
constexpr std::uint32_t Connect = 0x1, CreateService = 0x2, Enumerate = 0x4, Lock = 0x8, QueryLock = 0x10,
                        ModifyBoot = 0x20, All = 0xF003F;
}
namespace srv {
constexpr std::uint32_t QueryConfig = 0x1, ChangeConfig = 0x2, QueryStatus = 0x4, EnumDependents = 0x8,
                        Start = 0x10, Stop = 0x20, PauseContinue = 0x40, Interrogate = 0x80, UserDefined = 0x100,
                        All = 0xF01FF;
}

constexpr std::uint32_t kGenericBits = plat::svc::GenericRead | plat::svc::GenericWrite |
                                       plat::svc::GenericExecute | 0x10000000u;

std::uint32_t MapManagerRights(std::uint32_t m) {
  std::uint32_t out = m & ~kGenericBits;
  if (m & plat::svc::GenericRead) out |= kStandardRead | mgr::Enumerate | mgr::QueryLock;
  if (m & plat::svc::GenericWrite) out |= kStandardRead | mgr::CreateService | mgr::ModifyBoot;
  if (m & plat::svc::GenericExecute) out |= kStandardRead | mgr::Connect | mgr::Lock;
  if (m & 0x10000000u) out |= mgr::All;
  return out;
}

std::uint32_t MapServiceRights(std::uint32_t m) {
  std::uint32_t out = m & ~kGenericBits;
  if (m & plat::svc::GenericRead)
    out |= kStandardRead | srv::QueryConfig | srv::QueryStatus | srv::Interrogate | srv::EnumDependents;
  if (m & plat::svc::GenericWrite) out |= kStandardRead | srv::ChangeConfig;
  if (m & plat::svc::GenericExecute) out |= kStandardRead | srv::Start | srv::Stop | srv::PauseContinue | srv::UserDefined;
  if (m & 0x10000000u) out |= srv::All;
  return out;
}

// What the default security of the manager and of a service lets each kind
// of user do on the NT family.
std::uint32_t ManagerRightsFor(const TokenState& t) {
  if (t.IsAdministrator()) return mgr::All;
  return mgr::Connect | mgr::Enumerate | mgr::QueryLock | kStandardRead;
}

std::uint32_t ServiceRightsFor(const TokenState& t) {
  if (t.IsAdministrator()) return srv::All;
  std::uint32_t rights =
      srv::QueryConfig | srv::QueryStatus | srv::EnumDependents | srv::Interrogate | srv::UserDefined | kStandardRead;
  if (t.Holds(plat::wellknown::PowerUsers)) rights |= srv::Start | srv::Stop | srv::PauseContinue;
  return rights;
}

bool IsPending(std::uint32_t state) {
  return state == plat::svc::StartPending || state == plat::svc::StopPending ||
         state == plat::svc::ContinuePending || state == plat::svc::PausePending;
}

plat::ServiceStatus StatusOf(const ServiceEntry& s, std::uint64_t now) {
  plat::ServiceStatus st;
  st.serviceType = kServiceTypeOwnProcess;
  st.currentState = s.state;
  if (s.state == plat::svc::Running || s.state == plat::svc::Paused)
    st.controlsAccepted = s.onStop.kind == OnStop::Kind::Refuses ? 0 : (kAcceptStop | kAcceptPauseContinue);
  if (s.stopsAt && *s.stopsAt > now) {
    st.checkPoint = 1;
    st.waitHint = static_cast<std::uint32_t>(std::min<std::uint64_t>(*s.stopsAt - now, 0xFFFFFFFFu));
  }
  return st;
}
}  // namespace

const SimServices::OpenEntry* SimServices::Lookup(plat::Handle h, bool manager) const {
  const auto it = open_.find(h);
  if (it == open_.end() || it->second.isManager != manager) return nullptr;
  return &it->second;
}

std::string SimServices::NameOf(plat::Handle h) const {
  const auto it = open_.find(h);
  return it == open_.end() ? std::string() : it->second.name;
}

plat::WinError SimServices::OpenManager(std::string_view machine, std::uint32_t access, plat::Handle* out) {
  if (auto f = m_.Fault("Services.OpenManager", machine)) return *f;
  if (out == nullptr) return winerr::InvalidParameter;
  *out = plat::kNoHandle;
  if (!m_.data.IsNT()) return winerr::CallNotImplemented;  // no service manager on the 9x family
  std::string_view name = machine;
  while (!name.empty() && name.front() == '\\') name.remove_prefix(1);
  if (!name.empty() && !text::IEquals(name, m_.data.computerName)) return winerr::RpcServerUnavailable;
  const std::uint32_t wanted = MapManagerRights(access);
  if (wanted & ~ManagerRightsFor(m_.data.token)) return winerr::AccessDenied;
  *out = m_.NewHandle();
  open_.emplace(*out, OpenEntry{true, std::string(), wanted});
  return winerr::Success;
}

plat::WinError SimServices::Open(plat::Handle manager, std::string_view name, std::uint32_t access, plat::Handle* out) {
  if (auto f = m_.Fault("Services.Open", name)) return *f;
  if (out == nullptr) return winerr::InvalidParameter;
  *out = plat::kNoHandle;
  if (Lookup(manager, true) == nullptr) return winerr::InvalidHandle;
  if (name.empty()) return winerr::InvalidName;
  const auto it = m_.data.services.find(name);
  if (it == m_.data.services.end()) return winerr::ServiceDoesNotExist;
  const std::uint32_t wanted = MapServiceRights(access);
  if (wanted & ~ServiceRightsFor(m_.data.token)) return winerr::AccessDenied;
  *out = m_.NewHandle();
  open_.emplace(*out, OpenEntry{false, it->second.name, wanted});
  return winerr::Success;
}

plat::WinError SimServices::Create(plat::Handle manager, const plat::ServiceCreateParams& params, plat::Handle* out) {
  if (auto f = m_.Fault("Services.Create", params.name)) return *f;
  if (out == nullptr) return winerr::InvalidParameter;
  *out = plat::kNoHandle;
  const OpenEntry* m = Lookup(manager, true);
  if (m == nullptr) return winerr::InvalidHandle;
  if (!(m->granted & mgr::CreateService)) return winerr::AccessDenied;
  if (params.name.empty() || params.name.find_first_of("/\\") != std::string::npos) return winerr::InvalidName;
  if (m_.data.services.count(params.name)) return winerr::ServiceExists;
  ServiceEntry entry;
  entry.name = params.name;
  entry.state = plat::svc::Stopped;
  entry.displayName = params.displayName;
  entry.imagePath = params.imagePath;
  entry.startType = params.startType;
  m_.data.services.emplace(entry.name, entry);
  m_.Record({{"event", "serviceCreated"}, {"name", params.name}, {"displayName", params.displayName},
             {"imagePath", params.imagePath}});
  *out = m_.NewHandle();
  open_.emplace(*out, OpenEntry{false, params.name, MapServiceRights(params.access)});
  return winerr::Success;
}

plat::WinError SimServices::QueryStatus(plat::Handle service, plat::ServiceStatus* out) {
  if (auto f = m_.Fault("Services.QueryStatus", NameOf(service))) return *f;
  const OpenEntry* e = Lookup(service, false);
  if (e == nullptr) return winerr::InvalidHandle;
  if (!(e->granted & srv::QueryStatus)) return winerr::AccessDenied;
  const auto it = m_.data.services.find(e->name);
  if (it == m_.data.services.end()) return winerr::ServiceDoesNotExist;
  if (out) *out = StatusOf(it->second, m_.Now());
  return winerr::Success;
}

plat::WinError SimServices::Control(plat::Handle service, std::uint32_t control, plat::ServiceStatus* status) {
  if (auto f = m_.Fault("Services.Control", NameOf(service))) return *f;
  const OpenEntry* e = Lookup(service, false);
  if (e == nullptr) return winerr::InvalidHandle;
  std::uint32_t needed = srv::UserDefined;
  if (control == plat::svc::ControlStop) needed = srv::Stop;
  if (control == kControlPause || control == kControlContinue) needed = srv::PauseContinue;
  if (control == plat::svc::ControlInterrogate) needed = srv::Interrogate;
  if (!(e->granted & needed)) return winerr::AccessDenied;
  const auto it = m_.data.services.find(e->name);
  if (it == m_.data.services.end()) return winerr::ServiceDoesNotExist;
  ServiceEntry& s = it->second;
  const auto report = [&](plat::WinError err) {
    if (status) *status = StatusOf(s, m_.Now());
    return err;
  };

  if (s.state == plat::svc::Stopped) return report(winerr::ServiceNotActive);
  if (control == plat::svc::ControlInterrogate) return report(winerr::Success);
  if (IsPending(s.state)) return report(winerr::ServiceCannotAcceptCtrl);

  if (control == kControlPause || control == kControlContinue) {
    if (s.onStop.kind == OnStop::Kind::Refuses) return report(winerr::InvalidServiceControl);
    s.state = control == kControlPause ? plat::svc::Paused : plat::svc::Running;
    return report(winerr::Success);
  }
  if (control != plat::svc::ControlStop) return report(winerr::InvalidServiceControl);

  switch (s.onStop.kind) {
    case OnStop::Kind::Refuses:
      return report(winerr::InvalidServiceControl);
    case OnStop::Kind::Pending:
    case OnStop::Kind::Hangs:
      if (s.onStop.seconds > 0) {
        s.state = plat::svc::StopPending;
        s.stopsAt = m_.Now() + std::uint64_t{s.onStop.seconds} * 1000;
        return report(s.onStop.kind == OnStop::Kind::Hangs ? winerr::ServiceRequestTimeout : winerr::Success);
      }
      [[fallthrough]];
    case OnStop::Kind::Stops:
      s.state = plat::svc::Stopped;
      s.stopsAt.reset();
      m_.Record({{"event", "serviceStopped"}, {"name", s.name}});
      m_.ServiceStopped(s.name);
      return report(winerr::Success);
  }
  return report(winerr::InvalidServiceControl);
}

plat::WinError SimServices::Start(plat::Handle service) {
  if (auto f = m_.Fault("Services.Start", NameOf(service))) return *f;
  const OpenEntry* e = Lookup(service, false);
  if (e == nullptr) return winerr::InvalidHandle;
  if (!(e->granted & srv::Start)) return winerr::AccessDenied;
  const auto it = m_.data.services.find(e->name);
  if (it == m_.data.services.end()) return winerr::ServiceDoesNotExist;
  ServiceEntry& s = it->second;
  if (s.state != plat::svc::Stopped) return winerr::ServiceAlreadyRunning;
  if (s.startType == kDisabledStart) return winerr::ServiceDisabled;
  s.state = plat::svc::Running;
  s.stopsAt.reset();
  m_.Record({{"event", "serviceStarted"}, {"name", s.name}});
  return winerr::Success;
}

void SimServices::Close(plat::Handle h) { open_.erase(h); }

void SimServices::AdvanceTo(std::uint64_t virtualMs) {
  std::vector<ServiceEntry*> due;
  for (auto& [name, s] : m_.data.services)
    if (s.stopsAt && *s.stopsAt <= virtualMs) due.push_back(&s);
  std::stable_sort(due.begin(), due.end(), [](auto* a, auto* b) { return *a->stopsAt < *b->stopsAt; });
  for (ServiceEntry* s : due) {
    const std::uint64_t at = *s->stopsAt;
    s->state = plat::svc::Stopped;
    s->stopsAt.reset();
    m_.RecordAt({{"event", "serviceStopped"}, {"name", s->name}}, at);
    m_.ServiceStopped(s->name);
  }
}

}  // namespace sim
