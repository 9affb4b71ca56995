#pragma once
// A tool window that is not built yet: a window of its own, single-instance
// and opened at the stored place like the finished ones, saying what it will do.

#include "app/form_window.h"
#include "shell/main_menu.h"

namespace plotmate::app {

class ToolPlaceholderWindow final : public FormWindow {
 public:
  explicit ToolPlaceholderWindow(MenuAction action);

  enum Control { Label1 = 101 };

 private:
  void command(int id, int notification) override;
};

}  // namespace plotmate::app
