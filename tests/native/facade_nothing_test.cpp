// Facades over a host object that never arrived (a failed read left the
// variable empty): every member fails like VB's Nothing, nothing crashes.

#include <gtest/gtest.h>

#include <functional>

#include "hosts/acad.h"
#include "hosts/excel.h"

namespace plotmate {
namespace {

// The call's error; code 0 when it succeeded.
template <class T>
Error errorOf(const Result<T>& result) {
  return result ? Error{} : result.error();
}

TEST(FacadeOverNothing, EveryMemberFailsWithObjectNotSet) {
  AcadEntity entity;
  AcadDocument document;
  AcadSelectionSet set;
  ExcelRange range{nullptr};
  ExcelApp excel{nullptr};
  const struct {
    const char* member;
    std::function<Error()> call;
  } cases[] = {
      {"AcadEntity.ObjectName", [&] { return errorOf(entity.objectName()); }},
      {"AcadDocument.Utility", [&] { return errorOf(document.utility()); }},
      {"AcadSelectionSet.Count", [&] { return errorOf(set.count()); }},
      {"ExcelRange.Value put", [&] { return errorOf(range.setValue(1.0)); }},
      {"ExcelRange.Row", [&] { return errorOf(range.row()); }},
      {"ExcelApp.Selection", [&] { return errorOf(excel.selection()); }},
      {"ExcelApp.Cells.Value", [&] { return errorOf(excel.cellValue(1, 1)); }},
  };
  for (const auto& c : cases) {
    const Error error = c.call();
    EXPECT_EQ(error.code, hr::kObjectNotSet) << c.member;
    EXPECT_EQ(error.description, "Object variable or With block variable not set") << c.member;
  }
  const auto geometry = ReadSelection(excel).geometry;
  EXPECT_EQ(geometry.rows + geometry.columns + geometry.row + geometry.column, 0);
}

}  // namespace
}  // namespace plotmate
