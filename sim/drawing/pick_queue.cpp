#include "sim/drawing/pick_queue.h"

#include <algorithm>
#include <array>
#include <limits>

#include "format/number_text.h"
#include "sim/drawing/acad_errors.h"
#include "sim/drawing/geometry.h"

namespace plotmate::sim {

PickAnswer PickAnswer::at(Vec3 worldPoint) {
  PickAnswer a;
  a.kind = Kind::Point;
  a.point = worldPoint;
  return a;
}

PickAnswer PickAnswer::entity(std::string handle) {
  PickAnswer a;
  a.kind = Kind::Entity;
  a.handles.push_back(std::move(handle));
  return a;
}

PickAnswer PickAnswer::selection(std::vector<std::string> handles) {
  PickAnswer a;
  a.kind = Kind::Selection;
  a.handles = std::move(handles);
  return a;
}

PickAnswer PickAnswer::cancel() { return {}; }

PickAnswer PickAnswer::enter() {
  PickAnswer a;
  a.kind = Kind::Enter;
  return a;
}

std::optional<PickAnswer> PickQueue::take(const std::string& method, const std::string& prompt) {
  if (answers_.empty()) return fallback_ ? fallback_(method, prompt) : std::nullopt;
  PickAnswer a = std::move(answers_.front());
  answers_.pop_front();
  return a;
}

void PickQueue::record(std::string method, std::string prompt, std::string outcome) {
  log_.push_back({std::move(method), std::move(prompt), std::move(outcome)});
}

namespace {

std::string pointText(Vec3 p) {
  return countingForm(p.x) + "," + countingForm(p.y) + "," + countingForm(p.z);
}

bool usesOwnSystem(EntityKind kind) {
  return kind == EntityKind::Text || kind == EntityKind::Circle || kind == EntityKind::Arc ||
         kind == EntityKind::LwPolyline || kind == EntityKind::Polyline2d;
}

bool countsByBox(EntityKind kind) {
  return kind == EntityKind::Text || kind == EntityKind::MText || kind == EntityKind::BlockRef;
}

// Whether a square pick box of half side h about the UCS point u catches the
// entity: its outline crosses the box's edges, or it lies wholly inside.
bool caughtBy(const Ucs& ucs, const Entity& e, const Box2& bounds, Vec3 u, double h) {
  if (bounds.minX >= u.x - h && bounds.maxX <= u.x + h && bounds.minY >= u.y - h &&
      bounds.maxY <= u.y + h)
    return true;
  std::array<Vec3, 5> square = {Vec3{u.x - h, u.y - h, u.z}, Vec3{u.x + h, u.y - h, u.z},
                                Vec3{u.x + h, u.y + h, u.z}, Vec3{u.x - h, u.y + h, u.z},
                                Vec3{u.x - h, u.y - h, u.z}};
  for (auto& corner : square) corner = toWorld(ucs, corner, false);
  return fenceCrosses(ucs, square, e);
}

// How far the entity lies from u in the plan view (the half side of the
// smallest pick box that catches it, to a fraction of a per cent of the
// aperture), or nothing when the aperture does not reach it.
std::optional<double> planDistance(const Ucs& ucs, const Entity& e, const Box2& bounds, Vec3 u,
                                   double aperture) {
  if (countsByBox(e.kind)) {
    double dx = std::max({bounds.minX - u.x, 0.0, u.x - bounds.maxX});
    double dy = std::max({bounds.minY - u.y, 0.0, u.y - bounds.maxY});
    double d = std::max(dx, dy);
    return d <= aperture ? std::optional(d) : std::nullopt;
  }
  if (!caughtBy(ucs, e, bounds, u, aperture)) return std::nullopt;
  double lo = 0, hi = aperture;
  for (int i = 0; i < 16; ++i) {
    double mid = (lo + hi) / 2;
    (caughtBy(ucs, e, bounds, u, mid) ? hi : lo) = mid;
  }
  return hi;
}

}  // namespace

Vec3 pointOnEntity(const Entity& entity) {
  auto pieces = shapeOf(entity);
  if (!pieces.empty()) return pieces.front().start;
  if (entity.points.empty()) return {};
  Vec3 p = entity.points.front();
  return usesOwnSystem(entity.kind) ? ocsToWorld(entity.normal, p, false) : p;
}

std::optional<std::string> entityAt(const Drawing& drawing, Vec3 worldPoint, double aperture) {
  Vec3 u = fromWorld(drawing.ucs, worldPoint, false);
  Box2 reach{u.x - aperture, u.y - aperture, u.x + aperture, u.y + aperture};
  std::optional<std::string> best;
  double bestDistance = std::numeric_limits<double>::infinity();
  for (const Entity* e : drawing.entities()) {
    auto bounds = planBounds(drawing.ucs, *e);
    if (!bounds || !bounds->overlaps(reach)) continue;
    auto d = planDistance(drawing.ucs, *e, *bounds, u, aperture);
    // "<=": of equally near entities the newest, drawn on top, is picked.
    if (d && *d <= bestDistance) {
      bestDistance = *d;
      best = e->handle;
    }
  }
  return best;
}

namespace {

// Takes the next answer, or logs the empty queue and says so.
std::optional<PickAnswer> nextAnswer(PickQueue& queue, const std::string& method,
                                     const std::string& prompt) {
  auto answer = queue.take(method, prompt);
  if (!answer) queue.record(method, prompt, "no answer queued");
  return answer;
}

const char* kindName(PickAnswer::Kind kind) {
  switch (kind) {
    case PickAnswer::Kind::Point: return "point";
    case PickAnswer::Kind::Entity: return "entity";
    case PickAnswer::Kind::Selection: return "selection";
    case PickAnswer::Kind::Cancel: return "cancel";
    case PickAnswer::Kind::Enter: return "enter";
  }
  return "answer";
}

// Enter, a cancel, or an answer the prompt cannot take: recorded, and the
// error the host gives for it (Enter is the "keyword" answer).
Error refusedAnswer(PickQueue& queue, const std::string& method, std::string prompt,
                    PickAnswer::Kind kind, const Error& failed) {
  switch (kind) {
    case PickAnswer::Kind::Enter:
      queue.record(method, std::move(prompt), "enter");
      return userInputIsKeyword();
    case PickAnswer::Kind::Cancel:
      queue.record(method, std::move(prompt), "cancel");
      return failed;
    default:
      queue.record(method, std::move(prompt), std::string("unusable answer: ") + kindName(kind));
      return failed;
  }
}

}  // namespace

Result<Vec3> answerGetPoint(PickQueue& queue, std::string prompt) {
  const std::string method = "GetPoint";
  auto answer = nextAnswer(queue, method, prompt);
  Error failed = pickFailed(method, "IAcadUtility");
  if (!answer) return std::unexpected(failed);
  switch (answer->kind) {
    case PickAnswer::Kind::Point:
      queue.record(method, std::move(prompt), "point " + pointText(answer->point));
      return answer->point;
    default:
      return std::unexpected(refusedAnswer(queue, method, std::move(prompt), answer->kind, failed));
  }
}

Result<EntityPick> answerGetEntity(PickQueue& queue, const Drawing& drawing, std::string prompt,
                                   double aperture) {
  const std::string method = "GetEntity";
  auto answer = nextAnswer(queue, method, prompt);
  Error failed = pickFailed(method, "IAcadUtility");
  if (!answer) return std::unexpected(failed);
  switch (answer->kind) {
    case PickAnswer::Kind::Point: {
      auto hit = entityAt(drawing, answer->point, aperture);
      if (!hit) {
        queue.record(method, std::move(prompt), "nothing at " + pointText(answer->point));
        return std::unexpected(failed);
      }
      queue.record(method, std::move(prompt), "entity " + *hit);
      return EntityPick{*hit, answer->point};
    }
    case PickAnswer::Kind::Entity: {
      const Entity* e = drawing.find(answer->handles.front());
      if (!e) {
        queue.record(method, std::move(prompt), "no entity " + answer->handles.front());
        return std::unexpected(failed);
      }
      queue.record(method, std::move(prompt), "entity " + e->handle);
      return EntityPick{e->handle, pointOnEntity(*e)};
    }
    default:
      return std::unexpected(refusedAnswer(queue, method, std::move(prompt), answer->kind, failed));
  }
}

Result<std::vector<std::string>> answerSelectOnScreen(PickQueue& queue, const Drawing& drawing,
                                                      double aperture) {
  const std::string method = "SelectOnScreen";
  const std::string prompt = "Select objects:";
  auto answer = nextAnswer(queue, method, prompt);
  Error failed = pickFailed(method, "IAcadSelectionSet");
  if (!answer) return std::unexpected(failed);
  std::vector<std::string> picked;
  std::string outcome = "selected";
  switch (answer->kind) {
    case PickAnswer::Kind::Cancel:
      queue.record(method, prompt, "cancel");
      return std::unexpected(failed);
    case PickAnswer::Kind::Enter:
      break;
    case PickAnswer::Kind::Point:
      if (auto hit = entityAt(drawing, answer->point, aperture)) picked.push_back(*hit);
      break;
    case PickAnswer::Kind::Entity:
    case PickAnswer::Kind::Selection:
      for (const auto& handle : answer->handles) {
        if (const Entity* e = drawing.find(handle)) picked.push_back(e->handle);
        else outcome += " (no entity " + handle + ")";
      }
      break;
  }
  for (const auto& h : picked) outcome += " " + h;
  queue.record(method, prompt, outcome);
  return picked;
}

}  // namespace plotmate::sim
