#include "repeater/repeater_form.h"

#include <gtest/gtest.h>

namespace plotmate {
namespace {

using Texts = std::array<std::string, kParameterCount>;
using Boxes = std::array<bool, kParameterCount>;

const std::string kFromSheet(kFromSheetText);

Boxes boxesOf(const RepeaterForm& form, bool (RepeaterForm::*box)(std::size_t) const) {
  Boxes out{};
  for (std::size_t i = 0; i < kParameterCount; ++i) out[i] = (form.*box)(i);
  return out;
}
Boxes check1Of(const RepeaterForm& form) { return boxesOf(form, &RepeaterForm::Check1); }
Boxes check2Of(const RepeaterForm& form) { return boxesOf(form, &RepeaterForm::Check2); }

// A form as a drafter leaves it: typed values, ticked boxes everywhere, a mark
// of its own.
RepeaterForm busyForm() {
  RepeaterForm form;
  form.Text2 = "#";
  for (std::size_t i = 0; i < kParameterCount; ++i) {
    form.setCheck1(i, i % 2 == 0);
    form.setCheck2(i, true);
    form.Text1[i] = "typed" + std::to_string(i);
  }
  return form;
}

// Opened again after a drafter's use, the form starts afresh: only the
// command, the mark and AutoNext come from the settings.
TEST(RepeaterFormTest, LoadCopiesTheSettingsInWithoutApplyingATemplate) {
  Settings settings;
  settings.command = "ZhanDian";
  settings.EnterMark = "#";
  settings.AutoNext = 1;
  RepeaterForm form = busyForm();
  form.Combo1 = "circle";
  form.Combo1_Click();
  form.setCheck1(1, true);
  form.Form_Load(settings);
  EXPECT_EQ(form.Combo1, "ZhanDian");
  EXPECT_EQ(form.Combo1Items, (std::vector<std::string>{"text", "-insert", "circle", "ZhanDian"}));
  EXPECT_EQ(form.Text2, "#");
  EXPECT_TRUE(form.Check3);
  EXPECT_EQ(form.Label, (Texts{"Para1", "Para2", "Para3", "Para4", "Para5", "Para6", "Para7",
                               "Para8", "Para9", "Para10"}));
  EXPECT_EQ(form.Text1, Texts{});
  EXPECT_EQ(check1Of(form), Boxes{});
  EXPECT_EQ(check2Of(form), Boxes{});

  form.Combo1 = "circle";
  form.Text2 = "@";
  form.Check3 = false;
  form.Form_Unload(settings);
  EXPECT_EQ(settings.command, "circle");
  EXPECT_EQ(settings.EnterMark, "@");
  EXPECT_EQ(settings.AutoNext, 0);
  form.Check3 = true;
  form.Form_Unload(settings);
  EXPECT_EQ(settings.AutoNext, 1);
}

TEST(RepeaterFormTest, LoadTakesOddStoredValuesTheWayADrafterMeansThem) {
  const std::tuple<std::int16_t, std::string, bool, std::string> cases[] = {
      {2, "$", true, "$"},  // a hand-edited AutoNext: not 0 counts as ticked
      {-1, "", true, ""},  // no mark stored: the box is empty, "$" is sent as typed
      {0, "mark", false, "mark"},
  };
  for (const auto& [autoNext, storedMark, ticked, shownMark] : cases) {
    Settings settings;
    settings.AutoNext = autoNext;
    settings.EnterMark = storedMark;
    RepeaterForm form;
    form.Form_Load(settings);
    EXPECT_EQ(form.Check3, ticked) << autoNext;
    EXPECT_EQ(form.Text2, shownMark) << storedMark;
    EXPECT_EQ(form.Combo1, "");  // an empty stored command shows an empty box
  }
}

// Picked from the list or typed and left: the same template, applied afresh.
TEST(RepeaterFormTest, TemplatesSetCaptionsAndResetEveryParameter) {
  const Texts generic{"para1", "para2", "para3", "para4", "para5",
                      "para6", "para7", "para8", "para9", "para10"};
  const std::tuple<std::string, Texts, Texts> cases[] = {
      {"text", {"起点X", "起点Y", "字高", "转角", "文字", "$$$"}, {"", "", "", "", "", "#"}},  // the current mark
      {"circle", {"圆心X", "圆心Y", "半径"}, {}},
      {"-insert", {"块名", "插点X", "插点Y", "比例X", "比例Y", "转角", "属性1", "属性2", "属性3", "属性4"}, {}},
      {"dt", generic, {}},
      {"TEXT", generic, {}},
      {"Circle", generic, {}},
      {"zhandian", generic, {}},
      {"", generic, {}},
      {"请选择命令", generic, {}},
  };
  for (const auto& [command, captions, texts] : cases) {
    for (bool picked : {true, false}) {
      RepeaterForm form = busyForm();
      form.Combo1 = command;
      picked ? form.Combo1_Click() : form.Combo1_Validate();
      EXPECT_EQ(form.Label, captions) << command;
      EXPECT_EQ(form.Text1, texts) << command;
      EXPECT_EQ(check1Of(form), Boxes{}) << command;
      EXPECT_EQ(check2Of(form), Boxes{}) << command;
    }
  }
}

// ZhanDian on a fresh form is checked by the golden scenarios
// repeater_zhandian_*; here, on a form already filled in.
TEST(RepeaterFormTest, ZhanDianTicksItsColumnsAndKeepsTheRestOfParametersOneToFour) {
  // Check1 ticked on 0, 2, 4, ...; every pair box ticked; every box typed into.
  RepeaterForm form = busyForm();
  form.Text1[0] = "mine";

  form.Combo1 = "ZhanDian";
  form.Combo1_Click();
  const RepeaterForm first = form;
  const RepeaterForm* const forms[] = {&first, &form};
  form.Combo1_Click();  // picking it twice changes nothing more

  for (const RepeaterForm* f : forms) {
    EXPECT_EQ(f->Label, (Texts{"点号", "字高", "坐标X", "坐标Y"}));
    // Check1(0) was ticked already: its typed text stays.
    EXPECT_EQ(f->Text1, (Texts{"mine", "25", "typed2", kFromSheet}));
    EXPECT_EQ(check1Of(*f), (Boxes{true, false, true, true}));
    EXPECT_EQ(check2Of(*f), (Boxes{true, true, true, true}));
  }
}

TEST(RepeaterFormTest, PairBoxesTickTheNextWorksheetBoxEitherWay) {
  RepeaterForm form;
  form.setCheck2(0, true);
  EXPECT_TRUE(form.Check1(1));
  EXPECT_EQ(form.Text1[1], kFromSheet);
  form.Text1[1] = "typed over";
  form.setCheck2(0, false);  // the box is ticked already: no click, text stays
  EXPECT_TRUE(form.Check1(1));
  EXPECT_EQ(form.Text1[1], "typed over");
  form.setCheck2(0, false);  // no change, no reaction
  form.setCheck1(1, false);
  EXPECT_EQ(form.Text1[1], "");
  form.setCheck2(0, false);
  EXPECT_FALSE(form.Check1(1));

  // The last pair box has no next parameter: it only changes its own state.
  RepeaterForm last;
  last.setCheck2(9, true);
  EXPECT_TRUE(last.Check2(9));
  last.Check2_Click(9);
  last.setCheck2(9, false);
  EXPECT_EQ(check1Of(last), Boxes{});
  EXPECT_EQ(last.Text1, Texts{});
  EXPECT_FALSE(last.Check2(9));
  last.setCheck1(10, true);  // past the last box: ignored
  EXPECT_FALSE(last.Check1(10));
}

}  // namespace
}  // namespace plotmate
