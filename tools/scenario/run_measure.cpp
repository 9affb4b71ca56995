// Scenario tools "IdentifyPoints", "MeasureDistance" and "MeasureArea": the
// buttons of the ID, DIST and AREA windows. The window loads from the
// settings, the boxes named in "toolForm" are clicked to their values (so
// they reach the settings as a drafter's clicks would), then the button is
// clicked "clicks" times (default 1), each run taking the next queued picks.
//
// "toolForm": {"chkboolX": 1, "chkboolText": 0}  (ID: chkboolX, chkboolY,
//   chkboolZ, chkboolText; DIST: chkboolDX, chkboolDY, chkboolDI; AREA: chkboolArea)
// "mainForm": {"chkboolchgtxt": 1, "txtPref": "L="}  (read by the distance tool)

#include <utility>
#include <vector>

#include "measure/pick_tools.h"
#include "tools/scenario/main_form_io.h"
#include "tools/scenario/tools.h"
#include "tools/scenario/world.h"

namespace plotmate::scenario {

namespace {

// The boxes "toolForm" names, with their values, in the order given.
std::vector<std::pair<std::string, std::int16_t>> toolFormBoxes(const Context& context) {
  std::vector<std::pair<std::string, std::int16_t>> boxes;
  const Json form = context.spec.value("toolForm", Json::object());
  for (const auto& [name, value] : form.items()) {
    if (!value.is_number_integer()) scenarioError("toolForm: " + name + " must be 0 or 1");
    boxes.emplace_back(name, boxState(value, "toolForm: " + name));
  }
  return boxes;
}

// The box a scenario clicks, showing the value it gives.
struct ScenarioBox {
  std::int16_t value;
  bool checked(int) const { return value != 0; }
};

// Each box named goes to its form model's click handler with its value, as
// the window hands a drafter's click on.
template <class Form>
void clickBoxes(const Context& context, const PickTool<Form>& tool, Form& form, Settings& settings) {
  for (const auto& [name, value] : toolFormBoxes(context)) {
    const auto* box = BoxNamed(tool.boxes, name);
    if (!box) scenarioError("toolForm: unknown control \"" + name + "\"");
    ClickBox(ScenarioBox{value}, form, tool.boxes, box->id, settings);
  }
}

// The window's life in one go: loaded from the settings, boxes clicked, the
// button clicked "clicks" times through the tool's own run.
template <class Form>
void runPickTool(Context& context, const PickTool<Form>& tool) {
  auto world = buildWorld(context);
  const MainForm mainForm = mainFormFromJson(context.spec);
  AcadSelectionSet textSet;  // the kept "ss", alive across clicks as in the program
  PickDesk desk{{world->broker, world->session, world->platform}, context.settings, mainForm, textSet};
  Form form;
  form.Form_Load(context.settings);
  clickBoxes(context, tool, form, context.settings);
  for (int i = clicksOf(context); i > 0; --i) world->run([&] { tool.run(form, desk); });
  reportWorld(context, *world);
}

}  // namespace

void registerMeasureTools(ToolTable& tools) {
  tools["IdentifyPoints"] = [](Context& context) { runPickTool(context, PointPickTool()); };
  tools["MeasureDistance"] = [](Context& context) { runPickTool(context, DistancePickTool()); };
  tools["MeasureArea"] = [](Context& context) { runPickTool(context, AreaPickTool()); };
}

}  // namespace plotmate::scenario
