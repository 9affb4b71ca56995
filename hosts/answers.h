#pragma once
// A host's answer read as the value a facade hands on: the one set of
// conversions every facade uses. A wrong kind, a number out of range or a
// number that is none (NaN) is a type mismatch, never a cast.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "hosts/dispatch.h"

namespace plotmate {

using Point3 = std::array<double, 3>;

Result<void> answerDone(const Result<Variant>& answer);
Result<std::string> answerText(const Result<Variant>& answer);
Result<double> answerNumber(const Result<Variant>& answer);
// Counts and positions arrive as any numeric kind (a Long from either host).
Result<std::int32_t> answerWholeNumber(const Result<Variant>& answer);
Result<std::vector<double>> answerNumbers(const Result<Variant>& answer);
Result<Point3> answerPoint(const Result<Variant>& answer);

// An array of at least three numbers as a point; further numbers are ignored.
Result<Point3> toPoint(const Variant& value);

// An object answer wrapped in its facade.
template <class Facade>
Result<Facade> answerObject(Result<DispatchPtr> object) {
  PLOTMATE_RETURN_IF_FAILED(object);
  return Facade(std::move(*object));
}

}  // namespace plotmate
