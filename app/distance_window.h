#pragma once
// The distance tool's window "DIST": which of dX, dY and the distance to
// record, stored at once on a click, and "Dist", which measures pairs of
// picked points until the drafter cancels.

#include "app/form_window.h"
#include "measure/dist_form.h"

namespace plotmate::app {

class Program;

class DistanceWindow final : public FormWindow {
 public:
  explicit DistanceWindow(Program& program);

  enum Control { Command1 = 101, chkboolDI, chkboolDY, chkboolDX };

 private:
  void Form_Load() override;
  bool Form_Unload() override;
  void command(int id, int notification) override;

  void Command1_Click();

  Program& program_;
  Distfrm form_;
};

}  // namespace plotmate::app
