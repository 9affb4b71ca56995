#pragma once
// The pick tools' window kind (ID, DIST, AREA): the tool's boxes shown from
// its form model when the window loads, each click stored at once, stored
// again on closing where the model has an unload step, and the button that
// runs the tool (measure/pick_tools.h holds what differs between the three).

#include <memory>

#include "app/form_window.h"
#include "app/program.h"
#include "measure/pick_tools.h"

namespace plotmate::app {

template <class Form>
class PickToolWindow final : public FormWindow {
 public:
  PickToolWindow(Program& program, const WindowDesign& design, const PickTool<Form>& tool)
      : FormWindow(program.windows, design), program_(program), tool_(tool) {}

 private:
  void Form_Load() override {
    form_.Form_Load(program_.settings);
    ShowBoxes(*this, form_, tool_.boxes);
  }

  bool Form_Unload() override {
    if constexpr (requires(Form f, Settings& s) { f.Form_Unload(s); }) {
      StoreBoxes(*this, form_, tool_.boxes);
      form_.Form_Unload(program_.settings);
    }
    return true;
  }

  // The events are the tool's: its boxes, then its button.
  void command(int id, int notification) override {
    if (notification != kClicked || ClickBox(*this, form_, tool_.boxes, id, program_.settings))
      return;
    if (id == tool_.button) button_Click();
  }

  void button_Click() {
    program_.runPickTool(*this, tool_.label, [this] {
      PickDesk desk = program_.pickDesk();
      tool_.run(form_, desk);
    });
  }

  Program& program_;
  const PickTool<Form>& tool_;
  Form form_;
};

// The windows behind the menu's "ID", "DIST" and "AREA".
std::unique_ptr<FormWindow> MakePointWindow(Program& program);
std::unique_ptr<FormWindow> MakeDistanceWindow(Program& program);
std::unique_ptr<FormWindow> MakeAreaWindow(Program& program);

}  // namespace plotmate::app
