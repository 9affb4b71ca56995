#include "hosts/refused_steps.h"

#include <algorithm>
#include <array>
#include <vector>

namespace plotmate {

namespace {

// Long lists name their first items only.
constexpr std::size_t kItemsNamed = 12;

std::string joined(const std::vector<std::string>& items, std::string_view separator) {
  std::string out;
  for (std::size_t i = 0; i < items.size() && i < kItemsNamed; ++i)
    out += (i == 0 ? "" : std::string(separator)) + items[i];
  if (items.size() > kItemsNamed) out += std::string(separator) + "…";
  return out;
}

std::string lineFor(RefusedKind kind, const std::vector<std::string>& items) {
  const std::string count = std::to_string(items.size());
  switch (kind) {
    case RefusedKind::CellWrite:
      return count + " 个单元格未写入 (" + joined(items, ", ") + ")";
    case RefusedKind::CellRead:
      return count + " 个单元格未读到 (" + joined(items, ", ") + ")";
    case RefusedKind::CursorMove:
      return "活动单元格未移到 " + joined(items, "、");
    case RefusedKind::CommandRow:
      return "第 " + joined(items, "、") + " 行的命令未发送";
    case RefusedKind::SystemVariable:
      return "系统变量 " + joined(items, "、") + " 未设置";
    case RefusedKind::UndoMark:
      return "撤销编组的" + joined(items, "、") + "标记未设置";
    case RefusedKind::VertexRead:
      return "第 " + joined(items, "、") + " 个顶点的坐标未读全，缺的值沿用了前一个顶点的（第一个顶点为 0）";
    case RefusedKind::PointRead:
      return "第 " + joined(items, "、") + " 个点的坐标未转换，记下的是前一个点的坐标（第一个点为 0）";
    case RefusedKind::CrossingRead:
      return "第 " + joined(items, "、") + " 条交线的坐标未读全，缺的值沿用了前一条的（第一条为 0）";
    case RefusedKind::Other:
      return joined(items, "\n");
  }
  return {};
}

}  // namespace

std::string RefusedStepsText(std::span<const RefusedStep> steps) {
  constexpr std::size_t kKinds = static_cast<std::size_t>(RefusedKind::Other) + 1;
  std::array<std::vector<std::string>, kKinds> byKind;
  // A step refused twice (a variable set and set back) is named once.
  for (const RefusedStep& step : steps) {
    auto& items = byKind[static_cast<std::size_t>(step.kind)];
    if (std::find(items.begin(), items.end(), step.item) == items.end()) items.push_back(step.item);
  }
  std::string text;
  for (std::size_t k = 0; k < kKinds; ++k) {
    if (byKind[k].empty()) continue;
    if (!text.empty()) text += "\n";
    text += lineFor(static_cast<RefusedKind>(k), byKind[k]);
  }
  return text;
}

}  // namespace plotmate
