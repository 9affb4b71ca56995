#pragma once
// The main window's state in a scenario: "mainForm": {"chkboolIntersect": 1,
// "chkboolchgtxt": 1, "txtPref": "L=", "txtSuf": ""}; unnamed controls are
// clear or empty.

#include "shell/main_form.h"
#include "tools/scenario/scenario.h"

namespace plotmate::scenario {

// Reads the scenario's "mainForm" (unknown controls are an error).
MainForm mainFormFromJson(const Json& spec);

}  // namespace plotmate::scenario
