#include "hosts/counting_broker.h"

#include <gtest/gtest.h>

#include <map>

namespace plotmate {
namespace {

// A host object that answers every call with a child object, writes a child
// into an output slot, and remembers which objects it was handed.
class Host final : public Dispatch, public std::enable_shared_from_this<Host> {
 public:
  std::vector<Dispatch*> received;
  Result<Variant> invoke(std::string_view name, CallKind, std::span<Variant> args) override {
    for (const auto& arg : args) collect(arg);
    if (name == "Fail") return std::unexpected(Error{1, "refused"});
    if (name == "Out" && !args.empty()) args[0] = DispatchPtr(shared_from_this());
    if (name == "List") return Variant(VariantList{DispatchPtr(shared_from_this()), 1.5});
    return Variant(DispatchPtr(shared_from_this()));
  }

 private:
  void collect(const Variant& v) {
    if (auto* o = v.getIf<DispatchPtr>()) received.push_back(o->get());
    if (auto* l = v.getIf<VariantList>())
      for (const auto& item : *l) collect(item);
    if (auto* g = v.getIf<VariantGrid>())
      for (const auto& item : g->cells) collect(item);
  }
};

class Broker final : public HostBroker {
 public:
  std::shared_ptr<Host> host = std::make_shared<Host>();
  Result<DispatchPtr> findRunning(std::string_view) override { return DispatchPtr(host); }
};

TEST(CountingBroker, CountsCallsOnEveryObjectAndHandsTheHostItsOwnObjects) {
  Broker inner;
  std::vector<std::uint64_t> seen;
  CountingBroker broker(inner, [&](std::uint64_t n) { seen.push_back(n); });
  auto app = broker.findRunning("X");
  ASSERT_TRUE(app);
  EXPECT_NE(app->get(), inner.host.get()) << "the object counts its calls";

  auto child = (*app)->call("Child");  // 1: an object comes back, counted too
  ASSERT_TRUE(child);
  const DispatchPtr childObject = asObject(*child);
  ASSERT_TRUE(childObject);
  ASSERT_TRUE(childObject->call("Again"));  // 2

  VariantGrid grid(1, 1);
  grid.at(0, 0) = childObject;
  struct Case { const char* what; std::vector<Variant> args; } cases[] = {
      {"an object", {childObject}},
      {"an object in a list", {VariantList{childObject, 2.0}}},
      {"an object in a grid", {grid}},
  };
  for (auto& c : cases) {
    inner.host->received.clear();
    ASSERT_TRUE((*app)->call("Take", c.args)) << c.what;
    ASSERT_EQ(inner.host->received.size(), 1u) << c.what;
    EXPECT_EQ(inner.host->received[0], inner.host.get()) << c.what << ": unwrapped";
  }

  std::vector<Variant> slot{DispatchPtr()};  // 6
  ASSERT_TRUE((*app)->invoke("Out", CallKind::Method, slot));
  const DispatchPtr out = asObject(slot[0]);
  ASSERT_TRUE(out);
  EXPECT_NE(out.get(), inner.host.get()) << "an output object counts its calls";
  ASSERT_TRUE(out->call("X"));  // 7

  auto list = (*app)->call("List");  // 8
  ASSERT_TRUE(list);
  const auto* items = list->getIf<VariantList>();
  ASSERT_TRUE(items && items->size() == 2);
  ASSERT_TRUE(asObject((*items)[0])->call("Y"));  // 9
  EXPECT_EQ((*items)[1], Variant(1.5));

  EXPECT_FALSE((*app)->call("Fail")) << "a failure passes through";  // 10, counted
  EXPECT_EQ(broker.calls(), 10u);
  ASSERT_EQ(seen.size(), 10u);
  EXPECT_EQ(seen.back(), 10u);
  broker.resetCount();
  EXPECT_EQ(broker.calls(), 0u);
}

}  // namespace
}  // namespace plotmate
