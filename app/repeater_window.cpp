#include "app/repeater_window.h"

#include "app/program.h"
#include "app/wide_text.h"
#include "repeater/batch_run.h"

namespace plotmate::app {

namespace {

// Table order is focus order: parameter 1's box, the worksheet boxes, the
// other parameter boxes, "Draw", the pair boxes, the Enter mark, AutoNext,
// the command box and the last pair box.
constexpr ControlDesign kControls[] = {
    {RepeaterWindow::Text1 + 0, ControlKind::TextBox, "", {}, {840, 840, 1095, 285}, {}},
    {RepeaterWindow::Check1 + 0, ControlKind::CheckBox, "", "勾选表示此参数从excel读取", {2040, 840, 195, 195}, {}},
    {RepeaterWindow::Check1 + 1, ControlKind::CheckBox, "", {}, {2040, 1200, 195, 195}, {}},
    {RepeaterWindow::Check1 + 2, ControlKind::CheckBox, "", {}, {2040, 1560, 195, 195}, {}},
    {RepeaterWindow::Check1 + 3, ControlKind::CheckBox, "", {}, {2040, 1920, 195, 195}, {}},
    {RepeaterWindow::Check1 + 4, ControlKind::CheckBox, "", {}, {2040, 2280, 195, 195}, {}},
    {RepeaterWindow::Check1 + 5, ControlKind::CheckBox, "", {}, {4320, 840, 195, 195}, {}},
    {RepeaterWindow::Check1 + 6, ControlKind::CheckBox, "", {}, {4320, 1200, 195, 195}, {}},
    {RepeaterWindow::Check1 + 7, ControlKind::CheckBox, "", {}, {4320, 1560, 195, 195}, {}},
    {RepeaterWindow::Check1 + 8, ControlKind::CheckBox, "", {}, {4320, 1920, 195, 195}, {}},
    {RepeaterWindow::Check1 + 9, ControlKind::CheckBox, "", {}, {4320, 2280, 195, 195}, {}},
    {RepeaterWindow::Text1 + 1, ControlKind::TextBox, "", {}, {840, 1200, 1095, 285}, {}},
    {RepeaterWindow::Text1 + 2, ControlKind::TextBox, "", {}, {840, 1560, 1095, 285}, {}},
    {RepeaterWindow::Text1 + 3, ControlKind::TextBox, "", {}, {840, 1920, 1095, 285}, {}},
    {RepeaterWindow::Text1 + 4, ControlKind::TextBox, "", {}, {840, 2280, 1095, 285}, {}},
    {RepeaterWindow::Text1 + 5, ControlKind::TextBox, "", {}, {3120, 840, 1095, 285}, {}},
    {RepeaterWindow::Text1 + 6, ControlKind::TextBox, "", {}, {3120, 1200, 1095, 285}, {}},
    {RepeaterWindow::Text1 + 7, ControlKind::TextBox, "", {}, {3120, 1560, 1095, 285}, {}},
    {RepeaterWindow::Text1 + 8, ControlKind::TextBox, "", {}, {3120, 1920, 1095, 285}, {}},
    {RepeaterWindow::Text1 + 9, ControlKind::TextBox, "", {}, {3120, 2280, 1095, 285}, {}},
    {RepeaterWindow::Command1, ControlKind::Button, "Draw", "在AutoCAD中执行此命令", {4200, 2640, 615, 495}, {}},
    {RepeaterWindow::Check2 + 0, ControlKind::CheckBox, "", "勾选表示这相邻两参数是坐标值", {2280, 1080, 180, 195}, {}},
    {RepeaterWindow::Check2 + 1, ControlKind::CheckBox, "", {}, {2280, 1440, 180, 195}, {}},
    {RepeaterWindow::Check2 + 2, ControlKind::CheckBox, "", {}, {2280, 1800, 180, 195}, {}},
    {RepeaterWindow::Check2 + 3, ControlKind::CheckBox, "", {}, {2280, 2160, 180, 195}, {}},
    {RepeaterWindow::Check2 + 4, ControlKind::CheckBox, "", {}, {2280, 2400, 180, 195}, {}},
    {RepeaterWindow::Check2 + 5, ControlKind::CheckBox, "", {}, {4560, 1080, 180, 195}, {}},
    {RepeaterWindow::Check2 + 6, ControlKind::CheckBox, "", {}, {4560, 1440, 180, 195}, {}},
    {RepeaterWindow::Check2 + 7, ControlKind::CheckBox, "", {}, {4560, 1800, 180, 195}, {}},
    {RepeaterWindow::Check2 + 8, ControlKind::CheckBox, "", {}, {4560, 2160, 180, 195}, {}},
    {RepeaterWindow::Text2, ControlKind::TextBox, "$", {}, {4200, 480, 375, 285}, {}},
    {RepeaterWindow::Check3, ControlKind::CheckBox, "AutoNext", {}, {600, 2760, 1200, 255}, {}},
    {RepeaterWindow::Combo1, ControlKind::ComboBox, "请选择命令", {}, {2280, 240, 1335, 1500}, {}},
    {RepeaterWindow::Check2 + 9, ControlKind::CheckBox, "", {}, {4680, 2400, 180, 195}, {}},
    // Labels take no focus: their place in the table does not matter.
    {RepeaterWindow::Label11, ControlKind::Label, "Command:", "要执行的命令，如text,insert等，可用简写，如dt,i", {600, 240, 1560, 255}, {}},
    {RepeaterWindow::Label12, ControlKind::Label, "EnterMark", "自定义回车标记", {3960, 240, 900, 255}, {}},
    {RepeaterWindow::Label + 0, ControlKind::Label, "Para1", "命令参数,与command相对应，当command需要一回车时，用EnterMark定义的字符填写", {240, 840, 600, 255}, {}},
    {RepeaterWindow::Label + 1, ControlKind::Label, "Para2", {}, {240, 1200, 600, 255}, {}},
    {RepeaterWindow::Label + 2, ControlKind::Label, "Para3", {}, {240, 1560, 600, 255}, {}},
    {RepeaterWindow::Label + 3, ControlKind::Label, "Para4", {}, {240, 1920, 600, 255}, {}},
    {RepeaterWindow::Label + 4, ControlKind::Label, "Para5", {}, {240, 2280, 600, 255}, {}},
    {RepeaterWindow::Label + 5, ControlKind::Label, "Para6", {}, {2520, 840, 600, 255}, {}},
    {RepeaterWindow::Label + 6, ControlKind::Label, "Para7", {}, {2520, 1200, 600, 255}, {}},
    {RepeaterWindow::Label + 7, ControlKind::Label, "Para8", {}, {2520, 1560, 600, 255}, {}},
    {RepeaterWindow::Label + 8, ControlKind::Label, "Para9", {}, {2520, 1920, 600, 255}, {}},
    {RepeaterWindow::Label + 9, ControlKind::Label, "Para10", {}, {2520, 2280, 600, 255}, {}},
    {RepeaterWindow::Label13, ControlKind::Label, "勾选表示这相邻两参数构成坐标值", {}, {2640, 2640, 1500, 495}, {}},
};

constexpr WindowDesign kRepeaterWindow{L"PlotmateSCR", "SCR", 4872, 3240, false, kControls};

}  // namespace

RepeaterWindow::RepeaterWindow(Program& program)
    : DeclaredWindow(program.windows, kRepeaterWindow), program_(program) {}

std::span<const FormEvent<RepeaterWindow>> RepeaterWindow::events() {
  constexpr int n = kParameterCount;
  using W = RepeaterWindow;
  static constexpr FormEvent<RepeaterWindow> kEvents[] = {
      {Combo1, CBN_SELCHANGE, &W::Combo1_Click},
      {Combo1, CBN_KILLFOCUS, &W::Combo1_Validate},
      {Text1, n, kChanged, &W::Text1_Change},
      {Text2, kChanged, &W::Text2_Change},
      {Command1, kClicked, &W::Command1_Click},
      {Check1, n, kClicked, &W::Check1_Click},
      {Check2, n, kClicked, &W::Check2_Click},
      {Check3, kClicked, &W::Check3_Click},
  };
  return kEvents;
}

void RepeaterWindow::Form_Load() {
  form_.Form_Load(program_.settings);
  for (const auto& item : form_.Combo1Items)
    SendMessageW(control(Combo1), CB_ADDSTRING, 0,
                 reinterpret_cast<LPARAM>(wide(item).c_str()));
  // Showing the stored command applies no template: the captions stay.
  setText(Combo1, form_.Combo1);
  setText(Text2, form_.Text2);
  setChecked(Check3, form_.Check3);
  showParameters();
}

bool RepeaterWindow::Form_Unload() {
  form_.Combo1 = text(Combo1);
  form_.Text2 = text(Text2);
  form_.Check3 = checked(Check3);
  form_.Form_Unload(program_.settings);
  return true;
}

void RepeaterWindow::Text1_Change(int index) {
  form_.Text1[static_cast<std::size_t>(index)] = text(Text1 + index);
}

void RepeaterWindow::Text2_Change() { form_.Text2 = text(Text2); }

// A box the drafter clicks runs its reaction in the form, which may tick
// other boxes and fill parameter boxes: the window shows the outcome.
void RepeaterWindow::Check1_Click(int index) {
  form_.setCheck1(static_cast<std::size_t>(index), checked(Check1 + index));
  showParameters();
}

void RepeaterWindow::Check2_Click(int index) {
  form_.setCheck2(static_cast<std::size_t>(index), checked(Check2 + index));
  showParameters();
}

void RepeaterWindow::Check3_Click() { form_.Check3 = checked(Check3); }

void RepeaterWindow::Combo1_Click() {
  // The box's text changes only after this notification: the chosen item is read.
  const auto chosen = SendMessageW(control(Combo1), CB_GETCURSEL, 0, 0);
  if (chosen < 0) return;
  const auto index = static_cast<std::size_t>(chosen);
  if (index >= form_.Combo1Items.size()) return;
  form_.Combo1 = form_.Combo1Items[index];
  form_.Combo1_Click();
  showParameters();
}

void RepeaterWindow::Combo1_Validate() {
  form_.Combo1 = text(Combo1);
  form_.Combo1_Validate();
  showParameters();
}

void RepeaterWindow::Command1_Click() {
  program_.runTool("Draw", [this] {
    RunCommandForEachRow(form_, program_.settings, program_.session, program_.broker,
                         program_.platform);
  });
  showParameters();
}

// Only what differs is set, so that a box being typed in keeps its caret.
void RepeaterWindow::showParameters() {
  for (std::size_t i = 0; i < kParameterCount; ++i) {
    const int n = static_cast<int>(i);
    if (text(Label + n) != form_.Label[i]) setText(Label + n, form_.Label[i]);
    if (text(Text1 + n) != form_.Text1[i]) setText(Text1 + n, form_.Text1[i]);
    setChecked(Check1 + n, form_.Check1(i));
    setChecked(Check2 + n, form_.Check2(i));
  }
}

}  // namespace plotmate::app
