#include "sim/sheet/sheet_area.h"

#include <algorithm>
#include <charconv>

namespace plotmate::sim {

bool inSheet(CellRef cell, SheetSize size) {
  return cell.row >= 1 && cell.row <= size.rows && cell.column >= 1 && cell.column <= size.columns;
}

Area Area::spanning(CellRef a, CellRef b) {
  return {{std::min(a.row, b.row), std::min(a.column, b.column)},
          {std::max(a.row, b.row), std::max(a.column, b.column)}};
}

Area Area::spanning(const Area& a, const Area& b) {
  Area firsts = spanning(a.first, b.first);
  Area lasts = spanning(a.last, b.last);
  return {firsts.first, lasts.last};
}

bool Area::contains(CellRef c) const {
  return c.row >= first.row && c.row <= last.row && c.column >= first.column &&
         c.column <= last.column;
}

bool Area::contains(const Area& inner) const {
  return contains(inner.first) && contains(inner.last);
}

bool Area::inSheet(SheetSize size) const {
  return sim::inSheet(first, size) && sim::inSheet(last, size);
}

std::optional<Area> Area::shifted(std::int64_t rowBy, std::int64_t columnBy, SheetSize size) const {
  auto fits = [](std::int64_t v, std::int64_t limit) { return v >= 1 && v <= limit; };
  std::int64_t r0 = first.row + rowBy, r1 = last.row + rowBy;
  std::int64_t c0 = first.column + columnBy, c1 = last.column + columnBy;
  if (!fits(r0, size.rows) || !fits(r1, size.rows) || !fits(c0, size.columns) ||
      !fits(c1, size.columns))
    return std::nullopt;
  return Area{{static_cast<std::int32_t>(r0), static_cast<std::int32_t>(c0)},
              {static_cast<std::int32_t>(r1), static_cast<std::int32_t>(c1)}};
}

namespace {

bool isLetter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

}  // namespace

std::optional<std::int32_t> parseColumnLetters(std::string_view letters) {
  if (letters.empty()) return std::nullopt;
  std::int32_t column = 0;
  for (char c : letters) {
    if (!isLetter(c)) return std::nullopt;
    column = column * 26 + (static_cast<char>(c & ~0x20) - 'A' + 1);
    if (column > xl::kMaxColumn) return std::nullopt;
  }
  return column;
}

std::optional<CellRef> parseCellText(std::string_view text) {
  if (text.starts_with('$')) text.remove_prefix(1);
  std::size_t letters = 0;
  while (letters < text.size() && isLetter(text[letters])) ++letters;
  auto column = parseColumnLetters(text.substr(0, letters));
  text.remove_prefix(letters);
  if (text.starts_with('$')) text.remove_prefix(1);
  if (!column || text.empty() || !isDigit(text.front()) || text.front() == '0') return std::nullopt;
  std::int32_t row = 0;
  auto r = std::from_chars(text.data(), text.data() + text.size(), row);
  if (r.ec != std::errc() || r.ptr != text.data() + text.size()) return std::nullopt;
  CellRef cell{row, *column};
  if (!inSheet(cell)) return std::nullopt;
  return cell;
}

std::optional<Area> parseAreaText(std::string_view text) {
  auto colon = text.find(':');
  if (colon == std::string_view::npos) {
    auto cell = parseCellText(text);
    if (!cell) return std::nullopt;
    return Area::cell(*cell);
  }
  auto a = parseCellText(text.substr(0, colon));
  auto b = parseCellText(text.substr(colon + 1));
  if (!a || !b) return std::nullopt;
  return Area::spanning(*a, *b);
}

std::string columnLetters(std::int32_t column) {
  std::string out;
  for (std::int32_t n = column; n > 0; n = (n - 1) / 26)
    out.insert(out.begin(), static_cast<char>('A' + (n - 1) % 26));
  return out;
}

namespace {

std::string absoluteCell(CellRef c) {
  return "$" + columnLetters(c.column) + "$" + std::to_string(c.row);
}

}  // namespace

std::string absoluteAddress(const Area& area) {
  if (area.first == area.last) return absoluteCell(area.first);
  return absoluteCell(area.first) + ":" + absoluteCell(area.last);
}

}  // namespace plotmate::sim
