// A scenario is one end-to-end test: SCENARIO(name) { ... } in any driver source.
// CMake reads the SCENARIO lines and makes each one a CTest test named e2e.<name>.
#pragma once

#include <string>

#include "ui.h"

namespace e2e {

struct Run {
    std::string exe;      // Windows path of Corvane.exe
    std::string outDir;   // Windows path of the scenario's folder for pictures and records
    Checks checks;
};

using ScenarioFunction = void (*)(Run&);

struct ScenarioRegistration {
    ScenarioRegistration(const char* name, ScenarioFunction function);
};

}  // namespace e2e

#define SCENARIO(name)                                                        \
    static void Scenario_##name(e2e::Run& run);                               \
    static const e2e::ScenarioRegistration registration_##name(#name, Scenario_##name); \
    static void Scenario_##name(e2e::Run& run)
