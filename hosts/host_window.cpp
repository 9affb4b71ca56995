#include "hosts/host_window.h"

#include <cmath>

namespace plotmate {

namespace {

std::optional<std::int64_t> fromInteger(std::int64_t value) {
  const auto handle = static_cast<std::int64_t>(static_cast<std::int32_t>(static_cast<std::uint32_t>(value)));
  if (handle == 0) return std::nullopt;
  return handle;
}

}  // namespace

std::optional<std::int64_t> windowHandle(const Variant& value) {
  if (const auto* small = value.getIf<std::int16_t>()) return fromInteger(*small);
  if (const auto* medium = value.getIf<std::int32_t>()) return fromInteger(*medium);
  if (const auto* wide = value.getIf<double>()) {
    // From -2^63 up to 2^64: a 64-bit integer, signed or not.
    if (!std::isfinite(*wide) || std::trunc(*wide) != *wide || *wide < -9223372036854775808.0 ||
        *wide >= 18446744073709551616.0)
      return std::nullopt;
    const auto whole = *wide < 0 ? static_cast<std::int64_t>(*wide)
                                 : static_cast<std::int64_t>(static_cast<std::uint64_t>(*wide));
    return fromInteger(whole);
  }
  return std::nullopt;
}

std::optional<std::int64_t> mainWindowOf(Dispatch& application, HostKind kind) {
  auto answer = application.get(kind == HostKind::Drawing ? "HWND" : "Hwnd");
  if (!answer) return std::nullopt;
  return windowHandle(*answer);
}

std::optional<std::int64_t> attachedHostWindow(const HostSession& session, std::string_view title) {
  if (title == kAcadWindowTitle && session.AcadApp && session.AcadMissing == 0)
    return mainWindowOf(*session.AcadApp, HostKind::Drawing);
  if (title == kExcelWindowTitle && session.ExcelApp && session.ExcelMissing == 0)
    return mainWindowOf(*session.ExcelApp, HostKind::Spreadsheet);
  return std::nullopt;
}

}  // namespace plotmate
