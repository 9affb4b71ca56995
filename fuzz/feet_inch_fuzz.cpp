// The feet-inch converter: any typed text gives a length, a message or
// nothing, never a crash; a length's text reads back as a number.

#include <cmath>
#include <cstdint>
#include <string_view>

#include "convert/feet_inch.h"
#include "format/number_read.h"
#include "fuzz_check.h"

using namespace plotmate;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const std::string shown = FeetInchResultText(text);
  auto millimetres = FeetInchToMillimetres(text);
  if (!millimetres) {
    FUZZ_CHECK(shown == kZeroDenominatorText);
    return 0;
  }
  if (shown == kTooLargeText) return 0;
  FUZZ_CHECK(shown.find_first_of("eE") == std::string::npos);
  FUZZ_CHECK(std::isfinite(LeadingNumber(shown)));
  return 0;
}
