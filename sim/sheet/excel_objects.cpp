#include "sim/sheet/excel_objects.h"

#include "sim/args.h"
#include "sim/sheet/excel_range.h"

namespace plotmate::sim {

namespace {

std::unexpected<Error> objectDefined() {
  return fail(xl::kObjectDefinedError, xl::kObjectDefinedText);
}

Variant nothing() {
  return DispatchPtr();
}

// A shape or chart selected on the sheet: the Selection is then this object,
// which has none of a Range's members (asking it for Row fails as in Excel).
class DrawingObject final : public SimObject {
 public:
  DrawingObject(std::shared_ptr<HostContext> context, std::string name)
      : SimObject(std::move(context), "Rectangle"), name_(std::move(name)) {}

 protected:
  Result<Variant> invokeMember(std::string_view member, CallKind kind,
                               std::span<Variant> args) override {
    static const MemberTable<DrawingObject> table{{"Name", &DrawingObject::name}};
    return table.invoke(*this, member, kind, args);
  }

 private:
  Result<Variant> name(std::span<Variant>) { return name_; }
  std::string name_;
};

// The active sheet ("Worksheet"): Cells and Range as on the application,
// UsedRange, and Rows and Columns (their Count is the sheet's size).
class SheetObject final : public SimObject {
 public:
  SheetObject(std::shared_ptr<HostContext> context, std::shared_ptr<Worksheet> sheet)
      : SimObject(std::move(context), "Worksheet"), sheet_(std::move(sheet)) {}

 protected:
  Result<Variant> invokeMember(std::string_view member, CallKind kind,
                               std::span<Variant> args) override {
    using S = SheetObject;
    static const MemberTable<S> table{{"UsedRange", &S::usedRange},
                                      {"Cells", &S::cells},
                                      {"Range", &S::range},
                                      {"Rows", &S::rows},
                                      {"Columns", &S::columns},
                                      {"Name", &S::name}};
    return table.invoke(*this, member, kind, args);
  }

 private:
  // UsedRange: from the first to the last used row and column, so it starts at
  // A1 only when row 1 and column A hold something; on an empty sheet it is A1.
  Result<Variant> usedRange(std::span<Variant> args) {
    PLOTMATE_RETURN_IF_FAILED(expectArgs(args, 0, 0));
    Area used = sheet_->usedArea().value_or(Area::cell({1, 1}));
    return Variant(std::make_shared<RangeObject>(sharedContext(), sheet_, used));
  }
  Result<Variant> cells(std::span<Variant> args) {
    return cellsOf(sharedContext(), sheet_, sheet_->whole(), args);
  }
  Result<Variant> range(std::span<Variant> args) { return rangeOf(sharedContext(), sheet_, args); }
  Result<Variant> rows(std::span<Variant> args) { return wholeSheet(args, RangeUnit::Rows); }
  Result<Variant> columns(std::span<Variant> args) { return wholeSheet(args, RangeUnit::Columns); }
  Result<Variant> wholeSheet(std::span<Variant> args, RangeUnit unit) {
    PLOTMATE_RETURN_IF_FAILED(expectArgs(args, 0, 0));
    return Variant(std::make_shared<RangeObject>(sharedContext(), sheet_, sheet_->whole(), unit));
  }
  Result<Variant> name(std::span<Variant>) { return "Sheet1"; }

  std::shared_ptr<Worksheet> sheet_;
};

// "Excel.Application": every cell operation goes to the active sheet.
class ApplicationObject final : public SimObject {
 public:
  ApplicationObject(std::shared_ptr<HostContext> context, std::shared_ptr<Worksheet> sheet)
      : SimObject(std::move(context), "Application"), sheet_(std::move(sheet)) {}

 protected:
  Result<Variant> invokeMember(std::string_view member, CallKind kind,
                               std::span<Variant> args) override {
    using A = ApplicationObject;
    static const MemberTable<A> table{
        {"ActiveCell", &A::activeCell},
        {"Selection", &A::selection},
        {"Cells", &A::cells},
        {"Range", &A::range},
        {"ActiveSheet", &A::activeSheet},
        {"Visible", &A::visible, &A::setVisible},
        {"Name", &A::name},
        {"Hwnd", &A::hwnd},
    };
    return table.invoke(*this, member, kind, args);
  }

 private:
  Result<Variant> activeCell(std::span<Variant> args) {
    PLOTMATE_RETURN_IF_FAILED(expectArgs(args, 0, 0));
    if (!sheet_) return nothing();
    return Variant(
        std::make_shared<RangeObject>(sharedContext(), sheet_, Area::cell(sheet_->activeCell())));
  }

  Result<Variant> selection(std::span<Variant> args) {
    PLOTMATE_RETURN_IF_FAILED(expectArgs(args, 0, 0));
    if (!sheet_) return nothing();
    if (const auto& shape = sheet_->selectedObject())
      return Variant(std::make_shared<DrawingObject>(sharedContext(), *shape));
    return Variant(std::make_shared<RangeObject>(sharedContext(), sheet_, sheet_->selection()));
  }

  Result<Variant> cells(std::span<Variant> args) {
    if (!sheet_) return objectDefined();
    return cellsOf(sharedContext(), sheet_, sheet_->whole(), args);
  }

  Result<Variant> range(std::span<Variant> args) {
    if (!sheet_) return objectDefined();
    return rangeOf(sharedContext(), sheet_, args);
  }

  Result<Variant> activeSheet(std::span<Variant> args) {
    PLOTMATE_RETURN_IF_FAILED(expectArgs(args, 0, 0));
    if (!sheet_) return nothing();
    return Variant(std::make_shared<SheetObject>(sharedContext(), sheet_));
  }

  Result<Variant> visible(std::span<Variant>) { return visible_; }
  Result<Variant> setVisible(std::span<Variant> args) {
    PLOTMATE_RETURN_IF_FAILED(expectArgs(args, 1, 1));
    PLOTMATE_TRY(on, argBool(args, 0));
    visible_ = *on;
    return Variant{};
  }

  Result<Variant> name(std::span<Variant>) {
    return std::string(profileOf(context(), HostKind::Spreadsheet).name);
  }
  Result<Variant> hwnd(std::span<Variant> args) {
    PLOTMATE_RETURN_IF_FAILED(expectArgs(args, 0, 0));
    return windowHandleAnswer(context().mainWindow);
  }

  std::shared_ptr<Worksheet> sheet_;
  bool visible_ = true;
};

}  // namespace

ExcelStandIn makeExcelStandIn(std::shared_ptr<Worksheet> sheet) {
  auto context = std::make_shared<HostContext>();
  return {std::make_shared<ApplicationObject>(context, std::move(sheet)), context};
}

}  // namespace plotmate::sim
