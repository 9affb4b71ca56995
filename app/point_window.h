#pragma once
// The point tool's window "ID": which coordinates to record (and a picked
// text), stored at once on a click, and "PikPt", which picks until cancelled.

#include "app/form_window.h"
#include "measure/id_form.h"

namespace plotmate::app {

class Program;

class PointWindow final : public FormWindow {
 public:
  explicit PointWindow(Program& program);

  enum Control { Command2 = 101, chkboolX, chkboolY, chkboolZ, chkboolText, label1 };

 private:
  void Form_Load() override;
  bool Form_Unload() override;
  void command(int id, int notification) override;

  void Command2_Click();

  Program& program_;
  Idfrm form_;
};

}  // namespace plotmate::app
