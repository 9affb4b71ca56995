#pragma once
// For the harness and tests only, never the product: attaching to a server
// that is still starting. Right after the prefix boots, the Running Object
// Table answers 0x800706BA until rpcss runs, and a server that was just
// launched is not registered yet (MK_E_UNAVAILABLE); both are waited out.

#include <chrono>
#include <string_view>

#include "hosts/broker.h"

namespace plotmate::sim {

Result<DispatchPtr> attachWhenUp(HostBroker& broker, std::string_view progId,
                                 std::chrono::milliseconds timeout);

// Waits until `progId` is no longer in the Running Object Table.
bool waitUntilGone(HostBroker& broker, std::string_view progId,
                   std::chrono::milliseconds timeout);

}  // namespace plotmate::sim
