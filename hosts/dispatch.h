#pragma once
// The one door to an automation object: a member called by name, the way
// IDispatch::Invoke does it. Names match without regard to case.

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "hosts/variant.h"

namespace plotmate {

enum class CallKind { Method, Get, Put };

class Dispatch {
 public:
  virtual ~Dispatch() = default;

  // Calls member `name`. Arguments are in source order; for a property put the
  // new value is the last argument. By-reference outputs (GetEntity's entity
  // and point) are written back into `args`: pass an output slot as Empty, or
  // as a null DispatchPtr when the host declares it an object, so that a COM
  // host receives it by reference just as from a VB variable of that type.
  virtual Result<Variant> invoke(std::string_view name, CallKind kind, std::span<Variant> args) = 0;

  Result<Variant> call(std::string_view name, std::vector<Variant> args = {});
  Result<Variant> get(std::string_view name, std::vector<Variant> args = {});
  Result<void> put(std::string_view name, Variant value, std::vector<Variant> args = {});
};

// Reads a property that must hold an object.
Result<DispatchPtr> getObject(Dispatch& target, std::string_view name,
                              std::vector<Variant> args = {});
// Calls a method that must return an object.
Result<DispatchPtr> callObject(Dispatch& target, std::string_view name,
                               std::vector<Variant> args = {});

// The object, or for a null pointer a stand-in for VB's Nothing whose every
// member fails with "Object variable or With block variable not set": a
// facade over a host object that never arrived fails its calls, never crashes.
Dispatch& orNothing(const DispatchPtr& object);

bool equalsNoCase(std::string_view a, std::string_view b);
std::string lowerAscii(std::string_view s);

}  // namespace plotmate
