#pragma once
// The drawing stand-in's automation objects with their declared members.

#include <string>
#include <vector>

#include "sim/declared_interface.h"

namespace plotmate::sim {

std::vector<DeclaredInterface> drawingInterfaces();
// The type library's IDL (committed beside the test that compiles it).
std::string drawingTypeLibraryIdl();

}  // namespace plotmate::sim
