// Scenario tool "BlockToColumn": the button of the block-to-column window.

#include "convert/block_to_column.h"
#include "hosts/excel.h"
#include "tools/scenario/tools.h"
#include "tools/scenario/world.h"

namespace plotmate::scenario {

namespace {

void runBlockToColumn(Context& context) {
  auto world = buildWorld(context);
  world->run([&] {
    AttachExcel(world->session, world->broker, world->platform);
    if (world->session.ExcelMissing != 0) return;
    ExcelApp excel(world->session.ExcelApp);
    if (auto done = BlockToColumn(excel, context.settings.ReadDirec); !done)
      world->platform.messageBox(done.error().description);
  });
  reportWorld(context, *world);
}

}  // namespace

void registerConverterTools(ToolTable& tools) { tools["BlockToColumn"] = runBlockToColumn; }

}  // namespace plotmate::scenario
