#pragma once
// The block-to-column window "EXCEL": the reading order of the selected
// block as an option group, and the button that writes the block as one
// column below itself.

#include "app/form_window.h"

namespace plotmate::app {

class Program;

class BlockColumnWindow final : public DeclaredWindow<BlockColumnWindow> {
 public:
  explicit BlockColumnWindow(Program& program);
  static std::span<const FormEvent<BlockColumnWindow>> events();

  enum Control { optReadStype0 = 101, optReadStype1, cmdBlock2Column };

 private:
  void Form_Load() override;
  bool Form_Unload() override;

  void optReadStype_Click(int index);
  void cmdBlock2Column_Click();
  // ReadDirec as the option group shows it: -1 row by row, 0 column by column.
  void storeReadingOrder();

  Program& program_;
};

}  // namespace plotmate::app
