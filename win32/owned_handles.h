#pragma once
// Owners for the Win32 resources the program and the stand-ins open: kernel
// handles, GDI objects, menus, windows, device contexts, registry keys,
// LocalAlloc'd buffers. Each is closed by its one call when its owner goes.
//
//   win32::OwnedFont font(CreateFontIndirectW(&face));
//   win32::Selection chosen = win32::selectInto(dc, font.get());  // restored first

#include <windows.h>

#include "base/unique_owner.h"

namespace plotmate::win32 {

// The close calls as inline functions of our own, each with one argument and
// no result, whatever the API's declaration (calling convention, import,
// extra arguments, a BOOL nobody reads).
inline void closeHandle(HANDLE h) { CloseHandle(h); }
inline void deleteGdiObject(HGDIOBJ object) { DeleteObject(object); }
inline void destroyMenu(HMENU menu) { DestroyMenu(menu); }
inline void deleteMemoryDc(HDC dc) { DeleteDC(dc); }
inline void closeRegistryKey(HKEY key) { RegCloseKey(key); }
inline void freeLocal(HLOCAL memory) { LocalFree(memory); }
inline void destroyWindow(HWND window) { DestroyWindow(window); }
inline void freeVirtualMemory(void* address) { VirtualFree(address, 0, MEM_RELEASE); }

// Kernel handles that are null on failure: processes, threads, events, mutexes.
using OwnedHandle = UniqueOwner<HANDLE, &closeHandle>;
// Kernel handles that are INVALID_HANDLE_VALUE on failure: CreateFileW's,
// CreateToolhelp32Snapshot's. Null is a value these APIs never give back.
inline HANDLE invalidHandle() { return INVALID_HANDLE_VALUE; }
using OwnedFileHandle = UniqueOwner<HANDLE, &closeHandle, &invalidHandle>;

template <class GdiObject>
using OwnedGdi = UniqueOwner<GdiObject, &deleteGdiObject>;
using OwnedFont = OwnedGdi<HFONT>;
using OwnedPen = OwnedGdi<HPEN>;
using OwnedBrush = OwnedGdi<HBRUSH>;
using OwnedBitmap = OwnedGdi<HBITMAP>;
using OwnedRegion = OwnedGdi<HRGN>;

using OwnedMenu = UniqueOwner<HMENU, &destroyMenu>;
// A window of our own making, destroyed (on the thread that made it) when its owner goes.
using OwnedWindow = UniqueOwner<HWND, &destroyWindow>;
// A DC of our own making (CreateCompatibleDC), deleted; a window's DC is released (WindowDc).
using OwnedMemoryDc = UniqueOwner<HDC, &deleteMemoryDc>;
using OwnedRegistryKey = UniqueOwner<HKEY, &closeRegistryKey>;
// A buffer the system allocated for us with LocalAlloc (FormatMessageW's,
// CommandLineToArgvW's).
template <class Pointer>
using OwnedLocal = UniqueOwner<Pointer, &freeLocal>;

// Pages of our own from VirtualAlloc.
using OwnedVirtualMemory = UniqueOwner<void*, &freeVirtualMemory>;

// Pages reserved and committed in another process (VirtualAllocEx), for a
// message that carries a pointer there; the process handle must outlive them.
struct RemoteMemoryHandle {
  HANDLE process = nullptr;
  void* address = nullptr;
};
inline void freeRemoteMemory(RemoteMemoryHandle& held) {
  if (held.address) VirtualFreeEx(held.process, held.address, 0, MEM_RELEASE);
}
using RemoteMemory = UniqueOwner<RemoteMemoryHandle, &freeRemoteMemory>;
inline RemoteMemory allocateIn(HANDLE process, SIZE_T bytes) {
  return RemoteMemory(RemoteMemoryHandle{
      process, VirtualAllocEx(process, nullptr, bytes, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE)});
}

// A window's (or the screen's, for a null window) DC, from GetDC.
struct WindowDcHandle {
  HWND window = nullptr;
  HDC dc = nullptr;
};
inline void releaseWindowDc(WindowDcHandle& held) {
  if (held.dc) ReleaseDC(held.window, held.dc);
}
using WindowDc = UniqueOwner<WindowDcHandle, &releaseWindowDc>;
inline WindowDc windowDc(HWND window) { return WindowDc(WindowDcHandle{window, GetDC(window)}); }

// BeginPaint..EndPaint, for the length of a WM_PAINT.
struct PaintHandle {
  HWND window = nullptr;
  PAINTSTRUCT paint{};
};
inline void endPaint(PaintHandle& held) {
  if (held.window) EndPaint(held.window, &held.paint);
}
using Painting = UniqueOwner<PaintHandle, &endPaint>;
inline Painting beginPaint(HWND window) {
  Painting painting(PaintHandle{window, {}});
  BeginPaint(window, &painting.get().paint);
  return painting;
}

// An object selected into a DC; the one it replaced goes back when the owner
// goes. Declare the object's owner before the selection, so that the object
// is deselected before it is deleted.
struct SelectionHandle {
  HDC dc = nullptr;
  HGDIOBJ previous = nullptr;
};
inline void restoreSelection(SelectionHandle& held) {
  if (held.previous) SelectObject(held.dc, held.previous);
}
using Selection = UniqueOwner<SelectionHandle, &restoreSelection>;
inline Selection selectInto(HDC dc, HGDIOBJ object) { return Selection(SelectionHandle{dc, SelectObject(dc, object)}); }

}  // namespace plotmate::win32
