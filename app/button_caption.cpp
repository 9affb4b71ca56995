#include "app/button_caption.h"

#include <algorithm>
#include <string>
#include <string_view>

namespace plotmate::app {

namespace {

int widthOf(HDC dc, std::wstring_view text) {
  SIZE size{};
  GetTextExtentPoint32W(dc, text.data(), static_cast<int>(text.size()), &size);
  return size.cx;
}

// A second line may start at a capital after a letter that is none, or
// after a blank.
bool breaksBefore(std::wstring_view text, std::size_t at) {
  const wchar_t before = text[at - 1], here = text[at];
  if (before == L' ') return true;
  return IsCharUpperW(here) && !IsCharUpperW(before) && IsCharAlphaNumericW(before);
}

// The caption as two lines that fit `room` pixels, the longer line as short
// as it can be; empty when it fits on one line or no break makes it fit.
std::wstring twoLines(HDC dc, std::wstring_view text, int room) {
  if (widthOf(dc, text) <= room) return {};
  std::wstring best;
  int bestWidth = room + 1;
  for (std::size_t at = 1; at < text.size(); ++at) {
    if (!breaksBefore(text, at)) continue;
    const auto first = text.substr(0, text[at - 1] == L' ' ? at - 1 : at);
    const auto second = text.substr(at);
    const int wider = std::max(widthOf(dc, first), widthOf(dc, second));
    if (wider >= bestWidth) continue;
    bestWidth = wider;
    best = std::wstring(first) + L"\n" + std::wstring(second);
  }
  return best;
}

}  // namespace

bool IsPushButton(HWND control) {
  wchar_t name[16] = {};
  if (!GetClassNameW(control, name, 16) || lstrcmpiW(name, WC_BUTTONW) != 0) return false;
  const auto type = GetWindowLongW(control, GWL_STYLE) & BS_TYPEMASK;
  return type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON;
}

LRESULT DrawButtonCaption(const NMCUSTOMDRAW& draw) {
  if (draw.dwDrawStage != CDDS_PREPAINT) return CDRF_DODEFAULT;
  const HWND button = draw.hdr.hwndFrom;
  std::wstring caption(static_cast<std::size_t>(GetWindowTextLengthW(button)) + 1, L'\0');
  caption.resize(static_cast<std::size_t>(
      GetWindowTextW(button, caption.data(), static_cast<int>(caption.size()))));
  const HDC dc = draw.hdc;
  const HGDIOBJ oldFont =
      SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(button, WM_GETFONT, 0, 0)));
  // The frame's width, as the button leaves it around its text.
  const int edge = MulDiv(3, static_cast<int>(GetDpiForWindow(button)), 96);
  RECT inside = draw.rc;
  InflateRect(&inside, -edge, -edge);
  const std::wstring lines = twoLines(dc, caption, inside.right - inside.left);
  if (lines.empty()) {
    SelectObject(dc, oldFont);
    return CDRF_DODEFAULT;
  }
  RECT text = inside;
  DrawTextW(dc, lines.c_str(), -1, &text, DT_CENTER | DT_CALCRECT);
  const int height = text.bottom - text.top;
  text = inside;
  text.top += (inside.bottom - inside.top - height) / 2;
  text.bottom = text.top + height;
  if (draw.uItemState & CDIS_SELECTED) OffsetRect(&text, 1, 1);  // pressed in
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(draw.uItemState & CDIS_DISABLED ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
  DrawTextW(dc, lines.c_str(), -1, &text, DT_CENTER);
  const bool focusShown = !(SendMessageW(button, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS);
  if ((draw.uItemState & CDIS_FOCUS) && focusShown) DrawFocusRect(dc, &inside);
  SelectObject(dc, oldFont);
  return CDRF_SKIPDEFAULT;
}

}  // namespace plotmate::app
