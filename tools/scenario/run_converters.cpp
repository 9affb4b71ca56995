// Scenario tool "BlockToColumn": the button of the block-to-column window.

#include "convert/block_column_button.h"
#include "tools/scenario/tools.h"
#include "tools/scenario/world.h"

namespace plotmate::scenario {

namespace {

void runBlockToColumn(Context& context) {
  auto world = buildWorld(context);
  world->run([&] {
    Block2ColumnClick(world->session, world->broker, world->platform, context.settings.ReadDirec);
  });
  reportWorld(context, *world);
}

}  // namespace

void registerConverterTools(ToolTable& tools) { tools["BlockToColumn"] = runBlockToColumn; }

}  // namespace plotmate::scenario
