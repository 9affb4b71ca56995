// A drafter runs plotmate.exe from a Downloads folder, beside whatever else
// was downloaded. A program named notepad.exe lying beside it, or in the
// folder it was started in, must never run in place of the system's Notepad.

#include <gtest/gtest.h>
#include <windows.h>

#include "tests/ui/ui_steps.h"

namespace plotmate::uitest {
namespace {

namespace fs = std::filesystem;

constexpr const char* kMarker = "planted-program-ran";  // what planted_notepad.exe leaves

// Planted in both places a search for a bare "notepad.exe" looks first: a
// run of either leaves its marker, so a fix that misses one of them fails.
TEST(Windows, AboutStartsTheSystemNotepadNeverAPlantedOne) {
  const fs::path executable = unpackedProgram("planted (download)");
  RunningProgram program("planted", std::nullopt, executable);
  ASSERT_TRUE(program.mainWindow());
  const fs::path folders[] = {executable.parent_path(), program.folder()};
  for (const auto& folder : folders)
    fs::copy_file(driverFolder() / "planted_notepad.exe", folder / "notepad.exe");
  const auto plantedRan = [&] {
    return fs::exists(folders[0] / kMarker) || fs::exists(folders[1] / kMarker);
  };

  ASSERT_TRUE(chooseMenuEntry(program, 9));  // ABOUT
  HWND notepad = nullptr;
  const auto helpShown = [&] { return notepad = anyWindowShowing(L"Notepad", L"readme"); };
  pollUntil([&] { return helpShown() || plantedRan(); }, 10000ms);
  EXPECT_FALSE(plantedRan()) << "a planted notepad.exe ran";
  ASSERT_TRUE(notepad) << "Notepad shows readme.txt";
  wchar_t system[MAX_PATH];
  const fs::path systemFolder(std::wstring(system, GetSystemDirectoryW(system, MAX_PATH)));
  std::error_code unreadable;
  EXPECT_TRUE(fs::equivalent(executableOf(notepad), systemFolder / "notepad.exe", unreadable))
      << executableOf(notepad);
  PostMessageW(notepad, WM_CLOSE, 0, 0);
  EXPECT_TRUE(IsWindow(program.mainWindow())) << "not waited for";
}

}  // namespace
}  // namespace plotmate::uitest
