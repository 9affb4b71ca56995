// FormatFixed and the text forms, for any double (every bit pattern) and any
// precision: the texts read back as the rounded value, never with an exponent.

#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstdint>
#include <string>

#include "format/format_fixed.h"
#include "format/number_read.h"
#include "format/number_text.h"
#include "fuzz_check.h"

using namespace plotmate;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const double value = input.ConsumeFloatingPoint<double>();
  const auto decimals = input.ConsumeIntegral<std::int16_t>();
  const auto digits = input.ConsumeIntegralInRange<int>(-2, 17);

  for (const std::string& text : {plainForm(value), countingForm(value, digits)}) {
    FUZZ_CHECK(text.find_first_of("eE") == std::string::npos);
    auto back = parseNumberText(text);
    FUZZ_CHECK(back && std::isfinite(*back));
  }

  // Thousands of decimals are a text of that length: held to what a drafter
  // could set, the call stays fast while still passing every digit count.
  const auto [rounded, fixed] =
      FormatFixed(value, kFieldWidth, static_cast<std::int16_t>(decimals % 400));
  if (!std::isfinite(value)) {
    FUZZ_CHECK(fixed.find(kNotANumberText) != std::string::npos);
    return 0;
  }
  FUZZ_CHECK(fixed.find_first_of("eE") == std::string::npos);
  FUZZ_CHECK(std::isfinite(rounded));
  const double read = LeadingNumber(fixed);
  FUZZ_CHECK(std::abs(read - rounded) <= std::abs(rounded) * 1e-14);  // 15 significant digits
  FUZZ_CHECK(CellText(value, static_cast<std::int16_t>(decimals % 400)).find(' ') == std::string::npos);
  return 0;
}
