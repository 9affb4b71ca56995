#pragma once
// The area tool's window "AREA": whether the area goes to the worksheet,
// stored at once on a click, and "AREA", which measures the region around a
// picked point.

#include "app/form_window.h"
#include "measure/area_form.h"

namespace plotmate::app {

class Program;

class AreaWindow final : public FormWindow {
 public:
  explicit AreaWindow(Program& program);

  enum Control { Command6 = 101, chkboolArea, Label8 };

 private:
  void Form_Load() override;
  void command(int id, int notification) override;

  void Command6_Click();

  Program& program_;
  Areafrm form_;
};

}  // namespace plotmate::app
