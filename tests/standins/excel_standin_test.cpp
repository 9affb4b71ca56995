#include <gtest/gtest.h>

#include "hosts/excel.h"
#include "sim/sheet/excel_objects.h"

namespace plotmate::sim {
namespace {

using namespace std::string_literals;

class ExcelStandInTest : public ::testing::Test {
 protected:
  std::shared_ptr<Worksheet> sheet = std::make_shared<Worksheet>();
  ExcelStandIn host = makeExcelStandIn(sheet);
  ExcelApp excel{host.application};

  // The address of what `target.member(args)` returns, or the error's code as text.
  static std::string addressOf(Dispatch& target, std::string_view member,
                               std::vector<Variant> args = {}) {
    auto range = getObject(target, member, std::move(args));
    if (!range) return "error " + std::to_string(range.error().code);
    auto address = (*range)->get("Address");
    return address ? *address->getIf<std::string>() : "no address";
  }
  std::string addressOf(std::string_view member, std::vector<Variant> args = {}) {
    return addressOf(*host.application, member, std::move(args));
  }
  DispatchPtr range(const std::string& a1) { return *getObject(*host.application, "Range", {a1}); }
};

const std::string kObjectDefined = "error " + std::to_string(xl::kObjectDefinedError);

TEST_F(ExcelStandInTest, CellsAndRangeAddressing) {
  const std::pair<std::vector<Variant>, const char*> cells[] = {
      {{2, 3}, "$C$2"},
      {{2.0, "B"}, "$B$2"},  // numbers of any kind, columns by letter
      {{xl::kMaxRow, xl::kMaxColumn}, "$XFD$1048576"},
      {{0, 1}, kObjectDefined.c_str()},
      {{1, 0}, kObjectDefined.c_str()},
      {{1, xl::kMaxColumn + 1}, kObjectDefined.c_str()},
      {{xl::kMaxRow + 1, 1}, kObjectDefined.c_str()},
      {{}, "$A$1:$XFD$1048576"},
  };
  for (const auto& [args, expected] : cells) EXPECT_EQ(addressOf("Cells", args), expected);

  const std::pair<std::vector<Variant>, const char*> ranges[] = {
      {{"B2:C3"}, "$B$2:$C$3"},
      {{"c3:b2"}, "$B$2:$C$3"},
      {{"$B$2"}, "$B$2"},
      {{"B2", "D4"}, "$B$2:$D$4"},
      {{"A0"}, kObjectDefined.c_str()},
      {{"B02"}, kObjectDefined.c_str()},  // no leading zero in a row number
      {{"XFE1"}, kObjectDefined.c_str()},
      {{"B2:"}, kObjectDefined.c_str()},
      {{""}, kObjectDefined.c_str()},
      {{5.0}, kObjectDefined.c_str()},
  };
  for (const auto& [args, expected] : ranges) EXPECT_EQ(addressOf("Range", args), expected);

  // Range(Cells, Cells) spans both, whichever corners they are.
  auto c3 = *getObject(*host.application, "Cells", {3, 3});
  auto b2 = *getObject(*host.application, "Cells", {2, 2});
  EXPECT_EQ(addressOf("Range", {c3, b2}), "$B$2:$C$3");

  // A Range arriving through another Dispatch (a COM proxy) is placed by its Address.
  struct ForeignRange : Dispatch {
    Result<Variant> invoke(std::string_view name, CallKind, std::span<Variant>) override {
      if (equalsNoCase(name, "Address")) return Variant("$E$5");
      return fail(hr::kUnknownName, "Unknown name");
    }
  };
  EXPECT_EQ(addressOf("Range", {b2, std::make_shared<ForeignRange>()}), "$B$2:$E$5");

  // Cells of a range count from its top-left cell and may leave it.
  auto block = range("B2:C3");
  EXPECT_EQ(addressOf(*block, "Cells", {3, 1}), "$B$4");
  EXPECT_EQ(addressOf(*block, "Cells", {0, 1}), "$B$1");
  EXPECT_EQ(addressOf(*block, "Cells", {5}), "$B$4");  // row by row across two columns
  EXPECT_EQ(addressOf(*range("A1"), "Cells", {0, 1}), kObjectDefined);
}

TEST_F(ExcelStandInTest, OffsetAndResizeStopAtTheSheetEdges) {
  const std::tuple<const char*, std::vector<Variant>, const char*> cases[] = {
      {"B2", {1, 2}, "$D$3"},
      {"A1", {Missing{}, 3}, "$D$1"},  // an omitted offset is 0
      {"A1", {4}, "$A$5"},
      {"B2:C3", {-1, -1}, "$A$1:$B$2"},
      {"B2:C3", {-2, 0}, kObjectDefined.c_str()},
      {"A1", {0, -1}, kObjectDefined.c_str()},
      {"XFD1048576", {1, 0}, kObjectDefined.c_str()},
      {"XFD1048576", {0, 1}, kObjectDefined.c_str()},
      {"A1", {2147483647, 0}, kObjectDefined.c_str()},
  };
  for (const auto& [from, args, expected] : cases)
    EXPECT_EQ(addressOf(*range(from), "Offset", args), expected) << from;
  // Resize keeps the top-left cell; a size below one is refused.
  EXPECT_EQ(addressOf(*range("B2:C3"), "Resize", {1, 3}), "$B$2:$D$2");
  EXPECT_EQ(addressOf(*range("B2"), "Resize", {0, 1}), kObjectDefined);
}

TEST_F(ExcelStandInTest, BlockValuesReadAndWriteInOneCall) {
  auto block = excel.range("B2:C3");
  ASSERT_TRUE(block);
  VariantGrid grid(2, 2);
  grid.at(0, 0) = 1.0;
  grid.at(0, 1) = "12.5";  // parsed as typed input
  grid.at(1, 0) = "text";
  grid.at(1, 1) = Empty{};
  ASSERT_TRUE(block->setValues(grid));
  EXPECT_EQ(sheet->value({2, 3}), Variant(12.5));
  grid.at(0, 1) = 12.5;
  EXPECT_EQ(block->values(2, 2), grid);

  auto single = excel.cells(2, 2);
  ASSERT_TRUE(single);
  VariantGrid one(1, 1);
  one.at(0, 0) = 1.0;
  EXPECT_EQ(single->values(1, 1), one);  // one cell reads as a 1 x 1 block
  EXPECT_EQ(single->value(), Variant(1.0));
}

TEST_F(ExcelStandInTest, NoCellRangeOrNoWorkbook) {
  sheet->selectObject("Rectangle 1");
  auto selection = excel.selection();
  ASSERT_TRUE(selection);  // an object, but no range
  auto row = selection->row();
  ASSERT_FALSE(row);
  EXPECT_EQ(row.error().code, hr::kUnknownName);

  auto closed = makeExcelStandIn(nullptr);
  ExcelApp none(closed.application);
  EXPECT_FALSE(none.activeCell());
  EXPECT_FALSE(none.selection());
  EXPECT_FALSE(none.usedRange());
  auto cell = none.cells(1, 1);
  ASSERT_FALSE(cell);
  EXPECT_EQ(cell.error().code, xl::kObjectDefinedError);
}

}  // namespace
}  // namespace plotmate::sim
