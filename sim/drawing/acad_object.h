#pragma once
// The base of the drawing stand-in's automation objects, and the argument and
// result forms they share (points as three doubles).

#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "sim/drawing/drawing_session.h"
#include "sim/sim_object.h"

namespace plotmate::sim {

class AcadObject : public SimObject {
 public:
  AcadObject(std::shared_ptr<HostContext> context, std::string className,
             std::shared_ptr<DrawingSession> session)
      : SimObject(std::move(context), std::move(className)), session_(std::move(session)) {}

  DrawingSession& session() const { return *session_; }
  const std::shared_ptr<DrawingSession>& sharedSession() const { return session_; }

 private:
  std::shared_ptr<DrawingSession> session_;
};

// A point argument: an array of three numbers, as the host requires.
Result<Vec3> argPoint(std::span<const Variant> args, std::size_t i, std::string_view argument,
                      std::string_view method);
// A flat list of numbers whose length is a multiple of `per` with at least
// `least` points (AddLightWeightPolyline: 2 per point, at least 2 points).
Result<std::vector<Vec3>> argPointList(std::span<const Variant> args, std::size_t i, int per,
                                       std::size_t least, std::string_view argument,
                                       std::string_view method);
Variant pointVariant(Vec3 p);
Variant pointsVariant(std::span<const Vec3> points, int per);

// What a late-bound caller gets for a member the object does not have.
Result<Variant> noSuchMember(std::string_view name);

}  // namespace plotmate::sim
