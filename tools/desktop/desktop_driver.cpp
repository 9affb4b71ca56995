#include "tools/desktop/desktop_driver.h"

#include <commctrl.h>

#include <fstream>
#include <sstream>
#include <thread>

#include "shell/config_file.h"

namespace plotmate::desktop {

namespace {

template <class Found>
auto waitFor(std::chrono::milliseconds within, Found found) {
  const auto end = std::chrono::steady_clock::now() + within;
  for (;;) {
    auto result = found();
    if (result || std::chrono::steady_clock::now() >= end) return result;
    std::this_thread::sleep_for(20ms);
  }
}

struct WindowQuery {
  DWORD pid;
  const wchar_t* className;
  const wchar_t* caption;
  std::vector<HWND> found;
};

BOOL CALLBACK matchWindow(HWND hwnd, LPARAM param) {
  auto* query = reinterpret_cast<WindowQuery*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  if (pid != query->pid || !IsWindowVisible(hwnd)) return TRUE;
  wchar_t name[256];
  GetClassNameW(hwnd, name, 256);
  if (lstrcmpiW(name, query->className) != 0) return TRUE;
  if (query->caption && textOf(hwnd) != query->caption) return TRUE;
  query->found.push_back(hwnd);
  return TRUE;
}

}  // namespace

std::wstring fromUtf8(const std::string& text) {
  std::wstring out(text.size(), L'\0');
  out.resize(static_cast<std::size_t>(MultiByteToWideChar(
      CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), static_cast<int>(out.size()))));
  return out;
}

std::string toUtf8(const std::wstring& text) {
  std::string out(text.size() * 3, '\0');
  out.resize(static_cast<std::size_t>(WideCharToMultiByte(CP_UTF8, 0, text.data(),
                                                          static_cast<int>(text.size()), out.data(),
                                                          static_cast<int>(out.size()), nullptr, nullptr)));
  return out;
}

std::filesystem::path driverFolder() {
  std::wstring path(4096, L'\0');
  path.resize(GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
  return std::filesystem::path(path).parent_path();
}

std::filesystem::path builtProgram() {
  if (const DWORD size = GetEnvironmentVariableW(L"PLOTMATE_EXE", nullptr, 0); size > 1) {
    std::wstring given(size, L'\0');
    given.resize(GetEnvironmentVariableW(L"PLOTMATE_EXE", given.data(), size));
    return given;
  }
  return driverFolder() / ".." / ".." / "app" / "plotmate.exe";
}

std::filesystem::path unpackedProgram(const std::string& name) {
  const auto folder = driverFolder() / "work" / name;
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  const auto built = builtProgram();
  std::filesystem::copy_file(built, folder / "plotmate.exe");
  std::filesystem::copy_file(built.parent_path() / "readme.txt", folder / "readme.txt");
  return folder / "plotmate.exe";
}

std::filesystem::path executableOf(HWND window) {
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  win32::OwnedHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid));
  if (!process) return {};
  std::wstring image(4096, L'\0');
  DWORD length = static_cast<DWORD>(image.size());
  if (!QueryFullProcessImageNameW(process.get(), 0, image.data(), &length)) length = 0;
  image.resize(length);
  return image;
}

RunningProgram::RunningProgram(const std::string& testName, const std::optional<Settings>& settings,
                               std::filesystem::path executable)
    : folder_(prepareFolder(testName)), executable_(std::move(executable)) {
  if (settings) (void)SaveConfig(folder_ / "config", Utf8Codec{}, *settings);
  start();
}

RunningProgram::RunningProgram(const std::string& testName, const std::string& configBytes)
    : folder_(prepareFolder(testName)) {
  std::ofstream(folder_ / "config", std::ios::binary) << configBytes;
  start();
}

std::filesystem::path RunningProgram::prepareFolder(const std::string& testName) {
  const auto folder = driverFolder() / "work" / testName;
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  return folder;
}

// Waits for the main window, or for a message the program shows before it.
void RunningProgram::start() {
  process_ = win32::startChildProcess(L"\"" + executable_.wstring() + L"\"", folder_.wstring().c_str());
  if (!process_) return;
  pid_ = GetProcessId(process_.get());
  waitFor(20000ms, [&] {
    main_ = findWindow(pid_, L"PlotmateMain", nullptr, 0ms);
    return main_ || findWindow(pid_, L"#32770", nullptr, 0ms);
  });
  if (main_) settle(main_);
}

void RunningProgram::keepRunning() { win32::OwnedHandle(process_.release()); }

bool RunningProgram::exited(std::chrono::milliseconds within) const {
  return process_ &&
         WaitForSingleObject(process_.get(), static_cast<DWORD>(within.count())) == WAIT_OBJECT_0;
}

std::optional<std::string> RunningProgram::file(const char* name) const {
  std::ifstream in(folder_ / name, std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

std::optional<Settings> RunningProgram::savedSettings() const {
  Settings settings;
  auto loaded = LoadConfig(folder_ / "config", Utf8Codec{}, settings);
  if (!loaded || loaded->missing) return std::nullopt;
  return settings;
}

std::vector<HWND> windowsOf(DWORD pid, const wchar_t* className) {
  WindowQuery query{pid, className, nullptr, {}};
  EnumWindows(matchWindow, reinterpret_cast<LPARAM>(&query));
  return query.found;
}

HWND findWindow(DWORD pid, const wchar_t* className, const wchar_t* caption,
                std::chrono::milliseconds within) {
  return waitFor(within, [&]() -> HWND {
    WindowQuery query{pid, className, caption, {}};
    EnumWindows(matchWindow, reinterpret_cast<LPARAM>(&query));
    return query.found.empty() ? nullptr : query.found.front();
  });
}

HWND anyWindowShowing(const wchar_t* className, const std::wstring& text) {
  for (HWND w = FindWindowW(className, nullptr); w;
       w = FindWindowExW(nullptr, w, className, nullptr))
    if (textOf(w).find(text) != std::wstring::npos) return w;
  return nullptr;
}

bool waitUntilGone(HWND window, std::chrono::milliseconds within) {
  return waitFor(within, [&] { return !IsWindow(window); });
}

std::wstring textOf(HWND window) {
  wchar_t buffer[1024] = {};
  SendMessageW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(buffer));
  return buffer;
}

std::wstring captionOf(HWND window) {
  wchar_t buffer[512] = {};
  InternalGetWindowText(window, buffer, 512);
  return buffer;
}

bool chooseMenuEntry(const RunningProgram& program, int downs) {
  PostMessageW(program.mainWindow(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 60));
  PostMessageW(program.mainWindow(), WM_RBUTTONUP, 0, MAKELPARAM(5, 60));
  HWND menu = findWindow(program.pid(), L"#32768");
  if (!menu) return false;
  for (int i = 0; i < downs; ++i) PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 0);
  PostMessageW(menu, WM_KEYDOWN, VK_RETURN, 0);
  waitUntilGone(menu);
  settle(program.mainWindow());
  return true;
}

void typeText(HWND edit, const std::wstring& text) {
  // Sent, not posted: each key is handled before the call returns, in order,
  // so what the program shows afterwards answers to the whole text.
  SendMessageW(edit, EM_SETSEL, 0, -1);
  SendMessageW(edit, WM_CHAR, VK_BACK, 0);
  for (wchar_t c : text) SendMessageW(edit, WM_CHAR, c, 0);
}

bool isChecked(HWND button) { return SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED; }

void click(HWND button) { PostMessageW(button, BM_CLICK, 0, 0); }

void focus(HWND control) {
  const DWORD self = GetCurrentThreadId(), theirs = GetWindowThreadProcessId(control, nullptr);
  AttachThreadInput(self, theirs, TRUE);
  SetFocus(control);
  AttachThreadInput(self, theirs, FALSE);
}

HWND focusedIn(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info)) return nullptr;
  return info.hwndFocus;
}

void closeWindow(HWND window) { PostMessageW(window, WM_CLOSE, 0, 0); }

void pumpFor(std::chrono::milliseconds time) {
  const auto end = std::chrono::steady_clock::now() + time;
  while (std::chrono::steady_clock::now() < end) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

// A thread takes the messages sent to it before those posted to it, so one
// sent message can come back before a click posted earlier is handled. The
// first answer shows the thread has reached its queue; by the second, after a
// pause in which it takes what was posted, the click has been handled too.
void settle(HWND window) {
  DWORD_PTR ignored;
  SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &ignored);
  Sleep(30);
  SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &ignored);
}

RECT clientRectOf(HWND control) {
  RECT rect;
  GetWindowRect(control, &rect);
  MapWindowPoints(HWND_DESKTOP, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

SIZE clientSizeOf(HWND window) {
  RECT rect;
  GetClientRect(window, &rect);
  return {rect.right, rect.bottom};
}

std::optional<MessageBoxSeen> answerMessageBox(DWORD pid, std::chrono::milliseconds within) {
  HWND box = findWindow(pid, L"#32770", nullptr, within);
  if (!box) return std::nullopt;
  MessageBoxSeen seen{textOf(box), textOf(GetDlgItem(box, 0xFFFF))};
  PostMessageW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
  waitUntilGone(box);
  return seen;
}

// The tooltip control lives in the program's memory: its answers are read
// through a buffer placed in that process.
std::vector<std::pair<int, std::wstring>> tooltipsOf(DWORD pid, HWND window) {
  std::vector<std::pair<int, std::wstring>> tips;
  HWND tooltip = nullptr;
  WindowQuery query{pid, TOOLTIPS_CLASSW, nullptr, {}};
  EnumWindows(
      [](HWND hwnd, LPARAM param) -> BOOL {
        auto* q = reinterpret_cast<WindowQuery*>(param);
        DWORD owner = 0;
        GetWindowThreadProcessId(hwnd, &owner);
        wchar_t name[64];
        GetClassNameW(hwnd, name, 64);
        if (owner == q->pid && lstrcmpiW(name, q->className) == 0) q->found.push_back(hwnd);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&query));
  for (HWND candidate : query.found)
    if (GetWindow(candidate, GW_OWNER) == window) tooltip = candidate;
  if (!tooltip) return tips;

  win32::OwnedHandle process(
      OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid));
  if (!process) return tips;
  constexpr std::size_t kChars = 512;
  const std::size_t size = sizeof(TOOLINFOW) + kChars * sizeof(wchar_t);
  auto reserved = win32::allocateIn(process.get(), size);
  auto* remote = static_cast<char*>(reserved.get().address);
  for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = window;
    tool.uId = reinterpret_cast<UINT_PTR>(child);
    tool.uFlags = TTF_IDISHWND;
    tool.lpszText = reinterpret_cast<wchar_t*>(remote + sizeof(TOOLINFOW));
    const wchar_t nothing = 0;
    WriteProcessMemory(process.get(), remote, &tool, sizeof tool, nullptr);
    WriteProcessMemory(process.get(), remote + sizeof(TOOLINFOW), &nothing, sizeof nothing, nullptr);
    SendMessageW(tooltip, TTM_GETTEXTW, kChars, reinterpret_cast<LPARAM>(remote));
    wchar_t text[kChars] = {};
    ReadProcessMemory(process.get(), remote + sizeof(TOOLINFOW), text, sizeof text - sizeof(wchar_t), nullptr);
    if (text[0]) tips.emplace_back(GetDlgCtrlID(child), text);
  }
  return tips;
}

bool screenshot(HWND window, const std::filesystem::path& file) {
  RECT rect;
  GetWindowRect(window, &rect);
  return screenshot(rect, file);
}

bool screenshot(const RECT& rect, const std::filesystem::path& file) {
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  if (width <= 0 || height <= 0) return false;
  auto screen = win32::windowDc(nullptr);
  win32::OwnedMemoryDc memory(CreateCompatibleDC(screen.get().dc));
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  win32::OwnedBitmap bitmap(CreateDIBSection(screen.get().dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  auto selected = win32::selectInto(memory.get(), bitmap.get());
  BitBlt(memory.get(), 0, 0, width, height, screen.get().dc, rect.left, rect.top, SRCCOPY);
  GdiFlush();
  const DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
  const DWORD imageSize = stride * static_cast<DWORD>(height);
  BITMAPFILEHEADER header{0x4D42, static_cast<DWORD>(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) + imageSize),
                          0, 0, sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)};
  info.bmiHeader.biSizeImage = imageSize;
  std::filesystem::create_directories(file.parent_path());
  std::ofstream out(file, std::ios::binary);
  out.write(reinterpret_cast<const char*>(&header), sizeof header);
  out.write(reinterpret_cast<const char*>(&info.bmiHeader), sizeof info.bmiHeader);
  out.write(static_cast<const char*>(bits), imageSize);
  return static_cast<bool>(out);
}

}  // namespace plotmate::desktop
