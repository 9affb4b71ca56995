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
  // and point) are written back into `args`: pass each as an OutputSlot of the
  // type the host declares (outputObject() for IDispatch**, outputVariant()
  // for VARIANT*), so that a COM host receives it by reference just as from a
  // VB variable of that type. Every other argument goes by value.
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

// A host's refusal of one argument (type mismatch, overflow, a required one
// missing), or of the number of arguments, worded the same whether a
// stand-in found it or a COM host answered it with only its code and the
// argument's position: "Type mismatch: argument 1 of GetEntity".
Error argumentError(std::int32_t code, std::string_view member, std::int32_t argument);
Error argumentCountError(std::string_view member);
// Arguments to a property whose value takes none ("Caption(1)").
Error notACollectionError(std::string_view member);

bool equalsNoCase(std::string_view a, std::string_view b);
std::string lowerAscii(std::string_view s);

}  // namespace plotmate
