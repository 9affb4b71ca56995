#include "sim/sim_object.h"

#include <gtest/gtest.h>

namespace plotmate::sim {
namespace {

class Counter : public SimObject {
 public:
  explicit Counter(std::shared_ptr<HostContext> c) : SimObject(std::move(c), "Counter") {}
  Result<Variant> getValue(std::span<Variant>) { return Variant(value); }
  Result<Variant> putValue(std::span<Variant> args) {
    if (auto d = asDouble(args.back())) value = *d;
    return Variant();
  }
  Result<Variant> bump(std::span<Variant>) { return Variant(++value); }
  double value = 0;

 protected:
  Result<Variant> invokeMember(std::string_view name, CallKind kind,
                               std::span<Variant> args) override {
    static const MemberTable<Counter> table{
        {"Value", &Counter::getValue, &Counter::putValue},
        {"Bump", nullptr, nullptr, &Counter::bump},
    };
    return table.invoke(*this, name, kind, args);
  }
};

TEST(SimObject, NamesIgnoreCaseAndUnknownNamesFail) {
  auto context = std::make_shared<HostContext>();
  Counter c(context);
  ASSERT_TRUE(c.put("vALUE", 4.0));
  EXPECT_EQ(c.get("value").value(), Variant(4.0));
  EXPECT_EQ(c.call("Value").value(), Variant(4.0));  // a property read by a method call
  EXPECT_EQ(c.get("BUMP").value(), Variant(5.0));    // a method called as a property get
  EXPECT_EQ(c.get("Nope").error().code, hr::kUnknownName);
  EXPECT_EQ(c.put("Bump", 1.0).error().code, hr::kUnknownName);  // no put for a method
}

TEST(SimObject, FaultsFireOnTheNthCallAndAreLogged) {
  auto context = std::make_shared<HostContext>();
  context->faults.add({"counter", "bump", 2, {hr::kFail, "second bump fails"}});
  context->faults.add({"", "Value", 0, {hr::kFail, "every Value fails"}});
  Counter c(context);
  EXPECT_TRUE(c.call("Bump"));
  auto second = c.call("Bump");
  ASSERT_FALSE(second);
  EXPECT_EQ(second.error().description, "second bump fails");
  EXPECT_TRUE(c.call("Bump"));
  EXPECT_EQ(c.value, 2);  // the failed call did nothing
  EXPECT_FALSE(c.put("Value", 9.0));
  EXPECT_EQ(c.value, 2);

  const auto& log = context->log.entries();
  ASSERT_EQ(log.size(), 4u);
  EXPECT_EQ(log[1].member, "Bump");
  EXPECT_TRUE(log[1].failed);
  EXPECT_FALSE(log[2].failed);
  EXPECT_EQ(log[3].kind, CallKind::Put);
  EXPECT_EQ(log[3].arguments, "9");
}

}  // namespace
}  // namespace plotmate::sim
