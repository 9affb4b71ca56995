// Typed points and numbers: any text, in any user system, gives a point, a
// finite number or nothing, never a crash.

#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstdint>
#include <string>

#include "fuzz_check.h"
#include "sim/drawing/typed_input.h"

using namespace plotmate::sim;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const bool turned = input.ConsumeBool();
  const Vec3 last{input.ConsumeFloatingPointInRange(-1e6, 1e6), input.ConsumeFloatingPointInRange(-1e6, 1e6), 0};
  const std::string text = input.ConsumeRemainingBytesAsString();
  Ucs ucs;
  if (turned) ucs = {{10, 20, 30}, {0, 1, 0}, {-1, 0, 0}};
  if (auto number = parseTypedNumber(text)) {
    FUZZ_CHECK(std::isfinite(*number));
    (void)unitsText(*number);
  }
  // Every number in a point is finite, but sums near the top of the range may
  // still overflow: the point itself is only required not to break anything.
  (void)parseTypedPoint(text, ucs, last);
  return 0;
}
