#pragma once
// The repeater window "SCR": a drawing-host command with up to ten
// parameters, each typed or read from the worksheet, and "Draw", which runs
// it once per selected row. The command box's templates apply when an item
// is chosen and when the focus leaves the box, also to "Draw".

#include "app/form_window.h"
#include "repeater/repeater_form.h"

namespace plotmate::app {

class Program;

class RepeaterWindow final : public DeclaredWindow<RepeaterWindow> {
 public:
  explicit RepeaterWindow(Program& program);
  static std::span<const FormEvent<RepeaterWindow>> events();

  // Groups of ten: the element with index i has the id first + i.
  enum Control {
    Combo1 = 101, Label11, Label12, Text2, Label13, Check3, Command1,
    Text1 = 200, Check1 = 220, Check2 = 240, Label = 260,
  };

 private:
  void Form_Load() override;
  bool Form_Unload() override;

  void Combo1_Click();
  void Combo1_Validate();
  void Command1_Click();
  void Text1_Change(int index);
  void Text2_Change();
  void Check1_Click(int index);
  void Check2_Click(int index);
  void Check3_Click();
  // The parameters' captions, texts and boxes as the form holds them.
  void showParameters();

  Program& program_;
  RepeaterForm form_;
};

}  // namespace plotmate::app
