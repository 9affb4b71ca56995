#pragma once
// Windows that are C++ objects: the object is passed as the creation
// parameter, kept with the window from WM_NCCREATE on, and given every
// message through its `handle(HWND, UINT, WPARAM, LPARAM)`. Messages sent
// before WM_NCCREATE (WM_GETMINMAXINFO), and any after the object has
// cleared the window's user data, get the default procedure.

#include <windows.h>

namespace plotmate::win32 {

template <class Window>
LRESULT CALLBACK ObjectWindowProcedure(HWND hwnd, UINT message, WPARAM w, LPARAM l) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(l)->lpCreateParams);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  return self ? self->handle(hwnd, message, w, l) : DefWindowProcW(hwnd, message, w, l);
}

// The system's arrow: IDC_ARROW is a narrow resource unless the whole build is Unicode.
inline HCURSOR ArrowCursor() { return LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)); }

// Registers the class `name` of this program for windows of type `Window`;
// true when it is registered, now or before.
template <class Window>
bool RegisterObjectWindowClass(const wchar_t* name, HBRUSH background, UINT style = 0) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.style = style;
  wc.lpfnWndProc = &ObjectWindowProcedure<Window>;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = ArrowCursor();
  wc.hbrBackground = background;
  wc.lpszClassName = name;
  return RegisterClassExW(&wc) || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace plotmate::win32
