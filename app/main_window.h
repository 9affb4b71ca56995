#pragma once
// The main window "PLOTMATE": the two polyline buttons, the crossing-line
// box, the distance tool's text options, and the pop-up menu on its surface.

#include "app/form_window.h"

namespace plotmate::app {

class Program;

class MainWindow final : public DeclaredWindow<MainWindow> {
 public:
  explicit MainWindow(Program& program);
  static std::span<const FormEvent<MainWindow>> events();

  enum Control {
    Command3 = 101,
    Command4,
    chkboolIntersect,
    chkboolchgtxt,
    Label2,
    txtPref,
    Label3,
    txtSuf,
  };

 private:
  void Form_Load() override;
  bool Form_Unload() override;
  bool message(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

  void Command3_Click();
  void Command4_Click();
  void chkboolIntersect_Click();
  void chkboolchgtxt_Click();
  void txtPref_Change();
  void txtSuf_Change();
  void Form_MouseDown(int button, POINT screen);
  void menuEntry_Click(int entry);
  void ABOUT_Click();

  Program& program_;
};

}  // namespace plotmate::app
