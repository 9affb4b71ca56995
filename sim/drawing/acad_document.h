#pragma once
// Document (the active drawing): its utility, selection sets and model
// space, the command line, system variables and undo marks.

#include "sim/drawing/acad_object.h"

namespace plotmate::sim {

class AcadDocument final : public AcadObject {
 public:
  // Members as the host declares them (also written out as a type library).
  static const MemberTable<AcadDocument>& members();
  AcadDocument(std::shared_ptr<HostContext> context, std::shared_ptr<DrawingSession> session);

 protected:
  Result<Variant> invokeMember(std::string_view name, CallKind kind,
                               std::span<Variant> args) override;

 private:
  Result<Variant> name(std::span<Variant> args);
  Result<Variant> utility(std::span<Variant> args);
  Result<Variant> selectionSets(std::span<Variant> args);
  Result<Variant> modelSpace(std::span<Variant> args);
  Result<Variant> sendCommand(std::span<Variant> args);
  Result<Variant> setVariable(std::span<Variant> args);
  Result<Variant> getVariable(std::span<Variant> args);
  Result<Variant> startUndoMark(std::span<Variant> args);
  Result<Variant> endUndoMark(std::span<Variant> args);
  Result<Variant> regen(std::span<Variant> args);

  // The same object on every read, as the host hands out its collections.
  DispatchPtr utility_, selectionSets_, modelSpace_;
};

}  // namespace plotmate::sim
