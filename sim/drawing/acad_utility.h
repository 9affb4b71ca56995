#pragma once
// Utility: the user's picks (from the session's pick queue) and coordinate
// translation.

#include "sim/drawing/acad_object.h"

namespace plotmate::sim {

class AcadUtility final : public AcadObject {
 public:
  // Members as the host declares them (also written out as a type library).
  static const MemberTable<AcadUtility>& members();
  AcadUtility(std::shared_ptr<HostContext> context, std::shared_ptr<DrawingSession> session)
      : AcadObject(std::move(context), "AcadUtility", std::move(session)) {}

 protected:
  Result<Variant> invokeMember(std::string_view name, CallKind kind,
                               std::span<Variant> args) override;

 private:
  Result<Variant> getPoint(std::span<Variant> args);
  Result<Variant> getEntity(std::span<Variant> args);
  Result<Variant> translateCoordinates(std::span<Variant> args);
  Result<Variant> prompt(std::span<Variant> args);
};

}  // namespace plotmate::sim
