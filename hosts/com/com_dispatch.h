#pragma once
// A host object reached through IDispatch, as a Dispatch: members are looked
// up by name once per object (GetIDsOfNames) and then invoked by DISPID.
//
// Calls and property reads both go as DISPATCH_METHOD|DISPATCH_PROPERTYGET,
// as VB sends them, so a member works whether the host declares it a method
// or a property; a property write goes as DISPATCH_PROPERTYPUT. A busy host
// is asked again within the link's bound, once per link; once a call finds
// the host gone, every call through the same link fails at once.

#include <windows.h>

#include <oaidl.h>

#include <string>
#include <unordered_map>

#include "hosts/com/com_ptr.h"
#include "hosts/com/host_link.h"
#include "hosts/dispatch.h"

namespace plotmate::com {

class ComDispatch final : public Dispatch {
 public:
  ComDispatch(ComPtr<IDispatch> target, HostLinkPtr link);

  Result<Variant> invoke(std::string_view name, CallKind kind, std::span<Variant> args) override;

  IDispatch* raw() const { return target_.get(); }
  const HostLinkPtr& link() const { return link_; }

 private:
  Result<DISPID> memberId(std::string_view name);
  // Runs one COM round trip under the link's busy and gone rules.
  template <class Attempt>
  auto guarded(Attempt&& attempt) -> decltype(attempt());

  ComPtr<IDispatch> target_;
  HostLinkPtr link_;
  std::unordered_map<std::string, DISPID> ids_;  // by lower-case name
};

}  // namespace plotmate::com
