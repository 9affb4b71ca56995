#pragma once
// The settings window "SET": precision and engineering coordinates. It has
// no buttons; what it shows is stored when it closes.

#include "app/form_window.h"
#include "shell/settings.h"
#include "shell/settings_form.h"

namespace plotmate::app {

class SettingsWindow final : public DeclaredWindow<SettingsWindow> {
 public:
  SettingsWindow(ProgramWindows& windows, Settings& settings);
  static std::span<const FormEvent<SettingsWindow>> events();

  enum Control { Label4 = 101, txtPrec, Label1, chkboolCoor };

 private:
  void Form_Load() override;
  bool Form_Unload() override;
  void chkboolCoor_Click();

  Settings& settings_;
  SETfrm form_;
};

}  // namespace plotmate::app
