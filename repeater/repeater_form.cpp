#include "repeater/repeater_form.h"

namespace plotmate {

namespace {

using Captions = std::array<std::string_view, kParameterCount>;

struct CommandTemplate {
  std::string_view name;
  Captions captions;
};

// Matched exactly and case-sensitively against the command box's text.
constexpr CommandTemplate kTemplates[] = {
    {"text", {"起点X", "起点Y", "字高", "转角", "文字", "$$$"}},
    {"circle", {"圆心X", "圆心Y", "半径"}},
    {"-insert",
     {"块名", "插点X", "插点Y", "比例X", "比例Y", "转角", "属性1", "属性2", "属性3", "属性4"}},
    {kZhanDian, {"点号", "字高", "坐标X", "坐标Y"}},
};
// Any other command text: an abbreviation, an empty box, a name in other letter case.
constexpr Captions kGenericCaptions = {"para1", "para2", "para3", "para4", "para5",
                                       "para6", "para7", "para8", "para9", "para10"};
constexpr Captions kLoadedCaptions = {"Para1", "Para2", "Para3", "Para4", "Para5",
                                      "Para6", "Para7", "Para8", "Para9", "Para10"};

const Captions& captionsFor(std::string_view command) {
  for (const auto& entry : kTemplates)
    if (entry.name == command) return entry.captions;
  return kGenericCaptions;
}

}  // namespace

RepeaterForm::RepeaterForm() {
  for (std::size_t i = 0; i < kParameterCount; ++i) Label[i] = kLoadedCaptions[i];
}

void RepeaterForm::setCheck1(std::size_t index, bool ticked) {
  if (index >= kParameterCount || check1_[index] == ticked) return;
  check1_[index] = ticked;
  Check1_Click(index);
}

void RepeaterForm::setCheck2(std::size_t index, bool ticked) {
  if (index >= kParameterCount || check2_[index] == ticked) return;
  check2_[index] = ticked;
  Check2_Click(index);
}

void RepeaterForm::Form_Load(const Settings& settings) {
  // Each opening starts from the form as first made: the captions "Para1"..,
  // empty parameters and cleared boxes, whatever the last opening left.
  *this = RepeaterForm{};
  Combo1Items = {"text", "-insert", "circle", std::string(kZhanDian)};
  Combo1 = settings.command;
  // The stored mark as it is, also when empty: a drafter who cleared the box
  // meant a typed "$" to be sent as "$", not as a bare Enter.
  Text2 = settings.EnterMark;
  // Any stored value but 0 counts as ticked, as for every mirrored check box.
  Check3 = settings.AutoNext != 0;
}

void RepeaterForm::Form_Unload(Settings& settings) const {
  settings.command = Combo1;
  settings.EnterMark = Text2;
  settings.AutoNext = Check3 ? 1 : 0;
}

void RepeaterForm::Check1_Click(std::size_t index) {
  if (index >= kParameterCount) return;
  Text1[index] = check1_[index] ? std::string(kFromSheetText) : std::string();
}

// Ticks the next parameter's worksheet box whichever way the pair box went.
// The last pair box has no next parameter and so changes nothing else.
void RepeaterForm::Check2_Click(std::size_t index) {
  setCheck1(index + 1, true);
}

void RepeaterForm::Combo1_Click() {
  applyTemplate();
}

void RepeaterForm::Combo1_Validate() {
  applyTemplate();
}

void RepeaterForm::applyTemplate() {
  const Captions& captions = captionsFor(Combo1);
  for (std::size_t i = 0; i < kParameterCount; ++i) Label[i] = captions[i];
  if (Combo1 == kZhanDian) {
    applyZhanDian();
    return;
  }
  resetParameters(0);
  if (Combo1 == "text") Text1[5] = Text2;  // the "$$$" parameter ends the command
}

// Point number, X and Y from the sheet, X and Y joined as one coordinate, and
// a label height of 25. The other boxes of parameters 1-4 keep their state.
void RepeaterForm::applyZhanDian() {
  setCheck1(0, true);
  setCheck1(2, true);
  setCheck2(2, true);
  setCheck1(3, true);
  resetParameters(4);
  Text1[1] = "25";
}

// Box text emptied, worksheet box cleared, pair box cleared, parameter after
// parameter. Clearing a pair box ticks the next worksheet box, which that
// parameter's own reset then clears again.
void RepeaterForm::resetParameters(std::size_t first) {
  for (std::size_t i = first; i < kParameterCount; ++i) {
    Text1[i].clear();
    setCheck1(i, false);
    setCheck2(i, false);
  }
}

}  // namespace plotmate
