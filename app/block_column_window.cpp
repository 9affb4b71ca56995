#include "app/block_column_window.h"

#include "app/program.h"
#include "convert/block_column_button.h"

namespace plotmate::app {

namespace {

constexpr ControlDesign kControls[] = {
    {BlockColumnWindow::optReadStype0, "optReadStype(0)", ControlKind::OptionButton, "row→",
     "按先行后列的方式读取", {0, 0, 855, 255}, "Arial"},
    {BlockColumnWindow::optReadStype1, "optReadStype(1)", ControlKind::OptionButton, "col↓",
     "按先列后行的方式读取", {0, 240, 855, 255}, "Arial"},
    {BlockColumnWindow::cmdBlock2Column, "cmdBlock2Column", ControlKind::Button, "Block2Column",
     {}, {960, 0, 735, 495}, {}},
};

constexpr WindowDesign kBlockColumnWindow{L"PlotmateEXCEL", "EXCEL", 1716, 540, false, kControls};

}  // namespace

BlockColumnWindow::BlockColumnWindow(Program& program)
    : FormWindow(kBlockColumnWindow), program_(program) {}

void BlockColumnWindow::Form_Load() {
  selectOption(program_.settings.ReadDirec != 0 ? optReadStype0 : optReadStype1);
}

bool BlockColumnWindow::Form_Unload() {
  storeReadingOrder();
  return true;
}

void BlockColumnWindow::command(int id, int notification) {
  if ((id == optReadStype0 || id == optReadStype1) && notification == BN_CLICKED)
    optReadStype_Click(id - optReadStype0);
  if (id == cmdBlock2Column && notification == BN_CLICKED) cmdBlock2Column_Click();
  // Esc closes the window as its close box does.
  if (id == IDCANCEL) PostMessageW(hwnd(), WM_CLOSE, 0, 0);
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
