#pragma once
// A worksheet in a scenario: "sheet": {"csv": FILE, "cells": {"B2": 1, ...},
// "active": "B2", "selection": "B2:C3", "selectedObject": "Chart 1"}.

#include "sim/sheet/worksheet.h"
#include "sim/state/state_json.h"

namespace plotmate::scenario {

sim::Worksheet sheetFromJson(const Json& spec, const std::filesystem::path& sourceDir);
Json sheetJson(const sim::Worksheet& sheet);

}  // namespace plotmate::scenario
