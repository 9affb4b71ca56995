#pragma once
// The arguments of one client-side Invoke, laid out as IDispatch wants them:
// last argument first, a property put's value as the named DISPID_PROPERTYPUT
// argument.
//
// Output slots (OutputSlot) go by reference, exactly what VB passes for an
// unset variable of the declared type: a Variant slot as VT_BYREF|VT_VARIANT
// pointing at Empty, an Object slot as VT_BYREF|VT_DISPATCH pointing at null.
// A host whose type library declares an output IDispatch** (GetEntity's
// entity) refuses a VT_BYREF|VT_VARIANT there with DISP_E_TYPEMISMATCH.
// Everything else goes by value, Empty and Nothing included.

#include <windows.h>

#include <oaidl.h>

#include <span>
#include <vector>

#include "base/unique_owner.h"
#include "hosts/com/com_ptr.h"
#include "hosts/com/host_link.h"
#include "hosts/com/variant_owner.h"
#include "hosts/variant.h"

namespace plotmate::com {

// Clears each slot; a by-reference slot owns nothing and is left as it is.
void clearSlots(std::vector<VARIANT>& slots);

class OutgoingArguments {
 public:
  OutgoingArguments() = default;
  // params() points into this object: it stays where it was built.
  OutgoingArguments(const OutgoingArguments&) = delete;
  OutgoingArguments& operator=(const OutgoingArguments&) = delete;

  Result<void> build(std::span<const Variant> args, bool propertyPut);
  DISPPARAMS* params() { return &params_; }
  // Writes what the host left in the output slots back into `args`.
  Result<void> copyOutputs(std::span<Variant> args, const HostLinkPtr& link);

 private:
  UniqueOwner<std::vector<VARIANT>, &clearSlots> slots_;  // rgvarg: the last argument first
  std::vector<VariantOwner> outValues_;                  // what VT_BYREF|VT_VARIANT slots point at
  std::vector<ComPtr<IDispatch>> outObjects_;            // what VT_BYREF|VT_DISPATCH slots point at
  DISPID putId_ = DISPID_PROPERTYPUT;
  DISPPARAMS params_{};
};

}  // namespace plotmate::com
