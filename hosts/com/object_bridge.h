#pragma once
// Objects crossing the COM boundary keep their identity both ways: a remote
// object travels as its own IDispatch, a local one as its served wrapper, and
// a wrapper that comes back (RemoveItems, IntersectWith, Boolean arguments)
// turns into the very object it serves, so the host recognises its own.

#include <windows.h>

#include <oaidl.h>

#include "hosts/com/host_link.h"
#include "hosts/dispatch.h"

namespace plotmate::com {

// A new reference for `object` going out; null for Nothing.
IDispatch* exportObject(const DispatchPtr& object);
// The object behind an incoming IDispatch; a remote one is called through
// `link`'s host. Null for Nothing.
DispatchPtr importObject(IDispatch* object, const HostLinkPtr& link);

}  // namespace plotmate::com
