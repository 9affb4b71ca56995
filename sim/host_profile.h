#pragma once
// Which program a stand-in host poses as: the class names it registers
// under, its main window's title, its Application.Name, and the ways the
// program is known to differ from AutoCAD and Excel. Built from each
// program's public documentation and public test suites, not from the
// programs themselves.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "hosts/host_programs.h"
#include "hosts/variant.h"

namespace plotmate::sim {

struct HostProfile {
  std::string_view id;  // as given to --profile
  HostKind kind = HostKind::Drawing;
  std::vector<std::string_view> progIds;  // registered under each
  std::string_view title;                 // NAME stands for the document's name
  std::string_view name;                  // Application.Name
  // Hwnd answers a child of the main window, not the window itself (WPS).
  bool childWindowHandle = false;
  // A range's Value answers an array larger than the range (WPS, reported).
  bool answersWiderArrays = false;
  // SelectByPolygon with filter codes fails (GstarCAD).
  bool refusesFilteredSelection = false;
  // Members the program's application objects lack (IntelliCAD).
  std::vector<std::string_view> missingMembers;
};

// Today's AutoCAD and Excel.
const HostProfile& defaultProfile(HostKind kind);
// A profile by its id; null when there is none.
const HostProfile* findProfile(std::string_view id);
const std::vector<HostProfile>& allProfiles();

// The main window's title for a document ("plan.dwg", "Book1.csv"): NAME
// replaced by the document's name without its extension.
std::string windowTitle(const HostProfile& profile, std::string_view document);

// A window handle as the hosts' Application.HWND answers it: a 32-bit
// integer, or a wider number when it does not fit.
Variant windowHandleAnswer(std::int64_t handle);

}  // namespace plotmate::sim
