#pragma once
// The arguments of one client-side Invoke, laid out as IDispatch wants them:
// last argument first, a property put's value as the named DISPID_PROPERTYPUT
// argument.
//
// Output slots: an argument that is Empty goes by reference as
// VT_BYREF|VT_VARIANT, and a null object (Nothing) as VT_BYREF|VT_DISPATCH,
// exactly what VB passes for a Variant or an Object variable. That is what
// by-reference outputs such as GetEntity's picked point and entity need (the
// host's type library declares the entity as IDispatch**, which a
// VT_BYREF|VT_VARIANT would not match). Everything else goes by value.

#include <windows.h>

#include <oaidl.h>

#include <span>
#include <vector>

#include "hosts/com/host_link.h"
#include "hosts/com/variant_owner.h"
#include "hosts/variant.h"

namespace plotmate::com {

class OutgoingArguments {
 public:
  OutgoingArguments() = default;
  OutgoingArguments(const OutgoingArguments&) = delete;
  OutgoingArguments& operator=(const OutgoingArguments&) = delete;
  ~OutgoingArguments();

  Result<void> build(std::span<const Variant> args, bool propertyPut);
  DISPPARAMS* params() { return &params_; }
  // Writes what the host left in the output slots back into `args`.
  Result<void> copyOutputs(std::span<Variant> args, const HostLinkPtr& link);

 private:
  void clear();

  std::vector<VARIANT> slots_;              // rgvarg: the last argument first
  std::vector<VariantOwner> outValues_;     // what VT_BYREF|VT_VARIANT slots point at
  std::vector<IDispatch*> outObjects_;      // what VT_BYREF|VT_DISPATCH slots point at
  DISPID putId_ = DISPID_PROPERTYPUT;
  DISPPARAMS params_{};
};

}  // namespace plotmate::com
