#include "hosts/counting_broker.h"

#include <string>
#include <vector>

namespace plotmate {

class CountingDispatch final : public Dispatch {
 public:
  CountingDispatch(DispatchPtr inner, CountingBroker& broker, std::string progId)
      : inner_(std::move(inner)), broker_(broker), progId_(std::move(progId)) {}

  Result<Variant> invoke(std::string_view name, CallKind kind, std::span<Variant> args) override {
    std::vector<Variant> passed;
    passed.reserve(args.size());
    for (const auto& arg : args) passed.push_back(unwrapped(arg));
    auto result = inner_->invoke(name, kind, passed);
    // Output slots come back through `passed`; the caller sees them in `args`.
    for (std::size_t i = 0; i < args.size(); ++i) args[i] = wrapped(passed[i]);
    broker_.counted(progId_, result);
    if (!result) return result;
    return wrapped(*result);
  }

  // Objects a host hands out belong to the same host.
  Variant wrapped(const Variant& value) const {
    if (const auto* object = value.getIf<DispatchPtr>())
      return *object ? Variant(DispatchPtr(
                           std::make_shared<CountingDispatch>(*object, broker_, progId_)))
                     : value;
    if (const auto* list = value.getIf<VariantList>()) {
      VariantList out;
      out.reserve(list->size());
      for (const auto& item : *list) out.push_back(wrapped(item));
      return out;
    }
    if (const auto* grid = value.getIf<VariantGrid>()) {
      VariantGrid out = *grid;
      for (auto& cell : out.cells) cell = wrapped(cell);
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
  std::string progId_;
};

Result<DispatchPtr> CountingBroker::findRunning(std::string_view progId) {
  auto found = inner_.findRunning(progId);
  if (!found || !*found) return found;
  return DispatchPtr(std::make_shared<CountingDispatch>(*found, *this, std::string(progId)));
}

void CountingBroker::counted(std::string_view progId, const Result<Variant>& result) {
  if (!result && failed_) failed_(progId, result.error());
  ++calls_;
  if (afterCall_) afterCall_(calls_);
}

}  // namespace plotmate
