#pragma once
// Objects crossing the COM boundary keep their identity both ways: a remote
// object travels as its own IDispatch, a local one as its served wrapper, and
// a wrapper that comes back (RemoveItems, IntersectWith, Boolean arguments)
// turns into the very object it serves, so the host recognises its own.
// Serving local objects is the stand-in servers' part (sim/com/): a process
// that serves installs it; the client alone sends only the hosts' objects.

#include <windows.h>

#include <oaidl.h>

#include "hosts/com/host_link.h"
#include "hosts/dispatch.h"

namespace plotmate::com {

struct LocalObjectServer {
  IDispatch* (*serve)(const DispatchPtr& object);  // the wrapper, with a new reference
  DispatchPtr (*target)(IDispatch* wrapper);       // null for any other IDispatch
};
void setLocalObjectServer(LocalObjectServer server);

// A new reference for `object` going out; null for Nothing, and for a local
// object where no server is installed.
IDispatch* exportObject(const DispatchPtr& object);
// The object behind an incoming IDispatch; a remote one is called through
// `link`'s host. Null for Nothing.
DispatchPtr importObject(IDispatch* object, const HostLinkPtr& link);

}  // namespace plotmate::com
