#include "sim/machine.h"

#include "image/image_load.h"
#include "adapters/sim_ports.h"
#include "model/machine_state.h"

namespace sim {

namespace {
// nlohmann's parser recurses once per nesting level; an image nested deeper
// than any real one is refused before parsing so that it cannot exhaust the
// stack.
constexpr int kMaxNesting = 64;

bool NestsTooDeep(std::string_view textValue) {
  int depth = 0;
  bool inString = false;
  bool escaped = false;
  for (char c : textValue) {
    if (inString) {
      if (escaped)
        escaped = false;
      else if (c == '\\')
        escaped = true;
      else if (c == '"')
        inString = false;
      continue;
    }
    if (c == '"') inString = true;
    if (c == '[' || c == '{') {
      if (++depth > kMaxNesting) return true;
    }
    if (c == ']' || c == '}') --depth;
  }
  return false;
}
}  // namespace

Machine::Machine() = default;
Machine::~Machine() = default;

std::unique_ptr<Machine> Machine::FromJson(const nlohmann::json& image, LoadError* error) {
  LoadError failure;
  try {
    MachineData data = LoadImage(image);
    std::unique_ptr<Machine> machine(new Machine());
    machine->state_ = std::make_unique<MachineState>(std::move(data));
    machine->ports_ = std::make_unique<SimPorts>(*machine->state_);
    return machine;
  } catch (const ImageError& e) {
    failure = LoadError{e.path, e.message};
  } catch (const std::exception& e) {
    failure = LoadError{"/", std::string("cannot load the image: ") + e.what()};
  }
  if (error) *error = failure;
  return nullptr;
}

std::unique_ptr<Machine> Machine::FromText(std::string_view imageText, LoadError* error) {
  if (NestsTooDeep(imageText)) {
    if (error) *error = LoadError{"/", "nested more than " + std::to_string(kMaxNesting) + " levels deep"};
    return nullptr;
  }
  nlohmann::json image;
  try {
    image = ParseImage(imageText);
  } catch (const ImageError& e) {
    if (error) *error = LoadError{e.path, e.message};
    return nullptr;
  } catch (const nlohmann::json::exception& e) {
    if (error) *error = LoadError{"/", std::string("invalid JSON: ") + e.what()};
    return nullptr;
  }
  return FromJson(image, error);
}

plat::Platform& Machine::platform() { return ports_->platform; }

plat::Platform Machine::PlatformWithUi(plat::Ui& ui) {
  plat::Platform p = ports_->platform;
  return plat::Platform{p.registry, p.services, p.osInfo,  p.security, p.clock,     p.desktop,   p.resources,
                        p.files,    p.process,  p.processes, ui,      p.spooler, p.profile, p.zipLister,
                        p.installLog, p.jobScheduler, p.taskScheduler, p.bidiLibrary};
}

nlohmann::json Machine::Save() const { return SaveImage(state_->data); }

const nlohmann::json& Machine::journal() const { return state_->data.journal; }

void Machine::Record(nlohmann::json entry) { state_->Record(std::move(entry)); }

void Machine::SetWizardTicker(WizardTicker ticker) { ports_->ui.SetWizardTicker(std::move(ticker)); }

bool Machine::KeyExists(std::string_view fullKeyPath) const {
  return state_->data.registry.FindKey(fullKeyPath) != nullptr;
}

std::optional<plat::RegValue> Machine::Value(std::string_view fullKeyPath, std::string_view valueName) const {
  const RegNode* node = state_->data.registry.FindKey(fullKeyPath);
  if (node == nullptr) return std::nullopt;
  const auto it = node->values.find(valueName);
  if (it == node->values.end()) return std::nullopt;
  return it->second;
}

std::optional<std::uint32_t> Machine::ServiceState(std::string_view serviceName) const {
  const auto it = state_->data.services.find(serviceName);
  if (it == state_->data.services.end()) return std::nullopt;
  return it->second.state;
}

std::uint64_t Machine::VirtualMillis() const { return state_->data.clock.elapsedMs; }

}  // namespace sim
