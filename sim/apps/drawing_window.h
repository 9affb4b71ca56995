#pragma once
// The drawing stand-in's window, titled as its profile says: the drawing in
// the plan view of the current UCS, zoomed to its extents until the user
// zooms (wheel, about the cursor) or pans (a drag; a double click of the
// middle button or Home zooms to the extents again), and a command-line
// strip below with the prompts, the commands received and what answered the
// picks. With no pick queued, GetPoint, GetEntity and the on-screen
// selection wait for the mouse: a click answers (a rubber line runs from
// GetPoint's base point), clicks gather a selection until Enter, a right
// click or Space; Esc cancels; Enter answers a point or entity prompt as
// the host's keyword reply. Ctrl+S saves the drawing as DXF.

#include <windows.h>

#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "sim/apps/standin_window.h"
#include "sim/apps/view/view_transform.h"
#include "sim/drawing/drawing_session.h"

namespace plotmate::sim {

class DrawingWindow {
 public:
  DrawingWindow();
  DrawingWindow(const DrawingWindow&) = delete;
  DrawingWindow& operator=(const DrawingWindow&) = delete;

  // Shows this host (a fresh one replaces the last) and answers its picks
  // when none is queued.
  void show(std::shared_ptr<DrawingSession> session, std::shared_ptr<HostContext> context,
            SaveTarget target);

  LRESULT handle(HWND hwnd, UINT message, WPARAM w, LPARAM l);
  // The top-level window, which the host reports as its main window.
  HWND window() const { return frame_; }

 private:
  struct PendingPick {
    std::string method;
    std::optional<Vec3> base;  // world
    std::vector<std::string> chosen;
    std::optional<PickAnswer> answer;
  };

  std::optional<PickAnswer> pickByMouse(const std::string& method, const std::string& prompt);
  LRESULT handleView(UINT message, WPARAM w, LPARAM l);
  void paintView();
  void clickAt(POINT at);
  void key(WPARAM key);
  void zoomToExtents();
  void viewChanged();
  void refresh();
  void catchUpHistory();
  void addLines(const std::vector<std::string>& lines);
  void layout();

  HWND frame_ = nullptr, view_ = nullptr, strip_ = nullptr;
  HFONT stripFont_ = nullptr;
  std::shared_ptr<DrawingSession> session_;
  SaveTarget target_;
  CallWatch calls_;
  ViewTransform transform_;
  bool followExtents_ = true;
  std::optional<POINT> dragFrom_;
  bool dragged_ = false;
  std::optional<POINT> cursor_;
  std::optional<PendingPick> pick_;
  std::size_t transcriptSeen_ = 0, picksSeen_ = 0;
  std::vector<std::string> history_;
};

}  // namespace plotmate::sim
