#pragma once
// A push button whose caption is wider than the button (a long word in a
// narrow design, as "Block2Column") shows it on two lines, broken before a
// capital letter or after a blank, instead of clipped at both ends. Drawn at
// the button's custom-draw notification: the button keeps its frame, its
// pressed and focused looks and its keys, and its text stays the caption.

#include <windows.h>

#include <commctrl.h>

namespace plotmate::app {

// True for a push button (custom draw is offered by every kind of button).
bool IsPushButton(HWND control);

// The answer to a push button's NM_CUSTOMDRAW.
LRESULT DrawButtonCaption(const NMCUSTOMDRAW& draw);

}  // namespace plotmate::app
