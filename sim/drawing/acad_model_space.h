#pragma once
// ModelSpace: its entities in creation order and the Add methods that build
// drawings through the automation surface (entities land in world
// coordinates with the world Z axis as their normal, as ActiveX Add methods do).

#include "sim/drawing/acad_object.h"

namespace plotmate::sim {

class AcadModelSpace final : public AcadObject {
 public:
  // Members as the host declares them (also written out as a type library).
  static const MemberTable<AcadModelSpace>& members();
  AcadModelSpace(std::shared_ptr<HostContext> context, std::shared_ptr<DrawingSession> session)
      : AcadObject(std::move(context), "AcadModelSpace", std::move(session)) {}

 protected:
  Result<Variant> invokeMember(std::string_view name, CallKind kind,
                               std::span<Variant> args) override;

 private:
  Result<Variant> count(std::span<Variant> args);
  Result<Variant> item(std::span<Variant> args);
  Result<Variant> addLine(std::span<Variant> args);
  Result<Variant> addCircle(std::span<Variant> args);
  Result<Variant> addArc(std::span<Variant> args);
  Result<Variant> addPoint(std::span<Variant> args);
  Result<Variant> addText(std::span<Variant> args);
  Result<Variant> addMText(std::span<Variant> args);
  Result<Variant> addLightWeightPolyline(std::span<Variant> args);
  Result<Variant> addPolyline(std::span<Variant> args);
  Result<Variant> add3DPoly(std::span<Variant> args);
  Result<Variant> addRegion(std::span<Variant> args);
  // Adds the entity (one undo step) and returns its object.
  Variant added(Entity entity);
};

}  // namespace plotmate::sim
