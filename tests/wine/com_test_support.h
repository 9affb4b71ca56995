#pragma once
// Shared by the COM tests: a plain local object to serve, and where the
// stand-in server is for tests that start and end private instances.

#include <windows.h>

#include <functional>
#include <string>

#include "hosts/com/apartment.h"
#include "hosts/dispatch.h"
#include "sim/apps/server_process.h"
#include "sim/com/served_object.h"

namespace plotmate::comtest {

// The suite's process serves objects of its own, as the stand-in servers do.
inline const bool kServesLocalObjects = [] {
  com::serveLocalObjects();
  return true;
}();

// The fixture's server (started by the CTest fixture before the suite runs).
inline constexpr const char* kFixtureProgId = "Plotmate.TestHost";

// A worksheet's #N/A, as a cell error code.
inline constexpr std::int32_t kNotAvailable = static_cast<std::int32_t>(0x800A07FAu);

// A rows x columns grid from its cells, row by row.
inline VariantGrid gridOf(std::size_t rows, std::size_t columns, std::vector<Variant> cells) {
  VariantGrid grid(rows, columns);
  grid.cells = std::move(cells);
  return grid;
}

// A Dispatch that records its last call and answers from a script.
class RecordingDispatch final : public Dispatch {
 public:
  std::string lastName;
  CallKind lastKind = CallKind::Method;
  std::vector<Variant> lastArgs;
  std::function<Result<Variant>(std::span<Variant>)> answer = [](std::span<Variant>) {
    return Result<Variant>(Variant());
  };

  Result<Variant> invoke(std::string_view name, CallKind kind, std::span<Variant> args) override {
    lastName = std::string(name);
    lastKind = kind;
    lastArgs.assign(args.begin(), args.end());
    return answer(args);
  }
};

// The stand-in server built beside the tests (<build>/tests, <build>/sim/apps).
inline std::wstring testsimPath() {
  return sim::besideThisProgram(L"..\\sim\\apps\\testsim.exe");
}

}  // namespace plotmate::comtest
