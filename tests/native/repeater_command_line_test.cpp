#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "repeater/command_line_builder.h"
#include "repeater/engineering_pairs.h"
#include "repeater/value_text.h"

namespace plotmate {
namespace {

using namespace std::string_literals;
using Row = std::vector<Variant>;

CapturedBlock blockOf(const std::vector<Row>& rows) {
  const auto columns = static_cast<std::int32_t>(rows.empty() ? 0 : rows[0].size());
  CapturedBlock block(columns, static_cast<std::int32_t>(rows.size()));
  for (std::int32_t r = 0; r < block.rows(); ++r)
    for (std::int32_t c = 0; c < columns; ++c) *block.value(c, r) = rows[r][c];
  return block;
}

// CR shown as ⏎, the way the examples are written.
std::string visible(const std::string& line) {
  std::string out;
  for (char c : line) out += c == '\r' ? "⏎"s : std::string(1, c);
  return out;
}

std::string lineFor(const RepeaterForm& form, const Row& row) {
  return visible(BuildCommandLine(form, blockOf({row}), 0));
}

// Parameter n (1-based) read from the sheet, optionally with its pair box.
void fromSheet(RepeaterForm& form, std::size_t n, bool pair = false) {
  form.setCheck1(n - 1, true);
  form.setCheck2(n - 1, pair);
}

TEST(RepeaterValueTextTest, CellValuesAsCommandAnswers) {
  const std::pair<Variant, std::optional<std::string>> cases[] = {
      {100.0, "100"},
      {3500.25, "3500.25"},
      {-0.5, "-0.5"},
      {0.1 + 0.2, "0.3"},  // 15 significant digits
      {1e20, "100000000000000000000"},
      {-1.5e-7, "-0.00000015"},
      {std::int32_t{70000}, "70000"},
      {std::int16_t{-3}, "-3"},
      {"A1"s, "A1"},
      {"测点 P7"s, "测点 P7"},
      {"$"s, "$"},
      {"two\nlines"s, "two lines"},  // a line break would be taken as Enter
      {"tab\there\x1b"s, "tab here "},
      {"del\x7f~"s, "del ~"},
      {Empty{}, ""},
      {true, "TRUE"},
      {false, "FALSE"},
      {CellError{2042}, std::nullopt},
      {std::numeric_limits<double>::infinity(), std::nullopt},
      {std::nan(""), std::nullopt},
      {Missing{}, std::nullopt},
      {VariantList{1.0}, std::nullopt},
  };
  for (const auto& [value, text] : cases)
    EXPECT_EQ(commandValueText(value), text) << describe(value);
}

// Each case: command box, then per parameter the typed text, worksheet box
// and pair box, a row of values, and the line.
struct Parameter { std::string text; bool sheet = false; bool pair = false; };
struct LineCase {
  const char* what;
  std::string command;
  std::vector<Parameter> parameters;
  Row row;
  std::string line;
};

TEST(RepeaterCommandLineTest, GenericLines) {
  const LineCase cases[] = {
      {"empty command box", "", {{"5"}}, {}, "⏎5⏎"},
      {"a gap ends the parameters", "line", {{"0,0"}, {"10,0"}, {""}, {"20,0"}}, {}, "line⏎0,0⏎10,0⏎"},
      {"typed mark is a bare Enter", "text", {{"$"}, {"$$"}}, {}, "text⏎⏎$$⏎"},
      {"sheet value equal to the mark is sent", "x", {{"", true}}, {"$"s}, "x⏎$⏎"},
      {"box text of a sheet parameter is never sent", "x", {{"typed", true}, {"7"}}, {1.0}, "x⏎1⏎7⏎"},
      {"too few columns: nothing, not even Enter", "x", {{"", true}, {"", true}, {"9"}}, {1.0}, "x⏎1⏎9⏎"},
      {"pair short of its Y", "x", {{"", true, true}, {"", true}, {"9"}}, {1.0}, "x⏎1,9⏎"},
      {"extra columns are ignored", "x", {{"", true}}, {1.0, 2.0, 3.0}, "x⏎1⏎"},
      {"error cell adds nothing", "x", {{"", true}, {"", true}}, {CellError{2007}, 2.0}, "x⏎2⏎"},
      {"empty cell is an empty answer", "x", {{"", true}, {"", true}}, {Empty{}, 2.0}, "x⏎⏎2⏎"},
      {"pair box on a typed parameter", "x", {{"a", false, true}, {"b"}}, {}, "x⏎a⏎b⏎"},
      {"three parts", "x", {{"", true, true}, {"", true, true}, {"", true}, {"r"}}, {1.0, 2.0, 3.0}, "x⏎1,2,3⏎r⏎"},
      {"pair then single", "x", {{"", true, true}, {"", true}, {"", true}}, {1.0, 2.0, 3.0}, "x⏎1,2⏎3⏎"},
      {"a consumed parameter is not visited", "x", {{"", true, true}, {""}, {"z"}}, {1.0, 2.0}, "x⏎1,2⏎z⏎"},
      {"lower-case zhandian is generic", "zhandian", {{"", true}, {"25"}}, {"P7"s, 1.0, 2.0}, "zhandian⏎P7⏎25⏎"},
  };
  for (const auto& c : cases) {
    RepeaterForm form;
    form.Combo1 = c.command;
    for (std::size_t i = 0; i < c.parameters.size(); ++i) form.setCheck1(i, c.parameters[i].sheet);
    for (std::size_t i = 0; i < c.parameters.size(); ++i) {
      if (!c.parameters[i].pair) continue;
      form.setCheck2(i, true);
      form.setCheck1(i + 1, c.parameters[i + 1].sheet);  // undo the chain where asked
    }
    for (std::size_t i = 0; i < c.parameters.size(); ++i) form.Text1[i] = c.parameters[i].text;
    EXPECT_EQ(lineFor(form, c.row), c.line) << c.what;
  }
}

TEST(RepeaterCommandLineTest, PairsAtTheLastParameters) {
  RepeaterForm form;
  form.Combo1 = "x";
  for (std::size_t i = 0; i < 9; ++i) form.Text1[i] = std::to_string(i + 1);
  fromSheet(form, 10, true);  // a pair from parameter 10 joins two columns
  EXPECT_EQ(lineFor(form, {1.5, 2.5, 3.5}), "x⏎1⏎2⏎3⏎4⏎5⏎6⏎7⏎8⏎9⏎1.5,2.5⏎");

  fromSheet(form, 9, true);  // 9 and 10 both paired: three parts, past the last parameter
  EXPECT_EQ(lineFor(form, {1.5, 2.5, 3.5}), "x⏎1⏎2⏎3⏎4⏎5⏎6⏎7⏎8⏎1.5,2.5,3.5⏎");
}

TEST(RepeaterCommandLineTest, ZhanDianLineIsWholeOrTheBareCommand) {
  RepeaterForm form;
  form.Combo1 = "ZhanDian";
  form.Combo1_Click();
  form.Text2 = "25";  // the mark plays no part in this line
  form.Text1[4] = "ignored";
  EXPECT_EQ(lineFor(form, {7.0, 0.5, Empty{}}), "-text⏎0.5,⏎25⏎0⏎7⏎point⏎0.5,⏎");
  EXPECT_EQ(lineFor(form, {"P1"s, CellError{2042}, 1.0}), "ZhanDian⏎");
  EXPECT_EQ(lineFor(form, {"P1"s, 1.0}), "ZhanDian⏎");  // no third column
  form.Text1[1] = "";
  EXPECT_EQ(lineFor(form, {"P1"s, 1.0, 2.0}), "-text⏎1,2⏎⏎0⏎P1⏎point⏎1,2⏎");
}

TEST(RepeaterCapturedBlockTest, HoldsOnlyItsOwnCells) {
  CapturedBlock block(2, 3);
  const std::pair<std::int32_t, std::int32_t> outside[] = {{2, 0}, {0, 3}, {-1, 0}, {0, -1}};
  for (const auto& [column, row] : outside) EXPECT_EQ(block.value(column, row), nullptr) << column << "," << row;
  EXPECT_NE(block.value(1, 2), nullptr);
  CapturedBlock negative(-1, 2);
  EXPECT_EQ(negative.value(0, 0), nullptr);
}

// A ZhanDian row and a parameter of three parts under engineering coordinates
// are checked by the golden scenarios repeater_zhandian_engineering and
// repeater_three_parts_engineering; here, a pair's place in the line.
TEST(RepeaterEngineeringPairsTest, PairsTradePlaces) {
  RepeaterForm pair;
  fromSheet(pair, 1, true);
  CapturedBlock block = blockOf({{3500.0, 8200.0}, {1.0, 2.0}});
  ASSERT_TRUE(ExchangeEngineeringPairs(pair, block));
  pair.Combo1 = "circle";
  pair.Text1[2] = "5";
  EXPECT_EQ(visible(BuildCommandLine(pair, block, 0)), "circle⏎8200,3500⏎5⏎");
  EXPECT_EQ(visible(BuildCommandLine(pair, block, 1)), "circle⏎2,1⏎5⏎");

  RepeaterForm last;  // a pair at parameter 10 has no next pair box
  fromSheet(last, 10, true);
  block = blockOf({{1.0, 2.0}});
  ASSERT_TRUE(ExchangeEngineeringPairs(last, block));
  EXPECT_EQ(*block.value(0, 0), Variant(2.0));

  RepeaterForm beyond;  // the pair's Y column is not selected: nothing moves
  fromSheet(beyond, 1);
  fromSheet(beyond, 2, true);
  block = blockOf({{1.0, 2.0}});
  ASSERT_TRUE(ExchangeEngineeringPairs(beyond, block));
  EXPECT_EQ(*block.value(1, 0), Variant(2.0));
}

}  // namespace
}  // namespace plotmate
