#include "sim/apps/drawing_window.h"

#include <windowsx.h>

#include <algorithm>

#include "hosts/com/bstr.h"
#include "sim/apps/drawing_painter.h"
#include "sim/apps/pick_wait.h"
#include "sim/apps/view/plan_outline.h"
#include "sim/drawing/coords.h"

namespace plotmate::sim {

namespace {

constexpr wchar_t kFrameClass[] = L"PlotmateStandInDrawing";
constexpr wchar_t kViewClass[] = L"PlotmateStandInDrawingView";
constexpr int kStripHeight = 84;
constexpr int kPickBoxPixels = 5;
constexpr std::size_t kHistoryLines = 200;
constexpr UINT_PTR kRefreshTimer = 1;

}  // namespace

DrawingWindow::DrawingWindow() {
  registerWindowClass<DrawingWindow>(kFrameClass, GetSysColorBrush(COLOR_BTNFACE));
  registerWindowClass<DrawingWindow>(kViewClass, nullptr);
  frame_ = CreateWindowExW(0, kFrameClass, L"", WS_OVERLAPPEDWINDOW, 330, 0, 690, 430,
                           nullptr, nullptr, GetModuleHandleW(nullptr), this);
  view_ = CreateWindowExW(0, kViewClass, L"", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, frame_, nullptr,
                          GetModuleHandleW(nullptr), this);
  strip_ = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"",
                           WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL,
                           0, 0, 10, 10, frame_, nullptr, GetModuleHandleW(nullptr), nullptr);
  stripFont_ = CreateFontW(-13, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                           CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH, L"SimSun");
  SendMessageW(strip_, WM_SETFONT, reinterpret_cast<WPARAM>(stripFont_), FALSE);
  layout();
  SetTimer(frame_, kRefreshTimer, kRefreshMilliseconds, nullptr);
}

void DrawingWindow::show(std::shared_ptr<DrawingSession> session, std::shared_ptr<HostContext> context,
                         SaveTarget target) {
  session_ = std::move(session);
  target_ = std::move(target);
  calls_.watch(std::move(context));
  transcriptSeen_ = picksSeen_ = 0;
  session_->picks.setFallback([this](const std::string& method, const std::string& prompt) {
    return pickByMouse(method, prompt);
  });
  followExtents_ = true;
  zoomToExtents();
  ShowWindow(frame_, SW_SHOWNOACTIVATE);
  refresh();
}

// Waits for the mouse; the prompt shows in the strip meanwhile.
std::optional<PickAnswer> DrawingWindow::pickByMouse(const std::string& method, const std::string& prompt) {
  if (pick_) return std::nullopt;  // one wait at a time: a nested request finds no user
  catchUpHistory();
  addLines({prompt.empty() ? method + ":" : prompt});
  pick_ = PendingPick{method, session_->picks.basePoint(), {}, std::nullopt};
  SetFocus(view_);
  InvalidateRect(view_, nullptr, FALSE);
  PickAnswer answer = waitForPick([this] { return pick_->answer; });
  for (const auto& handle : pick_->chosen) session_->highlighted.erase(handle);
  pick_.reset();
  InvalidateRect(view_, nullptr, FALSE);
  return answer;
}

LRESULT DrawingWindow::handle(HWND hwnd, UINT message, WPARAM w, LPARAM l) {
  if (hwnd == view_) return handleView(message, w, l);
  switch (message) {
    case WM_SIZE: layout(); return 0;
    case WM_TIMER: refresh(); return 0;
    case WM_SETFOCUS: SetFocus(view_); return 0;
    case WM_CLOSE: PostQuitMessage(0); return 0;  // closing the host's window ends the host
    default: return DefWindowProcW(hwnd, message, w, l);
  }
}

LRESULT DrawingWindow::handleView(UINT message, WPARAM w, LPARAM l) {
  const POINT at{GET_X_LPARAM(l), GET_Y_LPARAM(l)};
  switch (message) {
    case WM_PAINT: paintView(); return 0;
    case WM_SETCURSOR: SetCursor(pick_ ? crossCursor() : win32::ArrowCursor()); return TRUE;
    case WM_LBUTTONDOWN:
    case WM_MBUTTONDOWN:
      SetFocus(view_);
      dragFrom_ = at;
      dragged_ = false;
      SetCapture(view_);
      return 0;
    case WM_MOUSEMOVE:
      cursor_ = at;
      // The middle button always pans; the left one when no pick waits for it.
      if (dragFrom_ && ((w & MK_MBUTTON) || ((w & MK_LBUTTON) && !pick_))) {
        transform_.panBy(at.x - dragFrom_->x, at.y - dragFrom_->y);
        dragged_ = dragged_ || std::abs(at.x - dragFrom_->x) + std::abs(at.y - dragFrom_->y) > 0;
        dragFrom_ = at;
        followExtents_ = false;
        viewChanged();
      } else if (pick_) {
        InvalidateRect(view_, nullptr, FALSE);
      }
      return 0;
    case WM_LBUTTONUP:
    case WM_MBUTTONUP:
      ReleaseCapture();
      if (message == WM_LBUTTONUP && dragFrom_ && !dragged_) clickAt(at);
      dragFrom_.reset();
      return 0;
    case WM_MBUTTONDBLCLK: zoomToExtents(); return 0;
    case WM_RBUTTONUP: key(VK_RETURN); return 0;  // as the host: a right click is Enter
    case WM_MOUSEWHEEL: {
      POINT p{GET_X_LPARAM(l), GET_Y_LPARAM(l)};
      ScreenToClient(view_, &p);
      transform_.zoomAbout(GET_WHEEL_DELTA_WPARAM(w) > 0 ? 1.25 : 0.8, p.x, p.y);
      followExtents_ = false;
      viewChanged();
      return 0;
    }
    case WM_KEYDOWN: key(w); return 0;
    case WM_CHAR:
      if (w == 0x13) addLines({saveOnRequest(target_)});  // Ctrl+S
      return 0;
    default: return DefWindowProcW(view_, message, w, l);
  }
}

void DrawingWindow::clickAt(POINT at) {
  if (!pick_ || !session_) return;
  const PlanPoint plan = transform_.toPlan({static_cast<double>(at.x), static_cast<double>(at.y)});
  const Vec3 world = toWorld(session_->drawing.ucs, Vec3{plan.x, plan.y, 0}, false);
  if (pick_->method != "SelectOnScreen") {
    pick_->answer = PickAnswer::at(world);
    return;
  }
  // Each click adds the entity under it to the selection, or takes it out again.
  auto hit = entityAt(session_->drawing, world, session_->pickAperture);
  if (!hit) return;
  auto& chosen = pick_->chosen;
  if (auto it = std::find(chosen.begin(), chosen.end(), *hit); it != chosen.end()) {
    chosen.erase(it);
    session_->highlighted.erase(*hit);
  } else {
    chosen.push_back(*hit);
    session_->highlighted.insert(*hit);
  }
  InvalidateRect(view_, nullptr, FALSE);
}

void DrawingWindow::key(WPARAM key) {
  if (key == VK_HOME) {
    zoomToExtents();
    return;
  }
  if (!pick_) return;
  if (key == VK_ESCAPE) {
    addLines({"*Cancel*"});
    pick_->answer = PickAnswer::cancel();
  } else if (key == VK_RETURN || key == VK_SPACE) {
    pick_->answer = pick_->method == "SelectOnScreen" ? PickAnswer::selection(pick_->chosen) : PickAnswer::enter();
  }
}

void DrawingWindow::zoomToExtents() {
  RECT client;
  GetClientRect(view_, &client);
  transform_.zoomExtents(session_ ? drawingExtents(session_->drawing) : std::nullopt, client.right, client.bottom);
  followExtents_ = true;
  viewChanged();
}

// On a screen the pick box is a few pixels, whatever the zoom.
void DrawingWindow::viewChanged() {
  if (session_) session_->pickAperture = kPickBoxPixels / transform_.scale();
  InvalidateRect(view_, nullptr, FALSE);
}

void DrawingWindow::paintView() {
  paintBuffered(view_, [this](HDC dc, const RECT& client) {
    if (!session_) return;
    DrawingPicture picture{session_->drawing, transform_, session_->highlighted, std::nullopt, std::nullopt};
    if (pick_ && cursor_) {
      picture.cursor = PlanPoint{static_cast<double>(cursor_->x), static_cast<double>(cursor_->y)};
      if (pick_->base) {
        const Vec3 u = fromWorld(session_->drawing.ucs, *pick_->base, false);
        picture.rubberFrom = transform_.toScreen({u.x, u.y});
      }
    }
    paintDrawing(dc, client, picture);
  });
}

// Called by the timer: what the host received since is shown.
void DrawingWindow::refresh() {
  if (!session_ || !calls_.changed()) return;
  catchUpHistory();
  if (followExtents_) zoomToExtents();
  else viewChanged();
}

// The transcript's and the pick log's lines not shown yet.
void DrawingWindow::catchUpHistory() {
  std::vector<std::string> lines;
  const auto& transcript = session_->commands.transcript;
  for (; transcriptSeen_ < transcript.size(); ++transcriptSeen_) lines.push_back(transcript[transcriptSeen_]);
  const auto& picks = session_->picks.log();
  for (; picksSeen_ < picks.size(); ++picksSeen_) {
    const auto& r = picks[picksSeen_];
    lines.push_back((r.prompt.empty() ? r.method + ":" : r.prompt) + " " + r.outcome);
  }
  addLines(lines);
}

void DrawingWindow::addLines(const std::vector<std::string>& lines) {
  if (lines.empty()) return;
  for (const auto& line : lines) history_.push_back(line);
  if (history_.size() > kHistoryLines) history_.erase(history_.begin(), history_.end() - kHistoryLines);
  std::string text;
  for (const auto& line : history_) text += (text.empty() ? "" : "\r\n") + line;
  SetWindowTextW(strip_, com::toWide(text).c_str());
  const int end = GetWindowTextLengthW(strip_);
  SendMessageW(strip_, EM_SETSEL, end, end);
  SendMessageW(strip_, EM_SCROLLCARET, 0, 0);
}

void DrawingWindow::layout() {
  RECT client;
  GetClientRect(frame_, &client);
  const int viewHeight = std::max<LONG>(1, client.bottom - kStripHeight);
  MoveWindow(view_, 0, 0, client.right, viewHeight, TRUE);
  MoveWindow(strip_, 0, viewHeight, client.right, client.bottom - viewHeight, TRUE);
  if (followExtents_ && session_) zoomToExtents();
}

}  // namespace plotmate::sim
