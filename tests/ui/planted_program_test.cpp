// A drafter runs plotmate.exe from a Downloads folder, beside whatever else
// was downloaded. A program named notepad.exe lying beside it, or in the
// folder it was started in, must never run in place of the system's Notepad.

#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>

#include "tests/ui/ui_steps.h"

namespace plotmate::uitest {
namespace {

namespace fs = std::filesystem;

constexpr int kAboutEntry = 9;  // places down the pop-up menu
constexpr const wchar_t* kMarker = L"planted-program-ran";

fs::path testFolder() {
  std::wstring path(4096, L'\0');
  path.resize(GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
  return fs::path(path).parent_path();
}

fs::path systemNotepad() {
  wchar_t folder[MAX_PATH];
  GetSystemDirectoryW(folder, MAX_PATH);
  return fs::path(folder) / L"notepad.exe";
}

fs::path imageOf(HWND window) {
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
  if (!process) return {};
  wchar_t image[MAX_PATH];
  DWORD length = MAX_PATH;
  const bool read = QueryFullProcessImageNameW(process, 0, image, &length);
  CloseHandle(process);
  return read ? fs::path(std::wstring(image, length)) : fs::path();
}

// A copy of plotmate.exe with its help file in a folder of its own, as
// unpacked from a download.
fs::path unpackedCopy(const fs::path& folder) {
  fs::remove_all(folder);
  fs::create_directories(folder);
  const fs::path built = builtProgram();
  fs::copy_file(built, folder / "plotmate.exe");
  fs::copy_file(built.parent_path() / "readme.txt", folder / "readme.txt");
  return folder / "plotmate.exe";
}

void plantNotepad(const fs::path& folder) {
  fs::copy_file(testFolder() / "planted_notepad.exe", folder / "notepad.exe",
                fs::copy_options::overwrite_existing);
}

// The Notepad window showing readme.txt, once it appears.
HWND helpWindow() {
  for (HWND w = FindWindowW(L"Notepad", nullptr); w;
       w = FindWindowExW(nullptr, w, L"Notepad", nullptr))
    if (textOf(w).find(L"readme") != std::wstring::npos) return w;
  return nullptr;
}

TEST(Windows, AboutStartsTheSystemNotepadNeverAPlantedOne) {
  const struct {
    const char* where;
    bool besideProgram, inWorkingFolder;
  } cases[] = {
      {"beside plotmate.exe", true, false},
      {"in the working folder", false, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.where);
    const std::string name = std::string("planted ") + c.where;
    const fs::path executable = unpackedCopy(testFolder() / "work" / (name + " (download)"));
    if (c.besideProgram) plantNotepad(executable.parent_path());
    RunningProgram program(name, std::nullopt, executable);
    ASSERT_TRUE(program.mainWindow());
    if (c.inWorkingFolder) plantNotepad(program.folder());
    const auto planted = [&] {
      return fs::exists(executable.parent_path() / kMarker) ||
             fs::exists(program.folder() / kMarker);
    };

    ASSERT_TRUE(chooseMenuEntry(program, kAboutEntry));
    HWND notepad = nullptr;
    pollUntil([&] { return (notepad = helpWindow()) || planted(); }, 10000ms);
    EXPECT_FALSE(planted()) << "the planted notepad.exe ran";
    EXPECT_TRUE(notepad) << "Notepad shows readme.txt";
    if (!notepad) continue;
    std::error_code unreadable;
    EXPECT_TRUE(fs::equivalent(imageOf(notepad), systemNotepad(), unreadable)) << imageOf(notepad);
    PostMessageW(notepad, WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindow(program.mainWindow())) << "not waited for";
    EXPECT_TRUE(waitUntilGone(notepad));
    EXPECT_FALSE(planted()) << "the planted notepad.exe ran";
  }
}

}  // namespace
}  // namespace plotmate::uitest
