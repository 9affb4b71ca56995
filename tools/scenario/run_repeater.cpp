// Scenario tool "Repeater": the repeater window set up from "form", then its
// "Draw" button, on the worksheet stand-in and the drawing stand-in, whose
// command line carries out the lines sent.

#include <string>

#include "repeater/batch_run.h"
#include "repeater/repeater_form.h"
#include "tools/scenario/tools.h"
#include "tools/scenario/world.h"

namespace plotmate::scenario {

namespace {

// "Check1": [1, 0, null, ...]: each box set as a click would set it (null
// leaves it); the click reactions run when a state changes.
template <class Setter>
void setBoxes(const Json& form, const char* key, Setter set) {
  if (!form.contains(key)) return;
  const Json& boxes = form[key];
  if (!boxes.is_array() || boxes.size() > kParameterCount)
    scenarioError(std::string("form: ") + key + " is a list of at most 10 box states");
  for (std::size_t i = 0; i < boxes.size(); ++i)
    if (!boxes[i].is_null()) set(i, boxState(boxes[i], std::string("form: ") + key) != 0);
}

// The window opened from the settings, then what the user did in it, in the
// order a user would: mark, command (a picked template), boxes, typed values.
RepeaterForm formFromJson(const Json& spec, const Settings& settings) {
  RepeaterForm form;
  form.Form_Load(settings);
  const Json& f = spec.value("form", Json::object());
  if (f.contains("Text2")) form.Text2 = f["Text2"].get<std::string>();
  if (f.contains("Combo1")) form.Combo1 = f["Combo1"].get<std::string>();
  if (f.contains("template")) {
    form.Combo1 = f["template"].get<std::string>();
    form.Combo1_Click();
  }
  setBoxes(f, "Check1", [&](std::size_t i, bool on) { form.setCheck1(i, on); });
  setBoxes(f, "Check2", [&](std::size_t i, bool on) { form.setCheck2(i, on); });
  if (f.contains("Text1")) {
    const Json& texts = f["Text1"];
    if (!texts.is_array() || texts.size() > kParameterCount)
      scenarioError("form: Text1 is a list of at most 10 texts");
    for (std::size_t i = 0; i < texts.size(); ++i)
      if (!texts[i].is_null()) form.Text1[i] = texts[i].get<std::string>();
  }
  if (f.contains("Check3")) form.Check3 = boxState(f["Check3"], "form: Check3") != 0;
  return form;
}

Json formJson(const RepeaterForm& form) {
  Json check1 = Json::array(), check2 = Json::array();
  for (std::size_t i = 0; i < kParameterCount; ++i) {
    check1.push_back(form.Check1(i) ? 1 : 0);
    check2.push_back(form.Check2(i) ? 1 : 0);
  }
  return {{"Combo1", form.Combo1},        {"Text2", form.Text2}, {"Label", form.Label},
          {"Text1", form.Text1},          {"Check1", check1},    {"Check2", check2},
          {"Check3", form.Check3 ? 1 : 0}};
}

void runRepeater(Context& context) {
  auto world = buildWorld(context);
  RepeaterForm form = formFromJson(context.spec, context.settings);
  world->run([&] {
    RunCommandForEachRow(form, context.settings, world->session, world->broker, world->platform);
  });
  context.result["form"] = formJson(form);
  reportWorld(context, *world);
}

}  // namespace

void registerRepeaterTools(ToolTable& tools) {
  tools["Repeater"] = runRepeater;
}

}  // namespace plotmate::scenario
