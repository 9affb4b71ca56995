#pragma once
// A small host that the servers offer until they serve the drawing and
// worksheet stand-ins: members that exercise every kind of value, by-reference
// outputs, errors and object identity across the COM boundary.
//
//   Echo(x) -> x                  KindOf(x) -> "double", "list", ...
//   PickEntity(entity, point [, prompt])  writes Child and a 3-D point back
//   Fail(code, description)       fails with that error
//   Child -> the same object each time;  NewChild -> a new one each time
//   IsChild(object) -> whether it is this object's Child
//   CountOwn(list) -> how many items are objects of this host
//   Value (read/write)   Sum(list of numbers)   Calls -> calls received so far
//
// With the fault and call-log members of every stand-in server.

#include <string>

#include "sim/apps/server_control.h"

namespace plotmate::sim {

ServedHost makeTestHost(std::string name);

}  // namespace plotmate::sim
