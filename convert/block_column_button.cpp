#include "convert/block_column_button.h"

#include "convert/block_to_column.h"
#include "hosts/excel.h"

namespace plotmate {

void Block2ColumnClick(HostSession& session, HostBroker& broker, Platform& platform,
                       std::int16_t readDirec) {
  AttachExcel(session, broker, platform);
  if (session.ExcelMissing != 0) return;
  ExcelApp excel(session.ExcelApp);
  // What was written before a failure stays written; the failure is said.
  if (auto done = BlockToColumn(excel, readDirec); !done) platform.messageBox(done.error().description);
}

}  // namespace plotmate
