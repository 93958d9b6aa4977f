// Turns a failing generated machine into a small one a developer can copy
// into a scenario test: objects are dropped while the same finding remains.
#pragma once
#include <functional>
#include <string>

#include "hazards.h"
#include "machine_model.h"
#include "run_check.h"

namespace property {

// Something done to the machine after the run and before the check; the
// checker's own tests use it to take what the uninstaller would not.
using Tamper = std::function<void(SilentRun&)>;

// Runs the machine and checks it.
std::vector<Finding> RunAndCheck(const World& world, const HazardSet& hazards, const Tamper& tamper = {});

World Shrink(World world, const HazardSet& hazards, const Finding& target, const Tamper& tamper = {});

// Seed, finding, the objects left and the image, ready to read.
std::string Report(const World& original, const World& minimal, const HazardSet& hazards, const Finding& finding);

}  // namespace property
