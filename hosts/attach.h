#pragma once
// Attaching to the running drawing and spreadsheet hosts. The kept objects
// live for the whole process and are refreshed by every attach.

#include <cstdint>
#include <string>

#include "hosts/broker.h"
#include "hosts/dispatch.h"
#include "hosts/platform.h"

namespace plotmate {

struct HostSession {
  DispatchPtr AcadApp;
  DispatchPtr AcadDoc;         // the active document at the last attach
  DispatchPtr AcadModelSpace;  // that document's model space
  std::int16_t AcadMissing = 0;  // 0, or -1 when the last attach found no drawing host

  DispatchPtr ExcelApp;
  std::int16_t ExcelMissing = 0;

  // The class names that answered at the last attach ("ZWCAD.Application",
  // "KET.Application"); empty before the first.
  std::string acadProgId;
  std::string excelProgId;
};

inline constexpr std::string_view kAcadMissingMessage = "AutoCAD可能未打开！";
inline constexpr std::string_view kExcelMissingMessage = "Excel可能未打开！";
// The drawing host runs but has no drawing open for a tool to work in.
inline constexpr std::string_view kNoDrawingMessage = "AutoCAD中没有打开的图形！";

// Binds to the running drawing host, or shows the missing-host message and
// sets AcadMissing. After the application is found, each further step that
// fails is skipped and leaves its object as it was.
void AttachAcad(HostSession& session, HostBroker& broker, Platform& platform);
// Binds to the running spreadsheet host, or shows its message and sets ExcelMissing.
void AttachExcel(HostSession& session, HostBroker& broker, Platform& platform);

}  // namespace plotmate
