#include "shell/settings_form.h"

#include <gtest/gtest.h>

#include "shell/main_menu.h"
#include "shell/window_choice.h"
#include "sim/recording_platform.h"

namespace plotmate {
namespace {

struct SettingsFormCase {
  const char* what;
  std::int16_t yox, prec;           // as loaded
  bool ticked;                      // how the box shows the loaded YOX
  const char* typed;                // nullptr: the text is left as loaded
  int click;                        // -1: the box is not clicked; 0/1: clicked to
  std::int16_t wantYox, wantPrec;   // after the window closes
};

TEST(SETfrm, StoresTheControlsOnlyWhenItCloses) {
  const SettingsFormCase cases[] = {
      {"untouched", 1, 3, true, nullptr, -1, 1, 3},
      {"untouched, negative precision", 0, -2, false, nullptr, -1, 0, -2},
      {"untouched, odd swap value kept", 7, 4, false, nullptr, -1, 7, 4},
      {"untouched, -1 is no tick", -1, 32767, false, nullptr, -1, -1, 32767},
      {"cleared text", 0, 3, false, "", -1, 0, 0},
      {"half to even", 0, 3, false, "4.5", -1, 0, 4},
      {"half to even upward", 0, 3, false, "5.5", 1, 1, 6},
      {"leading number", 1, 3, true, "2mm", 0, 0, 2},
      {"beyond 16 bits", 0, 3, false, "99999", -1, 0, 32767},
  };
  for (const auto& c : cases) {
    Settings settings;
    settings.YOX = c.yox;
    settings.PREC = c.prec;
    settings.DX = 1;  // a setting the window does not own
    SETfrm form;
    form.Form_Load(settings);
    EXPECT_EQ(form.coordinatesTicked(), c.ticked) << c.what;
    EXPECT_EQ(form.txtPrec, std::to_string(c.prec)) << c.what;
    if (c.typed) form.txtPrec = c.typed;
    if (c.click >= 0) form.chkboolCoor_Click(c.click == 1);
    Settings expected = settings;
    form.Form_Unload(settings);
    expected.YOX = c.wantYox;
    expected.PREC = c.wantPrec;
    EXPECT_EQ(settings, expected) << c.what;
  }
}

TEST(ChooseWindowByTitle, ExactBeforePrefixFrontFirst) {
  const std::u16string desk[] = {u"AUTOCAD 2018 - [A.DWG]", u"MICROSOFT EXCEL - BOOK1", u"AUTOCAD",
                                 u"MICROSOFT EXCEL"};
  const struct { std::u16string_view wanted; std::optional<std::size_t> chosen; } cases[] = {
      {u"AUTOCAD", 2},                  // the exact title wins over an earlier prefix match
      {u"MICROSOFT EXCEL", 3},
      {u"AUTOCAD 2018", 0},             // prefix only
      {u"MICROSOFT", 1},                // the front-most of several prefix matches
      {u"EXCEL", std::nullopt},         // contained, not a prefix
      {u"", std::nullopt},              // never every window at once
      {u"AUTOCAD 2018 - [A.DWG] X", std::nullopt},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ChooseWindowByTitle(desk, c.wanted), c.chosen)
        << std::string(c.wanted.begin(), c.wanted.end());
}

// ABOUT names the system's Notepad as the program and hands it the command
// line with its blanks kept, so Notepad opens the same file as ever; a
// Notepad that cannot start is said with the file's path.
TEST(ABOUT, StartsTheSystemNotepadOnTheHelpFile) {
  EXPECT_EQ(HelpCommandLine("D:"), "notepad.exe   D:\\readme.txt ");
  sim::RecordingPlatform desktop;
  desktop.setExecutableFolder("C:\\Users\\张 三\\Downloads");
  desktop.processesStart = false;
  OpenHelpFile(desktop);
  const std::vector<sim::StartedProcess> started{
      {"notepad.exe", "notepad.exe   C:\\Users\\张 三\\Downloads\\readme.txt "}};
  EXPECT_EQ(desktop.startedProcesses, started);
  const std::vector<sim::ShownMessage> said{
      {"无法启动记事本打开帮助文件：\nC:\\Users\\张 三\\Downloads\\readme.txt", ""}};
  EXPECT_EQ(desktop.messages, said);
}

}  // namespace
}  // namespace plotmate
