// Scenario tools "PolylineToSheet" and "SheetToPolyline": the main window's
// "->Excel" and "->Acad" buttons, each click attaching both hosts first.
//
// "mainForm": {"chkboolIntersect": 1} sets the main window's crossing box
// (without it the box shows the InterCoord setting, as after start-up);
// "clicks": N clicks the button N times (default 1).

#include "pline/main_buttons.h"
#include "tools/scenario/main_form_io.h"
#include "tools/scenario/tools.h"
#include "tools/scenario/world.h"

namespace plotmate::scenario {

namespace {

MainForm mainFormOf(const Context& context) {
  MainForm form = mainFormFromJson(context.spec);
  if (!context.spec.value("mainForm", Json::object()).contains("chkboolIntersect"))
    form.showSettings(context.settings);
  return form;
}

void runPolylineToSheet(Context& context) {
  auto world = buildWorld(context);
  const MainForm form = mainFormOf(context);
  for (int i = clicksOf(context); i > 0; --i)
    world->run([&] {
      AttachAndExportPolyline(world->session, world->broker, world->platform, context.settings, form);
    });
  reportWorld(context, *world);
}

void runSheetToPolyline(Context& context) {
  auto world = buildWorld(context);
  for (int i = clicksOf(context); i > 0; --i)
    world->run([&] {
      AttachAndDrawPolyline(world->session, world->broker, world->platform, context.settings);
    });
  reportWorld(context, *world);
}

}  // namespace

void registerPolylineTools(ToolTable& tools) {
  tools["PolylineToSheet"] = runPolylineToSheet;
  tools["SheetToPolyline"] = runSheetToPolyline;
}

}  // namespace plotmate::scenario
