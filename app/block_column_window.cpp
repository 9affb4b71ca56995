#include "app/block_column_window.h"

#include "app/program.h"
#include "convert/block_column_button.h"

namespace plotmate::app {

namespace {

constexpr ControlDesign kControls[] = {
    {BlockColumnWindow::optReadStype0, ControlKind::OptionButton, "row→",
     "按先行后列的方式读取", {0, 0, 855, 255}, "Arial"},
    {BlockColumnWindow::optReadStype1, ControlKind::OptionButton, "col↓",
     "按先列后行的方式读取", {0, 240, 855, 255}, "Arial"},
    {BlockColumnWindow::cmdBlock2Column, ControlKind::Button, "Block2Column",
     {}, {960, 0, 735, 495}, {}},
};

constexpr WindowDesign kBlockColumnWindow{L"PlotmateEXCEL", "EXCEL", 1716, 540, false, kControls};

}  // namespace

BlockColumnWindow::BlockColumnWindow(Program& program)
    : DeclaredWindow(program.windows, kBlockColumnWindow), program_(program) {}

std::span<const FormEvent<BlockColumnWindow>> BlockColumnWindow::events() {
  static constexpr FormEvent<BlockColumnWindow> kEvents[] = {
      {optReadStype0, 2, kClicked, &BlockColumnWindow::optReadStype_Click},
      {cmdBlock2Column, kClicked, &BlockColumnWindow::cmdBlock2Column_Click},
  };
  return kEvents;
}

void BlockColumnWindow::Form_Load() {
  selectOption(program_.settings.ReadDirec != 0 ? optReadStype0 : optReadStype1);
}

bool BlockColumnWindow::Form_Unload() {
  storeReadingOrder();
  return true;
}

void BlockColumnWindow::optReadStype_Click(int index) {
  // Arrow keys move the check within the group; the tab stop follows it.
  selectOption(optReadStype0 + index);
  storeReadingOrder();
}

void BlockColumnWindow::storeReadingOrder() {
  program_.settings.ReadDirec = checked(optReadStype0) ? -1 : 0;
}

void BlockColumnWindow::cmdBlock2Column_Click() {
  program_.runTool("Block2Column", [this] {
    Block2ColumnClick(program_.session, program_.broker, program_.platform, program_.settings.ReadDirec);
  });
}

}  // namespace plotmate::app
