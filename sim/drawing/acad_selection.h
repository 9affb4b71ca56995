#pragma once
// SelectionSets (the document's named sets) and SelectionSet (one of them).

#include <cstdint>

#include "sim/drawing/acad_object.h"

namespace plotmate::sim {

class AcadSelectionSets final : public AcadObject {
 public:
  // Members as the host declares them (also written out as a type library).
  static const MemberTable<AcadSelectionSets>& members();
  AcadSelectionSets(std::shared_ptr<HostContext> context, std::shared_ptr<DrawingSession> session)
      : AcadObject(std::move(context), "AcadSelectionSets", std::move(session)) {}

 protected:
  Result<Variant> invokeMember(std::string_view name, CallKind kind,
                               std::span<Variant> args) override;

 private:
  Result<Variant> count(std::span<Variant> args);
  Result<Variant> item(std::span<Variant> args);
  Result<Variant> add(std::span<Variant> args);
};

class AcadSelectionSet final : public AcadObject {
 public:
  // Members as the host declares them (also written out as a type library).
  static const MemberTable<AcadSelectionSet>& members();
  AcadSelectionSet(std::shared_ptr<HostContext> context, std::shared_ptr<DrawingSession> session,
                   std::uint64_t id)
      : AcadObject(std::move(context), "AcadSelectionSet", std::move(session)), id_(id) {}

 protected:
  Result<Variant> invokeMember(std::string_view name, CallKind kind,
                               std::span<Variant> args) override;

 private:
  Result<SelectionSet*> set() const;
  Result<Variant> name(std::span<Variant> args);
  Result<Variant> count(std::span<Variant> args);
  Result<Variant> item(std::span<Variant> args);
  Result<Variant> clear(std::span<Variant> args);
  Result<Variant> erase(std::span<Variant> args);
  Result<Variant> selectOnScreen(std::span<Variant> args);
  Result<Variant> selectByPolygon(std::span<Variant> args);
  Result<Variant> addItems(std::span<Variant> args);
  Result<Variant> removeItems(std::span<Variant> args);
  // The handles of a list of entity objects (a single object counts as a list of one).
  Result<std::vector<std::string>> handlesOf(const Variant& objects, std::string_view method) const;

  std::uint64_t id_;
};

}  // namespace plotmate::sim
