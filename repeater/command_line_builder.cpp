#include "repeater/command_line_builder.h"

#include <optional>

#include "repeater/value_text.h"

namespace plotmate {

namespace {

std::optional<std::string> valueText(const CapturedBlock& block, std::int32_t column,
                                     std::int32_t row) {
  const Variant* value = block.value(column, row);
  if (!value) return std::nullopt;
  return commandValueText(*value);
}

// One value with its separator; a value outside the block or without a text
// adds neither.
void appendValue(std::string& line, const CapturedBlock& block, std::int32_t column,
                 std::int32_t row, char separator) {
  if (auto text = valueText(block, column, row)) {
    line += *text;
    line += separator;
  }
}

// The command, then parameters 1 to 10 until the first one that is empty and
// not read from the sheet. `column` is the next worksheet column to consume.
std::string genericLine(const RepeaterForm& form, const CapturedBlock& block, std::int32_t row) {
  std::string line = form.Combo1 + kEnter;
  std::int32_t column = 0;
  std::size_t i = 0;
  while (i < kParameterCount) {
    const bool fromSheet = form.Check1(i);
    if (!fromSheet && form.Text1[i].empty()) break;
    if (!fromSheet) {
      if (form.Text1[i] != form.Text2) line += form.Text1[i];
      line += kEnter;
      i += 1;
    } else if (!form.Check2(i)) {
      appendValue(line, block, column++, row, kEnter);
      i += 1;
    } else if (!form.Check2(i + 1)) {  // X,Y: the next parameter is consumed
      appendValue(line, block, column++, row, ',');
      appendValue(line, block, column++, row, kEnter);
      i += 2;
    } else {  // X,Y,Z: the next two parameters are consumed
      appendValue(line, block, column++, row, ',');
      appendValue(line, block, column++, row, ',');
      appendValue(line, block, column++, row, kEnter);
      i += 3;
    }
  }
  return line;
}

// A text label of the point number at the station, then a point there. Built
// whole or not at all: without every piece the line is the bare command.
std::string zhanDianLine(const RepeaterForm& form, const CapturedBlock& block, std::int32_t row) {
  const auto number = valueText(block, 0, row);
  const auto x = valueText(block, 1, row);
  const auto y = valueText(block, 2, row);
  if (!number || !x || !y) return form.Combo1 + kEnter;
  const std::string at = *x + "," + *y + kEnter;
  const std::string& height = form.Text1[1];
  return "-text\r" + at + height + kEnter + "0\r" + *number + kEnter + "point\r" + at;
}

}  // namespace

std::string BuildCommandLine(const RepeaterForm& form, const CapturedBlock& block,
                             std::int32_t row) {
  if (form.Combo1 == kZhanDian) return zhanDianLine(form, block, row);
  return genericLine(form, block, row);
}

}  // namespace plotmate
