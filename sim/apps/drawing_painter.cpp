#include "sim/apps/drawing_painter.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "hosts/com/bstr.h"
#include "sim/apps/view/plan_outline.h"
#include "win32/owned_handles.h"

namespace plotmate::sim {

namespace {

constexpr COLORREF kGround = RGB(33, 40, 48);
constexpr COLORREF kHighlight = RGB(255, 255, 255);
constexpr COLORREF kRegionFill = RGB(48, 72, 104);

COLORREF colourOf(EntityKind kind) {
  switch (kind) {
    case EntityKind::Line: return RGB(230, 230, 230);
    case EntityKind::LwPolyline:
    case EntityKind::Polyline2d:
    case EntityKind::Polyline3d: return RGB(0, 220, 255);
    case EntityKind::Circle:
    case EntityKind::Arc: return RGB(80, 230, 80);
    case EntityKind::Text:
    case EntityKind::MText: return RGB(255, 230, 60);
    case EntityKind::Point: return RGB(255, 80, 80);
    case EntityKind::BlockRef: return RGB(255, 110, 255);
    case EntityKind::Region: return RGB(120, 170, 255);
  }
  return RGB(230, 230, 230);
}

// GDI takes 32-bit coordinates but draws wrongly far beyond the screen:
// points are kept within a generous band around it.
POINT pixel(const ViewTransform& view, PlanPoint p) {
  constexpr double kBand = 1e6;
  const PlanPoint s = view.toScreen(p);
  return {static_cast<LONG>(std::lround(std::clamp(s.x, -kBand, kBand))),
          static_cast<LONG>(std::lround(std::clamp(s.y, -kBand, kBand)))};
}

std::vector<POINT> pixels(const ViewTransform& view, const PlanPath& path) {
  std::vector<POINT> out;
  out.reserve(path.size());
  for (const PlanPoint& p : path) out.push_back(pixel(view, p));
  return out;
}

void shadeRegion(HDC dc, const ViewTransform& view, const std::vector<PlanPath>& loops) {
  std::vector<POINT> points;
  std::vector<INT> counts;
  for (const auto& loop : loops) {
    auto ps = pixels(view, loop);
    if (ps.size() < 3) continue;
    points.insert(points.end(), ps.begin(), ps.end());
    counts.push_back(static_cast<INT>(ps.size()));
  }
  if (counts.empty()) return;
  win32::OwnedBrush fill(CreateSolidBrush(kRegionFill));
  auto brushSelected = win32::selectInto(dc, fill.get());
  auto penSelected = win32::selectInto(dc, GetStockObject(NULL_PEN));
  SetPolyFillMode(dc, ALTERNATE);  // islands stay clear
  PolyPolygon(dc, points.data(), counts.data(), static_cast<int>(counts.size()));
}

void drawText(HDC dc, const ViewTransform& view, const Ucs& ucs, const Entity& e,
              const std::string& text) {
  const double height = std::clamp(e.height > 0 ? e.height * view.scale() : 12.0, 1.0, 2000.0);
  if (height < 3) return;  // unreadable: the host shows a smear
  const int tenths = static_cast<int>(std::lround(e.rotation * 1800 / std::numbers::pi));
  win32::OwnedFont font(CreateFontW(-static_cast<int>(height), 0, tenths, tenths, FW_NORMAL, FALSE, FALSE, FALSE,
                           DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                           ANTIALIASED_QUALITY, DEFAULT_PITCH, L"SimSun"));
  auto selected = win32::selectInto(dc, font.get());
  SetTextAlign(dc, TA_BASELINE | TA_LEFT);
  const POINT at = pixel(view, planAnchor(ucs, e));
  const std::wstring wide = com::toWide(text);
  TextOutW(dc, at.x, at.y, wide.c_str(), static_cast<int>(wide.size()));
}

void drawMark(HDC dc, POINT at, int size) {
  MoveToEx(dc, at.x - size, at.y, nullptr);
  LineTo(dc, at.x + size + 1, at.y);
  MoveToEx(dc, at.x, at.y - size, nullptr);
  LineTo(dc, at.x, at.y + size + 1);
}

void drawEntity(HDC dc, const DrawingPicture& picture, const Entity& e, bool highlighted) {
  const ViewTransform& view = picture.view;
  const COLORREF colour = highlighted ? kHighlight : colourOf(e.kind);
  const auto paths = planPaths(picture.drawing, e);
  if (e.kind == EntityKind::Region) shadeRegion(dc, view, paths);
  win32::OwnedPen pen(CreatePen(highlighted ? PS_DOT : PS_SOLID, 1, colour));
  auto selected = win32::selectInto(dc, pen.get());
  SetTextColor(dc, colour);
  for (const auto& path : paths) {
    auto ps = pixels(view, path);
    if (ps.size() >= 2) Polyline(dc, ps.data(), static_cast<int>(ps.size()));
  }
  const Ucs& ucs = picture.drawing.ucs;
  switch (e.kind) {
    case EntityKind::Text:
    case EntityKind::MText: drawText(dc, view, ucs, e, e.text); break;
    case EntityKind::Point: drawMark(dc, pixel(view, planAnchor(ucs, e)), 3); break;
    case EntityKind::BlockRef: {
      drawMark(dc, pixel(view, planAnchor(ucs, e)), 2);
      std::string values;
      for (const auto& a : e.attributes) values += (values.empty() ? "" : " ") + a.value;
      Entity label = e;
      label.height = e.scale.y > 0 ? e.scale.y : 1;
      if (!values.empty()) drawText(dc, view, ucs, label, values);
      break;
    }
    default: break;
  }
}

void drawCursor(HDC dc, const DrawingPicture& picture) {
  if (!picture.cursor) return;
  const POINT at{static_cast<LONG>(picture.cursor->x), static_cast<LONG>(picture.cursor->y)};
  win32::OwnedPen pen(CreatePen(PS_SOLID, 1, RGB(255, 255, 255)));
  auto selected = win32::selectInto(dc, pen.get());
  drawMark(dc, at, 12);
  Rectangle(dc, at.x - 4, at.y - 4, at.x + 5, at.y + 5);
  if (picture.rubberFrom) {
    MoveToEx(dc, static_cast<int>(picture.rubberFrom->x), static_cast<int>(picture.rubberFrom->y), nullptr);
    LineTo(dc, at.x, at.y);
  }
}

}  // namespace

void paintDrawing(HDC dc, const RECT& area, const DrawingPicture& picture) {
  win32::OwnedBrush ground(CreateSolidBrush(kGround));
  FillRect(dc, &area, ground.get());
  SetBkMode(dc, TRANSPARENT);
  auto hollow = win32::selectInto(dc, GetStockObject(NULL_BRUSH));
  for (const Entity* e : picture.drawing.entities())
    drawEntity(dc, picture, *e, picture.highlighted.contains(e->handle));
  drawCursor(dc, picture);
}

}  // namespace plotmate::sim
