// planted_notepad.exe: what an attacker would leave in a Downloads folder
// as "notepad.exe". It shows nothing and only leaves a marker file beside
// itself, so a test sees whether it was ever started.

#include <windows.h>

#include <filesystem>
#include <fstream>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  wchar_t self[MAX_PATH];
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::ofstream(std::filesystem::path(self).parent_path() / "planted-program-ran");
  return 0;
}
