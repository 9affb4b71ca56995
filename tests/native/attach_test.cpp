#include "hosts/attach.h"

#include <gtest/gtest.h>

#include "hosts/host_window.h"
#include "sim/recording_platform.h"
#include "sim/sim_object.h"
#include "sim/standin_broker.h"

namespace plotmate {
namespace {

// A minimal drawing host: an application with a document with a model space.
class FakeObject : public sim::SimObject {
 public:
  FakeObject(std::shared_ptr<sim::HostContext> c, std::string name) : SimObject(c, name) {}
  std::map<std::string, Variant> properties;

 protected:
  Result<Variant> invokeMember(std::string_view name, CallKind kind,
                               std::span<Variant> args) override {
    if (kind == CallKind::Put) {
      properties[lowerAscii(name)] = args.back();
      return Variant();
    }
    auto it = properties.find(lowerAscii(name));
    if (it == properties.end()) return fail(hr::kUnknownName, "Unknown name");
    return it->second;
  }
};

struct FakeAcad {
  std::shared_ptr<sim::HostContext> context = std::make_shared<sim::HostContext>();
  std::shared_ptr<FakeObject> app = std::make_shared<FakeObject>(context, "AcadApplication");
  std::shared_ptr<FakeObject> doc = std::make_shared<FakeObject>(context, "AcadDocument");
  std::shared_ptr<FakeObject> space = std::make_shared<FakeObject>(context, "AcadModelSpace");
  FakeAcad() {
    app->properties["activedocument"] = DispatchPtr(doc);
    doc->properties["modelspace"] = DispatchPtr(space);
  }
};

// A host that is not running, with its message and description, is checked by
// the golden scenarios (repeater_no_drawing_host, *_no_excel and others).
TEST(Attach, KeepsObjectsAndSkipsFailingSteps) {
  FakeAcad acad;
  HostSession session;
  sim::StandInBroker broker;
  sim::RecordingPlatform platform;
  broker.setRunning("autocad.application", acad.app);

  AttachAcad(session, broker, platform);
  EXPECT_EQ(session.AcadMissing, 0);
  EXPECT_EQ(session.AcadDoc, acad.doc);
  EXPECT_EQ(session.AcadModelSpace, acad.space);
  EXPECT_EQ(acad.app->properties["visible"], Variant(true));
  EXPECT_TRUE(platform.messages.empty());

  // A second attach whose ActiveDocument fails keeps the document it had.
  acad.context->faults.add({"AcadApplication", "ActiveDocument", 0, {hr::kFail, "no document"}});
  auto other = std::make_shared<FakeObject>(acad.context, "AcadModelSpace");
  acad.doc->properties["modelspace"] = DispatchPtr(other);
  AttachAcad(session, broker, platform);
  EXPECT_EQ(session.AcadMissing, 0);
  EXPECT_EQ(session.AcadDoc, acad.doc);
  EXPECT_EQ(session.AcadModelSpace, other);

  // The host closes: the flag is set again, the message shown.
  broker.setNotRunning("AutoCAD.Application");
  AttachAcad(session, broker, platform);
  EXPECT_EQ(session.AcadMissing, -1);
  EXPECT_EQ(platform.messages.size(), 1u);
}

// Drawing and spreadsheet programs side by side: the one whose main window
// stands highest wins; where the order cannot be told, the list order.
TEST(Attach, TakesTheHostInUse) {
  const struct {
    const char* name;
    std::vector<std::string> running;  // class names, each a program with main window 100 + index
    std::vector<std::int64_t> zOrder;  // the desktop's windows, highest first
    bool drawing;
    std::string expected;  // class name attached, or "" for none
  } cases[] = {
      {"only AutoCAD", {"AutoCAD.Application"}, {}, true, "AutoCAD.Application"},
      {"only ZWCAD", {"ZWCAD.Application"}, {}, true, "ZWCAD.Application"},
      {"only IntelliCAD", {"Icad.Application"}, {}, true, "Icad.Application"},
      {"ZWCAD in front of AutoCAD", {"AutoCAD.Application", "ZWCAD.Application"}, {101, 100}, true, "ZWCAD.Application"},
      {"AutoCAD in front of BricsCAD", {"AutoCAD.Application", "BricscadApp.AcadApplication"}, {100, 101}, true, "AutoCAD.Application"},
      {"order unknown: list order", {"GStarCAD.Application", "ZWCAD.Application"}, {}, true, "ZWCAD.Application"},
      {"windows elsewhere: list order", {"Gcad.Application", "ZWCAD.Application"}, {7, 8}, true, "ZWCAD.Application"},
      {"WPS in front of Excel", {"Excel.Application", "KET.Application"}, {55, 101, 100}, false, "KET.Application"},
      {"old WPS only", {"ET.Application"}, {}, false, "ET.Application"},
      {"a spreadsheet is no drawing host", {"KET.Application"}, {}, true, ""},
      {"a drawing host is no spreadsheet", {"ZWCAD.Application"}, {}, false, ""},
  };
  for (const auto& c : cases) {
    sim::StandInBroker broker;
    broker.windowOrder = c.zOrder;
    std::map<std::string, DispatchPtr> apps;
    auto context = std::make_shared<sim::HostContext>();
    for (std::size_t i = 0; i < c.running.size(); ++i) {
      auto app = std::make_shared<FakeObject>(context, c.running[i]);
      app->properties["hwnd"] = std::int32_t(100 + i);
      apps[c.running[i]] = app;
      broker.setRunning(c.running[i], app);
    }
    HostSession session;
    sim::RecordingPlatform platform;
    if (c.drawing) AttachAcad(session, broker, platform);
    else AttachExcel(session, broker, platform);
    const DispatchPtr attached = c.drawing ? session.AcadApp : session.ExcelApp;
    const std::int16_t missing = c.drawing ? session.AcadMissing : session.ExcelMissing;
    if (c.expected.empty()) {
      EXPECT_EQ(missing, -1) << c.name;
      EXPECT_EQ(attached, nullptr) << c.name;
    } else {
      EXPECT_EQ(missing, 0) << c.name;
      EXPECT_EQ(attached, apps[c.expected]) << c.name;
      EXPECT_EQ(c.drawing ? session.acadProgId : session.excelProgId, c.expected) << c.name;
      EXPECT_TRUE(platform.messages.empty()) << c.name;
    }
    // Main windows are asked for only when there is a choice.
    const bool asked = std::any_of(context->log.entries().begin(), context->log.entries().end(),
                                   [](const auto& call) { return lowerAscii(call.member) == "hwnd"; });
    EXPECT_EQ(asked, c.running.size() > 1) << c.name;
  }
}

// None running: AutoCAD's and Excel's messages with the error for their own
// class, then the compatible programs looked for too.
TEST(Attach, NamesTheCompatibleProgramsWhenNoneRuns) {
  sim::StandInBroker broker;
  sim::RecordingPlatform platform;
  HostSession session;
  AttachAcad(session, broker, platform);
  AttachExcel(session, broker, platform);
  ASSERT_EQ(platform.messages.size(), 2u);
  EXPECT_EQ(platform.messages[0].text,
            "AutoCAD可能未打开！\n\nOperation unavailable\n\n也查找了兼容程序 ZWCAD、GstarCAD、BricsCAD、IntelliCAD，均未运行。");
  EXPECT_EQ(platform.messages[1].text, "Excel可能未打开！\n\nOperation unavailable\n\n也查找了兼容程序 WPS 表格，均未运行。");
}

TEST(HostPrograms, NameTheProgramADrafterKnows) {
  const struct { const char* progId; const char* name; } cases[] = {
      {"AutoCAD.Application", "AutoCAD"}, {"zwcad.application", "ZWCAD"},
      {"Gcad.Application", "GstarCAD"},   {"GStarCAD.Application", "GstarCAD"},
      {"BricscadApp.AcadApplication", "BricsCAD"}, {"Icad.Application", "IntelliCAD"},
      {"KET.Application", "WPS 表格"},    {"ET.Application", "WPS 表格"},
      {"Excel.Application", "Excel"},     {"Plotmate.TestHost", "Plotmate"},
  };
  for (const auto& c : cases) EXPECT_EQ(programName(c.progId), c.name) << c.progId;
}

// Window handles as hosts answer them: 32-bit significant, sign-extended.
TEST(HostWindow, ReadsAHandleFromAnyIntegerKind) {
  const struct { const char* name; Variant answer; std::optional<std::int64_t> handle; } cases[] = {
      {"16-bit", std::int16_t(0x1234), 0x1234},
      {"32-bit", std::int32_t(0x000A0B2C), 0x000A0B2C},
      {"32-bit, high bit set", std::int32_t(-2147483000), -2147483000},
      {"unsigned 32-bit as a wide number", 4294966296.0, -1000},
      {"64-bit, sign-extended", -1000.0, -1000},
      {"64-bit with upper bits", 4294967296.0 + 0x1234, 0x1234},
      {"zero", std::int32_t(0), std::nullopt},
      {"a fraction", 12.5, std::nullopt},
      {"past 64 bits", 1e30, std::nullopt},
      {"text", "0x1234", std::nullopt},
      {"empty", Variant(), std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(windowHandle(c.answer), c.handle) << c.name;
}

// The attached host's window is asked for only under the tools' host titles.
TEST(HostWindow, AsksTheAttachedHostForItsOwnTitleOnly) {
  FakeAcad acad;
  acad.app->properties["hwnd"] = std::int32_t(0x2C);
  auto excel = std::make_shared<FakeObject>(acad.context, "Application");
  excel->properties["hwnd"] = std::int32_t(0x3C);
  HostSession session;
  EXPECT_EQ(attachedHostWindow(session, kAcadWindowTitle), std::nullopt) << "nothing attached";
  session.AcadApp = acad.app;
  session.ExcelApp = excel;
  EXPECT_EQ(attachedHostWindow(session, kAcadWindowTitle), 0x2C);
  EXPECT_EQ(attachedHostWindow(session, kExcelWindowTitle), 0x3C);
  EXPECT_EQ(attachedHostWindow(session, "PLOTMATE"), std::nullopt) << "a tool window";
  session.ExcelMissing = -1;
  EXPECT_EQ(attachedHostWindow(session, kExcelWindowTitle), std::nullopt) << "the last attach found none";
}

}  // namespace
}  // namespace plotmate
