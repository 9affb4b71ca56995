#pragma once
// The block-to-column window's button "Block2Column": attaches the
// spreadsheet host and turns the selected block into one column, saying a
// failure in one message. The window, the golden scenarios and the Wine
// tests all run the button through this.

#include <cstdint>

#include "hosts/attach.h"
#include "hosts/broker.h"
#include "hosts/platform.h"

namespace plotmate {

// `readDirec` is the ReadDirec setting (see BlockToColumn).
void Block2ColumnClick(HostSession& session, HostBroker& broker, Platform& platform,
                       std::int16_t readDirec);

}  // namespace plotmate
