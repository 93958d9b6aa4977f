// Reading a machine image into MachineData. Every error throws ImageError
// naming the JSON path at fault.
#pragma once
#include "image_codec.h"
#include "model/machine_data.h"

namespace sim {

// An image's text as JSON; a member given twice in one object throws
// ImageError at its path, bad JSON the parser's exception.
json ParseImage(std::string_view imageText);
MachineData LoadImage(const json& image);
void LoadRegistry(const json& registry, const std::string& path, RegistryTree* out);
json SaveImage(const MachineData& data);

// After everything is read: the directories every Windows has, implied
// directories as entries, short names, and checks across sections.
void FinishMachine(MachineData& d);
// The standard directories and the files driver records name, for images
// written by hand that leave them out.
void AddImpliedFiles(MachineData& d);
// Printers, drivers, print processors, win.ini, libraries, archives and
// directory overrides (after "files", which libraries and archives name).
void LoadPrinting(const json& members, MachineData& d);
void SavePrinting(const MachineData& d, json& image);
// The install-log server's records ("installLog").
void LoadInstallLog(const json& j, const std::string& path, MachineData& d);
void SaveInstallLog(const MachineData& d, json& image);
// Outside programs and scheduled work ("commands", "scheduledJobs",
// "scheduledTasks").
void LoadPrograms(const json& members, MachineData& d);
void SavePrograms(const MachineData& d, json& image);

}  // namespace sim
