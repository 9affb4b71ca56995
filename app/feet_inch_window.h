#pragma once
// The feet-inch converter "CONV": the length typed in Text1 shows in
// millimetres in Text2 at every change; messages show there too, never in a box.

#include "app/form_window.h"

namespace plotmate::app {

class FeetInchWindow final : public DeclaredWindow<FeetInchWindow> {
 public:
  explicit FeetInchWindow(ProgramWindows& windows);
  static std::span<const FormEvent<FeetInchWindow>> events();

  enum Control { Text1 = 101, Label6, Text2, Label7 };

 private:
  void Form_Load() override;

  void Text1_Click();
  void Text1_Change();
};

}  // namespace plotmate::app
