#pragma once
// The user's side of GetPoint, GetEntity and SelectOnScreen: answers queued
// in advance (by a test or a scenario), taken one per call, and a log of
// every prompt shown with what answered it.

#include <cstddef>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "base/result.h"
#include "sim/drawing/model.h"

namespace plotmate::sim {

struct PickAnswer {
  enum class Kind {
    Point,      // a click at a world point: GetPoint's point, or the entity under it
    Entity,     // an entity named by handle (GetEntity, or a one-entity selection)
    Selection,  // entities named by handle (SelectOnScreen); none = Enter at once
    Cancel,     // Esc
    Enter,      // Enter with no input
  };
  Kind kind = Kind::Cancel;
  Vec3 point;                        // Point: world coordinates
  std::vector<std::string> handles;  // Entity: one; Selection: any

  static PickAnswer at(Vec3 worldPoint);
  static PickAnswer entity(std::string handle);
  static PickAnswer selection(std::vector<std::string> handles);
  static PickAnswer cancel();
  static PickAnswer enter();
};

// One prompt shown to the user and what became of it.
struct PickRecord {
  std::string method;   // "GetPoint", "GetEntity", "SelectOnScreen"
  std::string prompt;   // as shown; empty when the caller gave none
  std::string outcome;  // e.g. "point 1,2,0", "entity 1A3", "cancel", "no answer queued"
};

class PickQueue {
 public:
  // Asks a live user (the windowed stand-in's mouse) for an answer when the
  // queue is empty: called with the method and the prompt; nothing = no answer.
  using Fallback = std::function<std::optional<PickAnswer>(const std::string& method,
                                                            const std::string& prompt)>;

  void push(PickAnswer answer) { answers_.push_back(std::move(answer)); }
  std::size_t pending() const { return answers_.size(); }
  void clear() { answers_.clear(); }
  void setFallback(Fallback fallback) { fallback_ = std::move(fallback); }
  // GetPoint's base point (world) while it waits, for a live user's rubber line.
  void setBasePoint(std::optional<Vec3> base) { base_ = base; }
  const std::optional<Vec3>& basePoint() const { return base_; }
  // The next queued answer, else the fallback's; nothing in a headless run
  // with an empty queue.
  std::optional<PickAnswer> take(const std::string& method, const std::string& prompt);

  void record(std::string method, std::string prompt, std::string outcome);
  const std::vector<PickRecord>& log() const { return log_; }

 private:
  std::deque<PickAnswer> answers_;
  std::vector<PickRecord> log_;
  Fallback fallback_;
  std::optional<Vec3> base_;
};

// Half the side of the square pick box, in drawing units, in the plan view of
// the current UCS. Real pick boxes are a few pixels; the stand-in has no
// screen, so the box is a fixed size that a session may change.
inline constexpr double kDefaultPickAperture = 0.5;

struct EntityPick {
  std::string handle;
  Vec3 point;  // world: where the crosshairs were
};

// The answers of the three pick calls. Each takes one queued answer, logs
// the prompt with its outcome, and fails the way the host fails (nothing
// assigned) on a cancel, an Enter where a point or entity is needed, an
// answer of the wrong kind, a click on empty space (GetEntity), or an empty
// queue: a headless run has no user to wait for.
Result<Vec3> answerGetPoint(PickQueue& queue, std::string prompt);
Result<EntityPick> answerGetEntity(PickQueue& queue, const Drawing& drawing, std::string prompt,
                                   double aperture);
// The handles the user selected, in the order picked; a click selects the
// entity under it (or nothing on empty space).
Result<std::vector<std::string>> answerSelectOnScreen(PickQueue& queue, const Drawing& drawing,
                                                      double aperture);

// The entity under a click at a world point, seen in the plan view of the
// drawing's UCS: the nearest entity within the aperture (text and block
// references by their plan box), the newest one when several are equally near.
std::optional<std::string> entityAt(const Drawing& drawing, Vec3 worldPoint, double aperture);

// A point on the entity in world coordinates (its first vertex, start or
// insertion point), reported as the pick point of a pick by handle.
Vec3 pointOnEntity(const Entity& entity);

}  // namespace plotmate::sim
