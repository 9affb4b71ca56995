#include "tools/scenario/main_form_io.h"

namespace plotmate::scenario {

namespace {

std::int16_t box(const Json& value, const std::string& name) {
  if (!value.is_number_integer()) scenarioError("mainForm: " + name + " must be 0 or 1");
  return boxState(value, "mainForm: " + name);
}

std::string text(const Json& value, const std::string& name) {
  if (!value.is_string()) scenarioError("mainForm: " + name + " must be a text");
  return value.get<std::string>();
}

}  // namespace

MainForm mainFormFromJson(const Json& spec) {
  MainForm form;
  const Json controls = spec.value("mainForm", Json::object());
  for (const auto& [name, value] : controls.items()) {
    if (name == "chkboolIntersect") form.chkboolIntersect = box(value, name);
    else if (name == "chkboolchgtxt") form.chkboolchgtxt = box(value, name);
    else if (name == "txtPref") form.txtPref = text(value, name);
    else if (name == "txtSuf") form.txtSuf = text(value, name);
    else scenarioError("mainForm: unknown control \"" + name + "\"");
  }
  return form;
}

}  // namespace plotmate::scenario
