// The worksheet's CSV: any bytes read without harm; a sheet read, written and
// read again holds the same cells.

#include <cstdint>
#include <string_view>

#include "fuzz_check.h"
#include "sim/sheet/sheet_csv.h"

using namespace plotmate::sim;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  auto first = worksheetFromCsv(std::string_view(reinterpret_cast<const char*>(data), size));
  if (!first) return 0;
  const std::string written = worksheetToCsv(*first);
  auto second = worksheetFromCsv(written);
  FUZZ_CHECK(second);
  FUZZ_CHECK(second->cells() == first->cells());
  FUZZ_CHECK(worksheetToCsv(*second) == written);
  return 0;
}
