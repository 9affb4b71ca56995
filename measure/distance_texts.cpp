#include "measure/distance_texts.h"

#include "format/format_fixed.h"
#include "hosts/broker.h"

namespace plotmate {

void UpdateDistanceTexts(const AcadDocument& document, AcadSelectionSet& textSet,
                         MeasureRow row, const std::string& prefix, std::int16_t decimals,
                         Platform* report) {
  const std::string name(kTextSelectionSetName);
  auto sets = document.selectionSets();
  Result<AcadSelectionSet> set = sets ? sets->item(name) : std::unexpected(sets.error());
  if (!set && sets) set = sets->add(name);
  if (set)
    textSet = std::move(*set);
  else if (report)
    report->stepRefused(HostKind::Drawing,
                        {RefusedKind::Other, "选择集 ss 未能取得，图中文字未更新"}, set.error());
  if (!textSet) return;  // no set has ever been in hand: there is nothing to select into
  // Not emptied, the set keeps the texts of the last update ahead of the new ones.
  if (auto cleared = textSet.clear(); !cleared && report)
    report->stepRefused(HostKind::Drawing,
                        {RefusedKind::Other, "选择集 ss 未清空，测得的值可能写进了上次选的文字"},
                        cleared.error());
  (void)textSet.selectOnScreen();  // a cancelled selection leaves the set empty
  std::int32_t position = 0;
  for (auto& [value, flag] : row) {
    if (flag == 0) continue;
    auto target = textSet.item(position++);
    if (!target) continue;  // fewer objects selected than values: never reuse an earlier one
    (void)target->setTextString(prefix + CellText(value, decimals));  // no text string: skipped
    (void)target->update();
  }
}

}  // namespace plotmate
