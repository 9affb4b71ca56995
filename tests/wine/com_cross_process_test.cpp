// Through real marshalling: the fixture's server (testsim.exe serving the
// test host under "Plotmate.TestHost") and private servers this suite
// starts, closes and kills itself.

#include <gtest/gtest.h>

#include "com_test_support.h"
#include "hosts/com/com_broker.h"
#include "hosts/com/com_dispatch.h"
#include "hosts/com/error_text.h"
#include "sim/apps/attach_wait.h"
#include "sim/apps/progid_registration.h"

namespace plotmate::com {
namespace {

using std::chrono::milliseconds;
using Clock = std::chrono::steady_clock;

class CrossProcess : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(apartment_.ok());
    auto attached = sim::attachWhenUp(broker_, comtest::kFixtureProgId, std::chrono::seconds(30));
    ASSERT_TRUE(attached.has_value()) << attached.error().description;
    host_ = *attached;
  }
  void TearDown() override {
    if (host_) host_->call("SimRejectNextCalls", {std::int32_t{0}});
  }

  Dispatch& host() { return *host_; }

  ComApartment apartment_;
  ComHostBroker broker_{BusyRetryBound{milliseconds(3000)}};
  DispatchPtr host_;
};

VariantGrid mixedGrid() {
  return comtest::gridOf(3, 2, {"X", "Y", 1.25, -7.5, Variant(), CellError{comtest::kNotAvailable}});
}

TEST_F(CrossProcess, EveryKindSurvivesMarshallingBothWays) {
  struct Case { const char* kind; Variant value; };
  std::vector<double> many(10000);
  for (std::size_t i = 0; i < many.size(); ++i) many[i] = i * 0.001 - 3;
  const Case cases[] = {
      {"Empty", Variant()},
      {"Missing", Variant(Missing{})},
      {"bool", Variant(true)},
      {"int16", Variant(std::int16_t{-2})},
      {"int32", Variant(std::int32_t{123456})},
      {"double", Variant(1e-300)},
      {"string", Variant("AutoCAD可能未打开！\r\n\U0001F600")},
      {"CellError", Variant(CellError{static_cast<std::int32_t>(0x800A07E7u)})},
      {"list", fromDoubles(many)},
      {"list", Variant(VariantList{std::int16_t{0}})},
      {"list", Variant(VariantList{"Line", 2.0, Variant(), VariantList{true, VariantList{}}})},
      {"grid", Variant(mixedGrid())},
      {"list", Variant(VariantList{Variant(mixedGrid())})},
  };
  for (const auto& c : cases) {
    // Echo's argument is Empty only in the first case: an Empty argument is an
    // output slot, so it goes by reference and still arrives as Empty.
    auto echoed = host().call("Echo", {c.value});
    ASSERT_TRUE(echoed.has_value()) << describe(c.value) << ": " << echoed.error().description;
    EXPECT_EQ(*echoed, c.value) << c.kind;
    auto kind = host().call("KindOf", {c.value});
    ASSERT_TRUE(kind.has_value());
    EXPECT_EQ(*kind, Variant(c.kind)) << describe(c.value).substr(0, 60);
  }
  auto sum = host().call("Sum", {fromDoubles(many)});
  ASSERT_TRUE(sum.has_value());
  EXPECT_NEAR(*asDouble(*sum), 10000 * 4.9995 - 30000, 1e-6);
}

TEST_F(CrossProcess, ByReferenceOutputsComeBackAsGetEntityNeeds) {
  std::vector<Variant> args{outputObject(), outputVariant(), "Pick point:"};
  auto picked = host().invoke("PickEntity", CallKind::Method, args);
  ASSERT_TRUE(picked.has_value()) << picked.error().description;
  auto entity = asObject(args[0]);
  ASSERT_NE(entity, nullptr);
  EXPECT_EQ(args[1], fromDoubles(std::vector<double>{1.5, -2.25, 0.0}));
  EXPECT_EQ(args[2], Variant("Pick point:"));
  EXPECT_EQ(entity->get("Name"), Result<Variant>(Variant("TestHost.Child")));
  // Handed back, the entity is the server's own object again.
  EXPECT_EQ(host().call("IsChild", {entity}), Result<Variant>(Variant(true)));

  // A cancelled pick fails and assigns nothing.
  std::vector<Variant> cancelled{outputObject(), outputVariant(), "cancel"};
  auto failed = host().invoke("PickEntity", CallKind::Method, cancelled);
  ASSERT_FALSE(failed.has_value());
  EXPECT_EQ(failed.error().description, "Nothing was picked");
  EXPECT_EQ(cancelled, (std::vector<Variant>{outputObject(), outputVariant(), "cancel"}));
}

TEST_F(CrossProcess, ObjectsKeepIdentityAndAreRecognisedWhenPassedBack) {
  auto child = getObject(host(), "Child");
  auto again = getObject(host(), "Child");
  auto other = callObject(host(), "NewChild");
  ASSERT_TRUE(child && again && other);
  auto* a = dynamic_cast<ComDispatch*>(child->get());
  auto* b = dynamic_cast<ComDispatch*>(again->get());
  ASSERT_TRUE(a && b);
  EXPECT_EQ(a->raw(), b->raw());
  EXPECT_EQ(host().call("IsChild", {*other}), Result<Variant>(Variant(false)));
  // An array of objects (RemoveItems' argument) arrives as the server's own objects.
  auto own = host().call("CountOwn", {VariantList{*child, *other, 1.0, DispatchPtr{}}});
  EXPECT_EQ(own, Result<Variant>(Variant(std::int32_t{2})));
  // The child reports its own calls through its own proxy.
  EXPECT_EQ((*other)->get("Name"), Result<Variant>(Variant("TestHost.NewChild")));
}

TEST_F(CrossProcess, ErrorsArriveWithTheirDescriptions) {
  struct Case { const char* name; const char* member; std::vector<Variant> args; Error expected; };
  const Case cases[] = {
      {"EXCEPINFO text", "Fail", {std::int32_t(hr::kFail), "Method 'GetEntity' failed"}, {hr::kFail, "Method 'GetEntity' failed"}},
      {"worksheet code", "Fail", {std::int32_t(0x800A03EC), "Unable to set the Value property"}, {static_cast<std::int32_t>(0x800A03ECu), "Unable to set the Value property"}},
      {"dispatch code itself", "Fail", {std::int32_t(hr::kBadParamCount), "ignored"}, {hr::kBadParamCount, "Wrong number of arguments or invalid property assignment: Fail"}},
      {"type mismatch without a position", "Fail", {std::int32_t(hr::kTypeMismatch), "Type mismatch: x"}, {hr::kTypeMismatch, "Type mismatch: x"}},
      {"unknown member named", "NoSuchMember", {}, {hr::kUnknownName, describeHresult(DISP_E_UNKNOWNNAME) + ": NoSuchMember"}},
      {"wrong argument count", "Echo", {1.0, 2.0}, {hr::kBadParamCount, "Wrong number of arguments or invalid property assignment: Echo"}},
  };
  for (const auto& c : cases) {
    auto result = host().call(c.member, c.args);
    ASSERT_FALSE(result.has_value()) << c.name;
    EXPECT_EQ(result.error(), c.expected) << c.name;
  }
}

TEST_F(CrossProcess, HostBusyForeverFailsWithinTheBound) {
  ComHostBroker shortBroker(BusyRetryBound{milliseconds(600)});
  auto busyHost = shortBroker.findRunning(comtest::kFixtureProgId);
  ASSERT_TRUE(busyHost.has_value());
  ASSERT_TRUE(host().call("SimRejectNextCalls", {std::int32_t{-1}}));
  const auto start = Clock::now();
  auto refused = (*busyHost)->call("Echo", {1.0});
  const auto took = Clock::now() - start;
  ASSERT_FALSE(refused.has_value());
  EXPECT_EQ(refused.error().code, hr::kCallRejected);
  EXPECT_TRUE(refused.error().description.starts_with(
      "The program stayed busy and refused the call for 0.6 s: "))
      << refused.error().description;
  EXPECT_GE(took, milliseconds(600));
  EXPECT_LT(took, milliseconds(1500));
  ASSERT_TRUE(host().call("SimRejectNextCalls", {std::int32_t{0}}));
  EXPECT_TRUE((*busyHost)->call("Echo", {1.0}).has_value());  // busy is not gone
}

TEST_F(CrossProcess, NoServerRunningGivesThePlatformsDescription) {
  struct Case { const char* progId; HRESULT code; };
  const char* idle = "Plotmate.Test.NotRunning";
  ASSERT_TRUE(sim::registerProgId(idle, "{6A1C8D33-5E2B-4B8F-9E61-0D7A4C2B9F10}"));
  const Case cases[] = {{idle, MK_E_UNAVAILABLE}, {"Plotmate.Test.NotInstalled", CO_E_CLASSSTRING}};
  for (const auto& c : cases) {
    auto attached = broker_.findRunning(c.progId);
    ASSERT_FALSE(attached.has_value()) << c.progId;
    EXPECT_EQ(attached.error(), errorFromHresult(c.code)) << c.progId;
    EXPECT_FALSE(attached.error().description.empty());
  }
  sim::unregisterProgId(idle);
}

TEST_F(CrossProcess, HostClosedAfterTheAttachFailsAtOnceAndTheNextAttachKnows) {
  struct Case { const char* progId; const char* clsid; bool kill; };  // kill: no Quit first
  const Case cases[] = {
      {"Plotmate.Test.Quits", "{0D6F3E52-7A41-4C1B-8B2E-5F9A6C3D1E20}", false},
      {"Plotmate.Test.Killed", "{9B2E4F61-3C5D-4A7E-8F10-2D6B8C4A0E31}", true},
  };
  for (const auto& c : cases) {
    sim::ServerProcess server(comtest::testsimPath(), c.progId, c.clsid);
    ASSERT_TRUE(server.started()) << c.progId;
    auto attached = sim::attachWhenUp(broker_, c.progId, std::chrono::seconds(30));
    ASSERT_TRUE(attached.has_value()) << attached.error().description;
    auto child = getObject(**attached, "Child");
    ASSERT_TRUE(child.has_value());
    if (c.kill) {
      server.kill();
    } else {
      ASSERT_TRUE((*attached)->call("Quit"));
      ASSERT_TRUE(server.waitForExit(std::chrono::seconds(10))) << c.progId;
    }
    const auto start = Clock::now();
    auto call = (*attached)->call("Echo", {1.0});
    ASSERT_FALSE(call.has_value()) << c.progId;
    EXPECT_EQ(classifyFailure(call.error().code), CallFailure::HostGone)
        << c.progId << ": " << hexCode(call.error().code);
    EXPECT_TRUE(call.error().description.starts_with("The program has closed or stopped answering: "))
        << call.error().description;
    EXPECT_LT(Clock::now() - start, std::chrono::seconds(2)) << c.progId;
    // Other objects of the same host fail at once without a round trip.
    EXPECT_EQ((*child)->get("Name").error(), call.error()) << c.progId;
    EXPECT_FALSE(broker_.findRunning(c.progId).has_value()) << c.progId;
  }
}

}  // namespace
}  // namespace plotmate::com
