#pragma once
// The programs Plotmate attaches to, by kind: AutoCAD and the drawing
// programs that publish its automation model under their own class names,
// Excel and WPS Spreadsheets. Each list is in the order attach tries it; the
// first entry is the program the tools' texts name ("AutoCAD", "Excel").

#include <span>
#include <string>
#include <string_view>

namespace plotmate {

enum class HostKind { Drawing, Spreadsheet };

struct HostProgram {
  std::string_view progId;
  std::string_view name;  // the name a drafter knows the program by
};

// The class names tried for a kind, in order.
std::span<const HostProgram> hostPrograms(HostKind kind);

// "ZWCAD.Application" -> "ZWCAD". Any other class name: its part before the
// first dot ("Plotmate.TestHost" -> "Plotmate").
std::string_view programName(std::string_view progId);

// The line added to the missing-host message: the compatible programs that
// were looked for too (every program of the kind after the first).
std::string alsoLookedFor(HostKind kind);

}  // namespace plotmate
