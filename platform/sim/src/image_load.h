// Reading a machine image into MachineData. Every error throws ImageError
// naming the JSON path at fault.
#pragma once
#include "image_codec.h"
#include "machine_data.h"

namespace sim {

MachineData LoadImage(const json& image);
void LoadRegistry(const json& registry, const std::string& path, RegistryTree* out);
json SaveImage(const MachineData& data);

}  // namespace sim
