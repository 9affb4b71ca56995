#include "hosts/host_programs.h"

#include <array>

#include "hosts/dispatch.h"

namespace plotmate {

namespace {

// Versioned class names ("AutoCAD.Application.24.3") are left out: each
// program also registers the name without a version, which finds whatever
// release is running.
constexpr std::array kDrawingPrograms{
    HostProgram{"AutoCAD.Application", "AutoCAD"},
    HostProgram{"ZWCAD.Application", "ZWCAD"},
    HostProgram{"Gcad.Application", "GstarCAD"},
    HostProgram{"GStarCAD.Application", "GstarCAD"},
    HostProgram{"BricscadApp.AcadApplication", "BricsCAD"},
    HostProgram{"Icad.Application", "IntelliCAD"},
};
constexpr std::array kSpreadsheetPrograms{
    HostProgram{"Excel.Application", "Excel"},
    HostProgram{"KET.Application", "WPS 表格"},
    HostProgram{"ET.Application", "WPS 表格"},
};

}  // namespace

std::span<const HostProgram> hostPrograms(HostKind kind) {
  if (kind == HostKind::Drawing) return kDrawingPrograms;
  return kSpreadsheetPrograms;
}

std::string_view programName(std::string_view progId) {
  for (auto kind : {HostKind::Drawing, HostKind::Spreadsheet})
    for (const auto& program : hostPrograms(kind))
      if (lowerAscii(program.progId) == lowerAscii(progId)) return program.name;
  return progId.substr(0, progId.find('.'));
}

std::string alsoLookedFor(HostKind kind) {
  std::string names;
  for (const auto& program : hostPrograms(kind).subspan(1)) {
    if (names.find(program.name) != std::string::npos) continue;  // one name, two class names
    if (!names.empty()) names += "、";
    names += program.name;
  }
  return "也查找了兼容程序 " + names + "，均未运行。";
}

}  // namespace plotmate
