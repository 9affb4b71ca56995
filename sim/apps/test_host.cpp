#include "sim/apps/test_host.h"

#include "sim/apps/context_controls.h"
#include "sim/args.h"
#include "sim/sim_object.h"

namespace plotmate::sim {

namespace {

class TestObject final : public SimObject {
 public:
  TestObject(std::shared_ptr<HostContext> context, std::string name)
      : SimObject(std::move(context), "TestObject"), name_(std::move(name)) {}

 protected:
  Result<Variant> invokeMember(std::string_view name, CallKind kind,
                               std::span<Variant> args) override {
    static const MemberTable<TestObject> table{
        {"Echo", nullptr, nullptr, &TestObject::echo},
        {"KindOf", nullptr, nullptr, &TestObject::kindOf},
        {"PickEntity", nullptr, nullptr, &TestObject::pickEntity},
        {"Fail", nullptr, nullptr, &TestObject::failWith},
        {"Child", &TestObject::child},
        {"NewChild", nullptr, nullptr, &TestObject::newChild},
        {"IsChild", nullptr, nullptr, &TestObject::isChild},
        {"CountOwn", nullptr, nullptr, &TestObject::countOwn},
        {"Value", &TestObject::value, &TestObject::setValue},
        {"Sum", nullptr, nullptr, &TestObject::sum},
        {"Calls", &TestObject::calls},
        {"Name", &TestObject::nameOf},
    };
    return table.invoke(*this, name, kind, args);
  }

 private:
  Result<Variant> echo(std::span<Variant> args) {
    PLOTMATE_RETURN_IF_FAILED(expectArgs(args, 1, 1));
    return args[0];
  }

  Result<Variant> kindOf(std::span<Variant> args) {
    PLOTMATE_RETURN_IF_FAILED(expectArgs(args, 1, 1));
    static constexpr const char* kNames[] = {"Empty",  "Missing",   "bool", "int16",
                                             "int32",  "double",    "string", "CellError",
                                             "list",   "grid",      "object", "output slot"};
    return Variant(kNames[args[0].storage().index()]);
  }

  // Like a drawing host's GetEntity: both outputs written, or an error when
  // the prompt says "cancel".
  Result<Variant> pickEntity(std::span<Variant> args) {
    PLOTMATE_RETURN_IF_FAILED(expectArgs(args, 2, 3));
    if (hasArg(args, 2)) {
      auto prompt = argText(args, 2);
      if (prompt && *prompt == "cancel") return fail(hr::kFail, "Nothing was picked");
    }
    auto picked = child({});
    if (!picked) return picked;
    args[0] = *picked;
    args[1] = fromDoubles(std::vector<double>{1.5, -2.25, 0.0});
    return Variant();
  }

  Result<Variant> failWith(std::span<Variant> args) {
    PLOTMATE_RETURN_IF_FAILED(expectArgs(args, 2, 2));
    auto code = argInt(args, 0);
    auto text = argText(args, 1);
    if (!code || !text) return plotmate::fail(hr::kTypeMismatch, "Fail(code, description)");
    return plotmate::fail(*code, *text);
  }

  Result<Variant> child(std::span<Variant>) {
    if (!child_) child_ = std::make_shared<TestObject>(sharedContext(), name_ + ".Child");
    return Variant(child_);
  }

  Result<Variant> newChild(std::span<Variant>) {
    return Variant(std::make_shared<TestObject>(sharedContext(), name_ + ".NewChild"));
  }

  Result<Variant> isChild(std::span<Variant> args) {
    PLOTMATE_TRY(object, argObject(args, 0));
    return Variant(child_ && *object == child_);
  }

  Result<Variant> countOwn(std::span<Variant> args) {
    PLOTMATE_RETURN_IF_FAILED(expectArgs(args, 1, 1));
    const auto* list = args[0].getIf<VariantList>();
    if (!list) return plotmate::fail(hr::kTypeMismatch, "CountOwn needs a list");
    std::int32_t own = 0;
    for (const auto& item : *list) {
      auto object = std::dynamic_pointer_cast<TestObject>(asObject(item));
      if (object && object->sharedContext() == sharedContext()) ++own;
    }
    return Variant(own);
  }

  Result<Variant> value(std::span<Variant>) { return value_; }
  Result<Variant> setValue(std::span<Variant> args) {
    PLOTMATE_RETURN_IF_FAILED(expectArgs(args, 1, 1));
    value_ = args[0];
    return Variant();
  }

  Result<Variant> sum(std::span<Variant> args) {
    PLOTMATE_RETURN_IF_FAILED(expectArgs(args, 1, 1));
    PLOTMATE_TRY(numbers, toDoubles(args[0]));
    double total = 0;
    for (double d : *numbers) total += d;
    return Variant(total);
  }

  Result<Variant> calls(std::span<Variant>) {
    return Variant(static_cast<std::int32_t>(context().log.callCount()));
  }
  Result<Variant> nameOf(std::span<Variant>) { return Variant(name_); }

  std::string name_;
  std::shared_ptr<TestObject> child_;
  Variant value_;
};

}  // namespace

ServedHost makeTestHost(std::string name) {
  auto context = std::make_shared<HostContext>();
  return ServedHost{std::make_shared<TestObject>(context, std::move(name)),
                    contextControls(context)};
}

}  // namespace plotmate::sim
