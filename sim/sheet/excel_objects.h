#pragma once
// The spreadsheet stand-in as the tools see it: an "Excel.Application"
// automation object over one worksheet, behind the same Dispatch interface the
// real host is reached through.

#include <memory>

#include "sim/sheet/worksheet.h"
#include "sim/sim_object.h"

namespace plotmate::sim {

struct ExcelStandIn {
  DispatchPtr application;               // class "Application"
  std::shared_ptr<HostContext> context;  // call log and injected faults of every object
};

// The application over `sheet` as its active sheet. With a null sheet it
// behaves as Excel with no workbook open: ActiveCell, Selection and
// ActiveSheet are Nothing, Cells and Range raise error 1004.
ExcelStandIn makeExcelStandIn(std::shared_ptr<Worksheet> sheet);

}  // namespace plotmate::sim
