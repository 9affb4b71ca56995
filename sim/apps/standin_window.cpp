#include "sim/apps/standin_window.h"

#include <algorithm>

namespace plotmate::sim {

void paintBuffered(HWND window, const std::function<void(HDC, const RECT& client)>& paint) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window, &ps);
  RECT client;
  GetClientRect(window, &client);
  HDC memory = CreateCompatibleDC(dc);
  HBITMAP bitmap = CreateCompatibleBitmap(dc, std::max<LONG>(1, client.right), std::max<LONG>(1, client.bottom));
  HGDIOBJ old = SelectObject(memory, bitmap);
  paint(memory, client);
  BitBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  EndPaint(window, &ps);
}

std::string saveOnRequest(const SaveTarget& target) {
  const auto utf8 = target.file.u8string();
  const std::string name(utf8.begin(), utf8.end());
  if (!target.save) return "Cannot save " + name;
  auto saved = target.save(target.file);
  if (!saved) return "Cannot save " + name + ": " + saved.error().description;
  return "Saved " + name;
}

}  // namespace plotmate::sim
