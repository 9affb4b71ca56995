#pragma once
// Application: the running drawing host, and the factory that builds a
// stand-in host around a session.

#include <memory>

#include "sim/drawing/acad_object.h"

namespace plotmate::sim {

class AcadApplication final : public AcadObject {
 public:
  // Members as the host declares them (also written out as a type library).
  static const MemberTable<AcadApplication>& members();
  AcadApplication(std::shared_ptr<HostContext> context, std::shared_ptr<DrawingSession> session);

 protected:
  Result<Variant> invokeMember(std::string_view name, CallKind kind,
                               std::span<Variant> args) override;

 private:
  Result<Variant> getVisible(std::span<Variant> args);
  Result<Variant> putVisible(std::span<Variant> args);
  Result<Variant> activeDocument(std::span<Variant> args);
  Result<Variant> hwnd(std::span<Variant> args);
  Result<Variant> caption(std::span<Variant> args);
  Result<Variant> name(std::span<Variant> args);
  Result<Variant> version(std::span<Variant> args);

  DispatchPtr document_;
};

// One stand-in drawing host: its application object (what attaching to
// "AutoCAD.Application" yields), the call log and fault plan its objects
// share, and the session they work on.
struct AcadStandIn {
  std::shared_ptr<AcadApplication> application;
  std::shared_ptr<HostContext> context;
  std::shared_ptr<DrawingSession> session;
};

// A host around `session` (a new empty drawing when null).
AcadStandIn makeAcadStandIn(std::shared_ptr<DrawingSession> session = nullptr);

}  // namespace plotmate::sim
