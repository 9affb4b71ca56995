#include "hosts/dispatch.h"

#include <algorithm>

namespace plotmate {

Result<Variant> Dispatch::call(std::string_view name, std::vector<Variant> args) {
  return invoke(name, CallKind::Method, args);
}

Result<Variant> Dispatch::get(std::string_view name, std::vector<Variant> args) {
  return invoke(name, CallKind::Get, args);
}

Result<void> Dispatch::put(std::string_view name, Variant value, std::vector<Variant> args) {
  args.push_back(std::move(value));
  PLOTMATE_RETURN_IF_FAILED(invoke(name, CallKind::Put, args));
  return {};
}

Error argumentError(std::int32_t code, std::string_view member, std::int32_t argument) {
  // VB's own words for these refusals.
  std::string what = code == hr::kOverflow        ? "Overflow"
                     : code == hr::kParamNotFound ? "Parameter not optional"
                     : code == hr::kBadVarType    ? "Variable uses an Automation type not supported"
                     : code == hr::kInvalidArg    ? "Invalid procedure call or argument"
                                                  : "Type mismatch";
  what += ": argument " + std::to_string(argument + 1) + " of " + std::string(member);
  return Error{code, std::move(what), argument};
}

Error argumentCountError(std::string_view member) {
  return Error{hr::kBadParamCount,
               "Wrong number of arguments or invalid property assignment: " + std::string(member)};
}

Error notACollectionError(std::string_view member) {
  return Error{hr::kNotACollection, "Object not a collection: " + std::string(member)};
}

namespace {

Result<DispatchPtr> objectOf(Result<Variant> r, std::string_view name) {
  PLOTMATE_RETURN_IF_FAILED(r);
  if (auto obj = asObject(*r)) return obj;
  return fail(hr::kTypeMismatch, "Object required: " + std::string(name));
}

}  // namespace

Result<DispatchPtr> getObject(Dispatch& target, std::string_view name, std::vector<Variant> args) {
  return objectOf(target.invoke(name, CallKind::Get, args), name);
}

namespace {

class Nothing final : public Dispatch {
 public:
  Result<Variant> invoke(std::string_view, CallKind, std::span<Variant>) override {
    return fail(hr::kObjectNotSet, "Object variable or With block variable not set");
  }
};

}  // namespace

Dispatch& orNothing(const DispatchPtr& object) {
  static Nothing nothing;
  return object ? *object : nothing;
}

Result<DispatchPtr> callObject(Dispatch& target, std::string_view name,
                               std::vector<Variant> args) {
  return objectOf(target.invoke(name, CallKind::Method, args), name);
}

bool equalsNoCase(std::string_view a, std::string_view b) {
  return std::ranges::equal(a, b, [](char x, char y) {
    auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; };
    return lower(x) == lower(y);
  });
}

std::string lowerAscii(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
  return out;
}

}  // namespace plotmate
