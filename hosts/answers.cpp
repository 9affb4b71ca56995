#include "hosts/answers.h"

#include <cmath>
#include <limits>

namespace plotmate {

Result<void> answerDone(const Result<Variant>& answer) {
  PLOTMATE_RETURN_IF_FAILED(answer);
  return {};
}

Result<std::string> answerText(const Result<Variant>& answer) {
  PLOTMATE_RETURN_IF_FAILED(answer);
  if (auto s = answer->getIf<std::string>()) return *s;
  return fail(hr::kTypeMismatch, "Type mismatch: text expected, got " + describe(*answer));
}

Result<double> answerNumber(const Result<Variant>& answer) {
  PLOTMATE_RETURN_IF_FAILED(answer);
  if (auto d = asDouble(*answer)) return *d;
  return fail(hr::kTypeMismatch, "Type mismatch: number expected, got " + describe(*answer));
}

Result<std::int32_t> answerWholeNumber(const Result<Variant>& answer) {
  PLOTMATE_RETURN_IF_FAILED(answer);
  auto d = asDouble(*answer);
  // NaN fails every comparison, so it is refused with the fractions.
  if (!d || !(*d == std::floor(*d)) || *d < std::numeric_limits<std::int32_t>::min() ||
      *d > std::numeric_limits<std::int32_t>::max())
    return fail(hr::kTypeMismatch, "Type mismatch: expected a whole number, got " + describe(*answer));
  return static_cast<std::int32_t>(*d);
}

Result<std::vector<double>> answerNumbers(const Result<Variant>& answer) {
  PLOTMATE_RETURN_IF_FAILED(answer);
  return toDoubles(*answer);
}

Result<Point3> answerPoint(const Result<Variant>& answer) {
  PLOTMATE_RETURN_IF_FAILED(answer);
  return toPoint(*answer);
}

Result<Point3> toPoint(const Variant& value) {
  PLOTMATE_TRY(list, toDoubles(value));
  if (list->size() < 3) return fail(hr::kTypeMismatch, "Type mismatch: a point needs three numbers");
  return Point3{(*list)[0], (*list)[1], (*list)[2]};
}

}  // namespace plotmate
