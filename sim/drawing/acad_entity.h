#pragma once
// An entity of model space as the automation surface shows it (AcadLine,
// AcadLWPolyline, AcadRegion, ...). The object holds the entity's handle, not
// the entity: once the entity is deleted every member fails with "Object was
// erased", and an undo that brings it back makes the object work again.

#include <memory>
#include <string>

#include "sim/drawing/acad_object.h"

namespace plotmate::sim {

class AcadEntity final : public AcadObject {
 public:
  // Members as the host declares them (also written out as a type library).
  static const MemberTable<AcadEntity>& members();
  AcadEntity(std::shared_ptr<HostContext> context, std::shared_ptr<DrawingSession> session,
             const Entity& entity);
  const std::string& handle() const { return handle_; }

 protected:
  Result<Variant> invokeMember(std::string_view name, CallKind kind,
                               std::span<Variant> args) override;

 private:
  Result<Entity*> entity() const;

  Result<Variant> objectName(std::span<Variant> args);
  Result<Variant> getHandle(std::span<Variant> args);
  Result<Variant> getLayer(std::span<Variant> args);
  Result<Variant> putLayer(std::span<Variant> args);
  Result<Variant> coordinates(std::span<Variant> args);
  Result<Variant> coordinate(std::span<Variant> args);
  Result<Variant> elevation(std::span<Variant> args);
  Result<Variant> normal(std::span<Variant> args);
  Result<Variant> closed(std::span<Variant> args);
  Result<Variant> startPoint(std::span<Variant> args);
  Result<Variant> endPoint(std::span<Variant> args);
  Result<Variant> center(std::span<Variant> args);
  Result<Variant> radius(std::span<Variant> args);
  Result<Variant> insertionPoint(std::span<Variant> args);
  Result<Variant> getTextString(std::span<Variant> args);
  Result<Variant> putTextString(std::span<Variant> args);
  Result<Variant> update(std::span<Variant> args);
  Result<Variant> highlight(std::span<Variant> args);
  Result<Variant> erase(std::span<Variant> args);
  Result<Variant> area(std::span<Variant> args);
  Result<Variant> boolean(std::span<Variant> args);
  Result<Variant> intersectWith(std::span<Variant> args);

  std::string handle_;
};

// The object for the entity with this handle, or null when there is none.
DispatchPtr entityObject(const AcadObject& owner, std::string_view handle);
// The handle of an entity object of the same session; fails for anything else.
Result<std::string> entityHandleOf(const AcadObject& owner, const Variant& value,
                                   std::string_view argument, std::string_view method);

}  // namespace plotmate::sim
