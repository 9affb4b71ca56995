#include "sim/host_profile.h"

#include <limits>

namespace plotmate::sim {

namespace {

HostProfile profile(std::string_view id, HostKind kind, std::vector<std::string_view> progIds,
                    std::string_view title, std::string_view name) {
  HostProfile made;
  made.id = id;
  made.kind = kind;
  made.progIds = std::move(progIds);
  made.title = title;
  made.name = name;
  return made;
}

std::vector<HostProfile> makeProfiles() {
  using K = HostKind;
  std::vector<HostProfile> all{
      profile("autocad", K::Drawing, {"AutoCAD.Application"}, "Autodesk AutoCAD 2024 - [NAME.dwg]", "AutoCAD"),
      profile("autocad-old", K::Drawing, {"AutoCAD.Application"}, "AutoCAD 2008 - [NAME.dwg]", "AutoCAD"),
      profile("zwcad", K::Drawing, {"ZWCAD.Application"}, "ZWCAD 2026 - [NAME.dwg]", "ZWCAD"),
      profile("gstarcad", K::Drawing, {"Gcad.Application", "GStarCAD.Application"},
              "GstarCAD 2024 - [NAME.dwg]", "GstarCAD"),
      profile("bricscad", K::Drawing, {"BricscadApp.AcadApplication"}, "BricsCAD V24 - [NAME.dwg]", "BricsCAD"),
      profile("intellicad", K::Drawing, {"Icad.Application"}, "IntelliCAD - [NAME.dwg]", "IntelliCAD"),
      profile("excel", K::Spreadsheet, {"Excel.Application"}, "NAME - Excel", "Microsoft Excel"),
      profile("excel-old", K::Spreadsheet, {"Excel.Application"}, "Microsoft Excel - NAME", "Microsoft Excel"),
      profile("wps", K::Spreadsheet, {"KET.Application"}, "NAME - WPS 表格", "WPS 表格"),
      profile("wps-office", K::Spreadsheet, {"KET.Application"}, "WPS Office", "WPS 表格"),
      // WPS set to take over Microsoft's class names: it then says it is Excel.
      profile("wps-as-excel", K::Spreadsheet, {"Excel.Application"}, "NAME - WPS 表格", "Microsoft Excel"),
  };
  all[3].refusesFilteredSelection = true;
  all[5].missingMembers = {"IntersectWith", "TranslateCoordinates"};
  for (std::size_t wps : {8, 9, 10}) all[wps].answersWiderArrays = true;
  all[9].childWindowHandle = true;
  all[10].childWindowHandle = true;
  return all;
}

}  // namespace

const std::vector<HostProfile>& allProfiles() {
  static const std::vector<HostProfile> profiles = makeProfiles();
  return profiles;
}

const HostProfile& defaultProfile(HostKind kind) {
  return allProfiles()[kind == HostKind::Drawing ? 0 : 6];
}

const HostProfile* findProfile(std::string_view id) {
  for (const auto& profile : allProfiles())
    if (profile.id == id) return &profile;
  return nullptr;
}

std::string windowTitle(const HostProfile& profile, std::string_view document) {
  const auto dot = document.rfind('.');
  const std::string_view name = dot == std::string_view::npos ? document : document.substr(0, dot);
  std::string title(profile.title);
  if (const auto at = title.find("NAME"); at != std::string::npos) title.replace(at, 4, name);
  return title;
}

Variant windowHandleAnswer(std::int64_t handle) {
  if (handle >= std::numeric_limits<std::int32_t>::min() && handle <= std::numeric_limits<std::int32_t>::max()) return static_cast<std::int32_t>(handle);
  return static_cast<double>(handle);
}

}  // namespace plotmate::sim
