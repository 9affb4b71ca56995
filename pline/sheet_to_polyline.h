#pragma once
// "->Acad": one open polyline through the points selected in the worksheet,
// one point per row in two columns (a lightweight polyline) or three (a 3-D
// polyline), read in the drawing's current user coordinates.

#include <cstdint>
#include <optional>
#include <string_view>

#include "hosts/attach.h"
#include "hosts/excel.h"
#include "hosts/platform.h"
#include "shell/settings.h"

namespace plotmate {

// The selection is not two or three columns wide (or no cell range at all).
inline constexpr std::string_view kWrongColumnsMessage = "对不起，您的选择区域不对！";
// After kNoDrawingMessage: the last attach kept a document but no model space.
inline constexpr std::string_view kNoModelSpaceDescription = "无法取得当前图形的模型空间。";

// Told to the run report when the host refuses the step: the used rows
// unread (every selected row is then drawn, empty ones at 0), and the
// polyline of two or more vertices not drawn.
inline constexpr std::string_view kUsedRowsUnreadText =
    "工作表已用的行未读到，选区的每一行都算作多义线的顶点（空行按 0 计）";
inline constexpr std::string_view kPolylineRefusedText = "多义线没有画出";

// The rows of a selection: the first one and how many.
struct RowSpan {
  std::int32_t first = 0;
  std::int32_t count = 0;
  bool operator==(const RowSpan&) const = default;
};

// The selected rows that lie within the sheet's used rows: rows outside them
// are empty in every column, so a selection of whole columns reads only the
// rows that hold something. When the used area cannot be read, every selected
// row, and the refusal is told to `platform`'s run report.
RowSpan UsedRowsOfSelection(ExcelApp& excel, RowSpan selected, Platform& platform);

// A cell's value as a coordinate: empty reads as 0, numbers and number texts
// as themselves; nothing for anything else (a word, an error value).
std::optional<double> CellCoordinate(const Variant& value);

// One run of "->Acad" with the hosts of the last attach; `settings` is the
// run's copy (YOX). Host actions that fail are dropped; a wrong selection
// shape shows kWrongColumnsMessage and draws nothing.
void SheetToPolyline(const HostSession& hosts, Platform& platform, Settings settings);

}  // namespace plotmate
