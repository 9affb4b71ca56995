#pragma once
// The server side: any Dispatch offered to COM clients through IDispatch.
//
// Each served object has its own name table: a name gets the next DISPID (from
// 1) the first time a client asks for it, matched without regard to case, so
// GetIDsOfNames never fails for a single name and an unknown member is found
// out when it is invoked (DISP_E_UNKNOWNNAME). Invoke hands the arguments to
// the Dispatch in source order, writes changed by-reference arguments back,
// and turns an Error into what a client expects: the dispatch codes
// (unknown name, member not found, wrong argument count, type mismatch,
// misplaced arguments) and "busy" codes as the HRESULT itself, any other error as DISP_E_EXCEPTION with
// the code and description in EXCEPINFO. No exception leaves Invoke.
//
// There is one wrapper per object at a time, so a client sees the same
// identity each time it receives the same object.

#include <windows.h>

#include <oaidl.h>

#include <functional>
#include <string_view>

#include "hosts/dispatch.h"

namespace plotmate::com {

// Lets this process's own objects go out over COM as served wrappers and be
// known again when they come back (the first serveObject does it too).
void serveLocalObjects();
// The served wrapper of `object`, with a new reference (made on first use).
IDispatch* serveObject(const DispatchPtr& object);
// The object behind one of this process's wrappers, or null for any other
// IDispatch.
DispatchPtr servedTarget(IDispatch* wrapper);

// How many objects this process serves right now (clients hold them): what a
// server's objects come back to once a client is done with what it received.
std::size_t servedObjectCount();

// Asked before every incoming call with the member's name: a failing HRESULT
// answers the call instead (how a server simulates a busy host). Cleared by
// passing an empty function.
using CallGate = std::function<HRESULT(std::string_view member)>;
void setCallGate(CallGate gate);

}  // namespace plotmate::com
