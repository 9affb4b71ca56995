// The selection filter's type patterns: any pattern against any name, and
// against every entity type, answers without harm; a name matches itself.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>

#include "fuzz_check.h"
#include "sim/drawing/type_filter.h"

using namespace plotmate::sim;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const std::string name = input.ConsumeRandomLengthString(64);
  const std::string pattern = input.ConsumeRemainingBytesAsString();
  (void)matchesWildcard(pattern, name);
  for (int kind = 0; kind <= static_cast<int>(EntityKind::Region); ++kind)
    (void)matchesTypeFilter(pattern, static_cast<EntityKind>(kind));
  // A plain name (no wildcard characters) matches itself.
  if (name.find_first_of("#@.*?~[]`,") == std::string::npos) FUZZ_CHECK(matchesWildcard(name, name));
  return 0;
}
