// Scenario tools "PolylineToSheet" and "SheetToPolyline": the main window's
// "->Excel" and "->Acad" buttons, each click attaching both hosts first.
//
// "mainForm": {"chkboolIntersect": 1} sets the main window's crossing box
// (otherwise it shows the InterCoord setting, as after start-up);
// "runs": N clicks the button N times (default 1).

#include <fstream>
#include <iterator>

#include "format/output_file.h"
#include "pline/main_buttons.h"
#include "shell/main_form.h"
#include "tools/scenario/tools.h"
#include "tools/scenario/world.h"

namespace plotmate::scenario {

namespace {

MainForm mainFormOf(const Context& context) {
  MainForm form;
  form.showSettings(context.settings);
  const Json spec = context.spec.value("mainForm", Json::object());
  for (const auto& [key, value] : spec.items()) {
    if (key == "chkboolIntersect")
      form.chkboolIntersect = value.get<std::int16_t>();
    else if (key == "chkboolchgtxt")
      form.chkboolchgtxt = value.get<std::int16_t>();
    else if (key == "txtPref")
      form.txtPref = value.get<std::string>();
    else
      scenarioError("mainForm: unknown control \"" + key + "\"");
  }
  return form;
}

int clicksOf(const Context& context) {
  const int runs = context.spec.value("runs", 1);
  if (runs < 1) scenarioError("runs: at least 1");
  return runs;
}

void runPolylineToSheet(Context& context) {
  auto world = buildWorld(context);
  const MainForm form = mainFormOf(context);
  for (int i = clicksOf(context); i > 0; --i)
    Command3_Click(world->session, world->broker, world->platform, context.settings, form);
  reportWorld(context, *world);
}

void runSheetToPolyline(Context& context) {
  auto world = buildWorld(context);
  for (int i = clicksOf(context); i > 0; --i)
    Command4_Click(world->session, world->broker, world->platform, context.settings);
  reportWorld(context, *world);
}

}  // namespace

void registerPolylineTools(ToolTable& tools) {
  tools["PolylineToSheet"] = runPolylineToSheet;
  tools["SheetToPolyline"] = runSheetToPolyline;
}

}  // namespace plotmate::scenario
