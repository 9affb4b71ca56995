#include "sim/apps/standin_window.h"

#include <algorithm>

#include "win32/owned_handles.h"

namespace plotmate::sim {

void paintBuffered(HWND window, const std::function<void(HDC, const RECT& client)>& paint) {
  auto painting = win32::beginPaint(window);
  HDC dc = painting.get().paint.hdc;
  RECT client;
  GetClientRect(window, &client);
  win32::OwnedMemoryDc memory(CreateCompatibleDC(dc));
  win32::OwnedBitmap bitmap(
      CreateCompatibleBitmap(dc, std::max<LONG>(1, client.right), std::max<LONG>(1, client.bottom)));
  auto selected = win32::selectInto(memory.get(), bitmap.get());
  paint(memory.get(), client);
  BitBlt(dc, 0, 0, client.right, client.bottom, memory.get(), 0, 0, SRCCOPY);
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
