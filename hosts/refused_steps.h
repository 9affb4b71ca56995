#pragma once
// A step of a tool run that the host refused. The run drops it and goes on
// (everything that can be written is written), and the run's end says once,
// in a drafter's words, what each refused step would have done.

#include <span>
#include <string>

namespace plotmate {

// What a refused step would have done; each kind is one line of the report.
enum class RefusedKind {
  CellWrite,       // item: the cell, "B4"
  CellRead,        // item: the cell whose value was not read
  CursorMove,      // item: the cell the active cell should have ended on
  CommandRow,      // item: the worksheet row whose command line was not sent, "5"
  SystemVariable,  // item: the variable's name
  UndoMark,        // item: "开始" or "结束"
  VertexRead,      // item: the vertex's number, counted from 1
  CrossingRead,    // item: the crossing line's number, counted from 1
  PointRead,       // item: the pick's number in the run, counted from 1
  Other,           // item: what was not done, in a drafter's words (always last)
};

struct RefusedStep {
  RefusedKind kind = RefusedKind::CellWrite;
  std::string item;
  bool operator==(const RefusedStep&) const = default;
};

// One line per kind, in the order of RefusedKind, each naming its steps as
// they came: "3 个单元格未写入 (B4, C9, D9)", "第 5、9、40 行的命令未发送".
std::string RefusedStepsText(std::span<const RefusedStep> steps);

}  // namespace plotmate
