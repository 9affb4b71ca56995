#include "hosts/counting_broker.h"

#include <vector>

namespace plotmate {

class CountingDispatch final : public Dispatch {
 public:
  CountingDispatch(DispatchPtr inner, CountingBroker& broker)
      : inner_(std::move(inner)), broker_(broker) {}

  Result<Variant> invoke(std::string_view name, CallKind kind, std::span<Variant> args) override {
    std::vector<Variant> passed;
    passed.reserve(args.size());
    for (const auto& arg : args) passed.push_back(unwrapped(arg));
    auto result = inner_->invoke(name, kind, passed);
    // Output slots come back through `passed`; the caller sees them in `args`.
    for (std::size_t i = 0; i < args.size(); ++i) args[i] = wrapped(passed[i], broker_);
    broker_.counted();
    if (!result) return result;
    return wrapped(*result, broker_);
  }

  static Variant wrapped(const Variant& value, CountingBroker& broker) {
    if (const auto* object = value.getIf<DispatchPtr>())
      return *object ? Variant(DispatchPtr(std::make_shared<CountingDispatch>(*object, broker)))
                     : value;
    if (const auto* list = value.getIf<VariantList>()) {
      VariantList out;
      out.reserve(list->size());
      for (const auto& item : *list) out.push_back(wrapped(item, broker));
      return out;
    }
    if (const auto* grid = value.getIf<VariantGrid>()) {
      VariantGrid out = *grid;
      for (auto& cell : out.cells) cell = wrapped(cell, broker);
      return out;
    }
    return value;
  }

  static Variant unwrapped(const Variant& value) {
    if (const auto* object = value.getIf<DispatchPtr>()) {
      if (auto* counting = dynamic_cast<CountingDispatch*>(object->get())) return counting->inner_;
      return value;
    }
    if (const auto* list = value.getIf<VariantList>()) {
      VariantList out;
      out.reserve(list->size());
      for (const auto& item : *list) out.push_back(unwrapped(item));
      return out;
    }
    if (const auto* grid = value.getIf<VariantGrid>()) {
      VariantGrid out = *grid;
      for (auto& cell : out.cells) cell = unwrapped(cell);
      return out;
    }
    return value;
  }

 private:
  DispatchPtr inner_;
  CountingBroker& broker_;
};

Result<DispatchPtr> CountingBroker::findRunning(std::string_view progId) {
  auto found = inner_.findRunning(progId);
  if (!found || !*found) return found;
  return DispatchPtr(std::make_shared<CountingDispatch>(*found, *this));
}

void CountingBroker::counted() {
  ++calls_;
  if (afterCall_) afterCall_(calls_);
}

}  // namespace plotmate
