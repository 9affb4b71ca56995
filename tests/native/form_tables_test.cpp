// The tables the windows are declared with: events dispatched to the right
// handler, and the pick tools' boxes bound to the right settings (loaded,
// stored at a click and, where the form has an unload step, at closing).

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "measure/pick_tools.h"
#include "shell/form_events.h"

namespace plotmate {
namespace {

struct Recorder {
  std::string heard;
  void Command1_Click() { heard = "Command1_Click"; }
  void Text1_Change(int index) { heard = "Text1_Change(" + std::to_string(index) + ")"; }
  void Text1_Validate(int index) { heard = "Text1_Validate(" + std::to_string(index) + ")"; }
  void Text2_Change() { heard = "Text2_Change"; }
};

constexpr int kClick = 0, kChange = 0x300, kLostFocus = 4;
constexpr FormEvent<Recorder> kEvents[] = {
    {101, kClick, &Recorder::Command1_Click},
    {200, 10, kChange, &Recorder::Text1_Change},
    {200, 10, kLostFocus, &Recorder::Text1_Validate},
    {210, kChange, &Recorder::Text2_Change},  // right after the array
};

TEST(FormEvents, EachNotificationReachesTheHandlerOfItsControlAndKind) {
  struct Case {
    int control, notification;
    const char* heard;  // empty: no entry answers
  };
  const Case cases[] = {
      {101, kClick, "Command1_Click"},
      {101, kChange, ""},  // the button's table has no change event
      {200, kChange, "Text1_Change(0)"},
      {209, kChange, "Text1_Change(9)"},
      {205, kLostFocus, "Text1_Validate(5)"},
      {199, kChange, ""},
      {210, kChange, "Text2_Change"},
      {211, kChange, ""},
      {1, kClick, ""},  // Enter on no button
  };
  for (const auto& c : cases) {
    Recorder window;
    const bool answered = DispatchFormEvent<Recorder>(kEvents, window, c.control, c.notification);
    EXPECT_EQ(window.heard, c.heard) << c.control << "/" << c.notification;
    EXPECT_EQ(answered, !std::string(c.heard).empty()) << c.control << "/" << c.notification;
  }
}

// The window's check boxes, as the bound-box functions see them.
struct Boxes {
  std::map<int, bool> ticked;
  bool checked(int id) const { return ticked.contains(id) && ticked.at(id); }
  void setChecked(int id, bool on) { ticked[id] = on; }
};

template <class Form>
void expectBoxesBound(const PickTool<Form>& tool, std::string_view name, std::int16_t Settings::*key) {
  const auto* box = BoxNamed(tool.boxes, name);
  ASSERT_NE(box, nullptr) << name;
  Settings settings;
  Form form;
  form.Form_Load(settings);
  Boxes view;
  ShowBoxes(view, form, tool.boxes);
  view.ticked[box->id] = true;  // the drafter ticks this one box
  EXPECT_TRUE(ClickBox(view, form, tool.boxes, box->id, settings)) << name;
  EXPECT_EQ(settings.*key, 1) << name << " stores its own setting at the click";
  Settings alone;
  alone.*key = 1;
  EXPECT_EQ(settings, alone) << name << " touches no other setting";
  Form reloaded;
  reloaded.Form_Load(settings);
  Boxes shown;
  ShowBoxes(shown, reloaded, tool.boxes);
  for (const auto& other : tool.boxes) EXPECT_EQ(shown.checked(other.id), other.id == box->id) << name;
  form.*box->value = 0;
  StoreBoxes(view, form, tool.boxes);
  EXPECT_EQ(form.*box->value, 1) << name << " is stored from the window as it shows";
  if constexpr (requires(Settings& s) { form.Form_Unload(s); }) {
    Settings closing;
    form.Form_Unload(closing);
    EXPECT_EQ(closing.*key, 1) << name << " is stored again when the window closes";
  }
}

TEST(PickTools, EachBoxIsBoundToItsOwnSetting) {
  struct Case {
    std::string_view tool, box;
    std::int16_t Settings::*key;
  };
  const Case cases[] = {
      {"ID", "chkboolX", &Settings::X},       {"ID", "chkboolY", &Settings::Y},
      {"ID", "chkboolZ", &Settings::Z},       {"ID", "chkboolText", &Settings::T},
      {"DIST", "chkboolDX", &Settings::DX},   {"DIST", "chkboolDY", &Settings::DY},
      {"DIST", "chkboolDI", &Settings::DI},   {"AREA", "chkboolArea", &Settings::WriteToExcel},
  };
  for (const auto& c : cases) {
    if (c.tool == "ID") expectBoxesBound(PointPickTool(), c.box, c.key);
    if (c.tool == "DIST") expectBoxesBound(DistancePickTool(), c.box, c.key);
    if (c.tool == "AREA") expectBoxesBound(AreaPickTool(), c.box, c.key);
  }
  EXPECT_EQ(PointPickTool().boxes.size() + DistancePickTool().boxes.size() + AreaPickTool().boxes.size(),
            std::size(cases));
}

}  // namespace
}  // namespace plotmate
