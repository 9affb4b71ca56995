#include "hosts/com/outgoing_arguments.h"

#include "hosts/com/object_bridge.h"
#include "hosts/com/variant_convert.h"

namespace plotmate::com {

void clearSlots(std::vector<VARIANT>& slots) {
  for (VARIANT& slot : slots) VariantClear(&slot);
}

Result<void> OutgoingArguments::build(std::span<const Variant> args, bool propertyPut) {
  const std::size_t n = args.size();
  slots_.reset(std::vector<VARIANT>(n));  // zeroed: VT_EMPTY
  outValues_ = std::vector<VariantOwner>(n);
  outObjects_ = std::vector<ComPtr<IDispatch>>(n);
  std::vector<VARIANT>& slots = slots_.get();
  for (std::size_t i = 0; i < n; ++i) {
    VARIANT& slot = slots[n - 1 - i];
    const auto* output = args[i].getIf<OutputSlot>();
    if (output && propertyPut && i + 1 == n)
      return fail(DISP_E_TYPEMISMATCH, "A property's new value cannot be an output slot");
    if (output && output->holds == OutputSlot::Holds::Variant) {
      slot.vt = VT_BYREF | VT_VARIANT;
      slot.pvarVal = &outValues_[i].get();
    } else if (output) {
      slot.vt = VT_BYREF | VT_DISPATCH;
      slot.ppdispVal = outObjects_[i].out();
    } else if (auto r = toVariant(args[i], slot); !r) {
      return r;
    }
  }
  params_.rgvarg = slots.data();
  params_.cArgs = static_cast<UINT>(n);
  params_.rgdispidNamedArgs = propertyPut ? &putId_ : nullptr;
  params_.cNamedArgs = propertyPut ? 1 : 0;
  return {};
}

Result<void> OutgoingArguments::copyOutputs(std::span<Variant> args, const HostLinkPtr& link) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const VARIANT& slot = slots_.get()[args.size() - 1 - i];
    if (!(slot.vt & VT_BYREF)) continue;
    PLOTMATE_TRY(value, fromVariant(slot, link));
    args[i] = std::move(*value);
  }
  return {};
}

}  // namespace plotmate::com
