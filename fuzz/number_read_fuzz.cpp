// The number readers: any text reads without harm, and what they read is a
// number the text forms write and read back.

#include <cmath>
#include <cstdint>
#include <string_view>

#include "format/number_read.h"
#include "format/number_text.h"
#include "fuzz_check.h"

using namespace plotmate;

namespace {

void readsBack(double value) {
  if (!std::isfinite(value)) return;
  auto back = parseNumberText(plainForm(value));
  FUZZ_CHECK(back && std::isfinite(*back));
  FUZZ_CHECK(std::abs(*back - value) <= std::abs(value) * 1e-14);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const double leading = LeadingNumber(text);
  FUZZ_CHECK(!std::isnan(leading));
  readsBack(leading);
  readsBack(LeadingNumber(text, kBlankTabLineFeed));
  (void)ReadPrecisionText(text);
  if (auto parsed = parseNumberText(text)) readsBack(*parsed);
  return 0;
}
