#include "app/settings_window.h"

namespace plotmate::app {

namespace {

constexpr ControlDesign kControls[] = {
    {SettingsWindow::Label4, ControlKind::Label, "精度(保留小数点后位数)", {},
     {120, 120, 2052, 192}, {}},
    {SettingsWindow::txtPrec, ControlKind::TextBox, "3", "精度", {2160, 120, 312, 270},
     {}},
    {SettingsWindow::Label1, ControlKind::Label, "是否使用工程坐标系", {},
     {120, 480, 1812, 252}, {}},
    {SettingsWindow::chkboolCoor, ControlKind::CheckBox, "YOX", {},
     {2040, 480, 732, 180}, {}},
};

constexpr WindowDesign kSettingsWindow{L"PlotmateSET", "SET", 2760, 804, false, kControls};

}  // namespace

SettingsWindow::SettingsWindow(ProgramWindows& windows, Settings& settings)
    : DeclaredWindow(windows, kSettingsWindow), settings_(settings) {}

std::span<const FormEvent<SettingsWindow>> SettingsWindow::events() {
  static constexpr FormEvent<SettingsWindow> kEvents[] = {
      {chkboolCoor, kClicked, &SettingsWindow::chkboolCoor_Click},
  };
  return kEvents;
}

void SettingsWindow::Form_Load() {
  form_.Form_Load(settings_);
  setText(txtPrec, form_.txtPrec);
  setChecked(chkboolCoor, form_.coordinatesTicked());
}

bool SettingsWindow::Form_Unload() {
  form_.txtPrec = text(txtPrec);
  form_.Form_Unload(settings_);
  return true;
}

void SettingsWindow::chkboolCoor_Click() { form_.chkboolCoor_Click(checked(chkboolCoor)); }

}  // namespace plotmate::app
