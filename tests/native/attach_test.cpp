#include "hosts/attach.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace plotmate
