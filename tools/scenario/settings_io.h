#pragma once
// The settings record in a scenario: set from "settings": {KEY: value, ...},
// reported the same way.

#include "tools/scenario/scenario.h"

namespace plotmate::scenario {

// Applies the scenario's "settings" object (unknown keys are an error).
void applySettings(Context& context);
Json settingsJson(const Settings& settings);

}  // namespace plotmate::scenario
