#include "measure/distance_texts.h"

#include "format/format_fixed.h"

namespace plotmate {

void UpdateDistanceTexts(const AcadDocument& document, AcadSelectionSet& textSet,
                         MeasureRow row, const std::string& prefix, std::int16_t decimals) {
  const std::string name(kTextSelectionSetName);
  if (auto sets = document.selectionSets()) {
    if (auto found = sets->item(name)) textSet = std::move(*found);
    else if (auto added = sets->add(name)) textSet = std::move(*added);
  }
  if (!textSet) return;  // no set has ever been in hand: there is nothing to select into
  (void)textSet.clear();
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
