#include "sim/drawing/acad_selection.h"

#include "sim/args.h"
#include "sim/drawing/acad_entity.h"
#include "sim/drawing/acad_errors.h"
#include "sim/drawing/polygon_selection.h"

namespace plotmate::sim {

Result<Variant> AcadSelectionSets::invokeMember(std::string_view name, CallKind kind,
                                                std::span<Variant> args) {
  return members().invoke(*this, name, kind, args);
}

Result<Variant> AcadSelectionSets::count(std::span<Variant>) {
  return Variant(static_cast<std::int32_t>(session().selectionSets.size()));
}

// Item(name or index). A name that does not exist fails with "Key not found",
// the error AutoCAD raises; callers use that to decide to Add the set.
Result<Variant> AcadSelectionSets::item(std::span<Variant> args) {
  if (!hasArg(args, 0)) return fail(hr::kBadParamCount, "Invalid number of parameters");
  auto& store = session().selectionSets;
  SelectionSet* set = nullptr;
  if (auto name = args[0].getIf<std::string>()) {
    set = store.find(*name);
    if (!set) return std::unexpected(keyNotFound());
  } else {
    PLOTMATE_TRY(index, argInt(args, 0));
    set = *index < 0 ? nullptr : store.at(static_cast<std::size_t>(*index));
    if (!set) return std::unexpected(invalidArgument("Index", "Item"));
  }
  return Variant(std::make_shared<AcadSelectionSet>(sharedContext(), sharedSession(), set->id));
}

Result<Variant> AcadSelectionSets::add(std::span<Variant> args) {
  PLOTMATE_TRY(name, argText(args, 0));
  if (name->empty()) return std::unexpected(invalidArgument("Name", "Add"));
  PLOTMATE_TRY(set, session().selectionSets.add(*name));
  return Variant(std::make_shared<AcadSelectionSet>(sharedContext(), sharedSession(), (*set)->id));
}

const MemberTable<AcadSelectionSets>& AcadSelectionSets::members() {
  using S = AcadSelectionSets;
  using T = ArgType;
  static const MemberTable<S> table{
      {"Count", &S::count, nullptr, nullptr, property(T::Long)},
      {"Item", &S::item, nullptr, nullptr, method({in("Index", T::Variant)}, T::Object)},
      {"Add", nullptr, nullptr, &S::add, method({in("Name", T::Text)}, T::Object)},
  };
  return table;
}

Result<Variant> AcadSelectionSet::invokeMember(std::string_view name, CallKind kind,
                                               std::span<Variant> args) {
  return members().invoke(*this, name, kind, args);
}

Result<SelectionSet*> AcadSelectionSet::set() const {
  SelectionSet* s = session().selectionSets.byId(id_);
  if (!s) return fail(hr::kException, "The selection set was deleted");
  return s;
}

Result<Variant> AcadSelectionSet::name(std::span<Variant>) {
  PLOTMATE_TRY(s, set());
  return Variant((*s)->name);
}

// Count and Item see the members whose entity still exists.
Result<Variant> AcadSelectionSet::count(std::span<Variant>) {
  PLOTMATE_TRY(s, set());
  return Variant(static_cast<std::int32_t>((*s)->live(session().drawing).size()));
}

Result<Variant> AcadSelectionSet::item(std::span<Variant> args) {
  PLOTMATE_TRY(s, set());
  PLOTMATE_TRY(index, argInt(args, 0));
  auto live = (*s)->live(session().drawing);
  if (*index < 0 || static_cast<std::size_t>(*index) >= live.size())
    return std::unexpected(invalidArgument("Index", "Item"));
  return Variant(entityObject(*this, live[static_cast<std::size_t>(*index)]));
}

Result<Variant> AcadSelectionSet::clear(std::span<Variant>) {
  PLOTMATE_TRY(s, set());
  (*s)->handles.clear();
  return Variant();
}

// Delete: the set goes, its entities stay.
Result<Variant> AcadSelectionSet::erase(std::span<Variant>) {
  PLOTMATE_RETURN_IF_FAILED(set());
  session().selectionSets.remove(id_);
  return Variant();
}

// SelectOnScreen([FilterType, FilterData]): adds what the user selects.
Result<Variant> AcadSelectionSet::selectOnScreen(std::span<Variant> args) {
  PLOTMATE_TRY(s, set());
  PLOTMATE_TRY(filter, readSelectionFilter(args.size() > 0 ? &args[0] : nullptr,
                                           args.size() > 1 ? &args[1] : nullptr));
  auto& session = this->session();
  PLOTMATE_TRY(picked, answerSelectOnScreen(session.picks, session.drawing, session.pickAperture));
  std::erase_if(*picked, [&](const std::string& h) { return !filter->passes(*session.drawing.find(h)); });
  (*s)->add(*picked);
  return Variant();
}

// SelectByPolygon(mode, points, [FilterType, FilterData]). The points are
// world coordinates (ActiveX reference); the selection itself happens in
// the plan view of the current UCS, as the drafter sees the drawing.
Result<Variant> AcadSelectionSet::selectByPolygon(std::span<Variant> args) {
  PLOTMATE_TRY(s, set());
  PLOTMATE_TRY(mode, argInt(args, 0));
  PLOTMATE_TRY(points, argPointList(args, 1, 3, 1, "PointsList", "SelectByPolygon"));
  const bool filtered = hasArg(args, 2) || hasArg(args, 3);
  // GstarCAD fails every selection with filter codes (public test suites).
  if (filtered && profileOf(context(), HostKind::Drawing).refusesFilteredSelection)
    return fail(hr::kInvalidArg, "Invalid argument");
  PLOTMATE_TRY(filter, readSelectionFilter(args.size() > 2 ? &args[2] : nullptr,
                                           args.size() > 3 ? &args[3] : nullptr));
  PLOTMATE_TRY(selected,
               plotmate::sim::selectByPolygon(session().drawing, *mode, *points, *filter));
  (*s)->add(*selected);
  return Variant();
}

Result<std::vector<std::string>> AcadSelectionSet::handlesOf(const Variant& objects,
                                                              std::string_view method) const {
  std::vector<Variant> items;
  if (auto list = objects.getIf<VariantList>()) items = *list;
  else items.push_back(objects);
  std::vector<std::string> handles;
  for (const Variant& item : items) {
    PLOTMATE_TRY(handle, entityHandleOf(*this, item, "Objects", method));
    handles.push_back(*handle);
  }
  return handles;
}

Result<Variant> AcadSelectionSet::addItems(std::span<Variant> args) {
  PLOTMATE_TRY(s, set());
  if (!hasArg(args, 0)) return fail(hr::kBadParamCount, "Invalid number of parameters");
  PLOTMATE_TRY(handles, handlesOf(args[0], "AddItems"));
  for (const auto& h : *handles)
    if (!session().drawing.find(h)) return std::unexpected(objectErased());
  (*s)->add(*handles);
  return Variant();
}

// RemoveItems(objects): an object that is not in the set is passed over
// without an error; the others leave the set (their entities stay).
Result<Variant> AcadSelectionSet::removeItems(std::span<Variant> args) {
  PLOTMATE_TRY(s, set());
  if (!hasArg(args, 0)) return fail(hr::kBadParamCount, "Invalid number of parameters");
  PLOTMATE_TRY(handles, handlesOf(args[0], "RemoveItems"));
  for (const auto& h : *handles) (*s)->remove(h);
  return Variant();
}

const MemberTable<AcadSelectionSet>& AcadSelectionSet::members() {
  using S = AcadSelectionSet;
  using T = ArgType;
  static const MemberTable<S> table{
      {"Name", &S::name, nullptr, nullptr, property(T::Text)},
      {"Count", &S::count, nullptr, nullptr, property(T::Long)},
      {"Item", &S::item, nullptr, nullptr, method({in("Index", T::Variant)}, T::Object)},
      {"Clear", nullptr, nullptr, &S::clear, method()},
      {"Delete", nullptr, nullptr, &S::erase, method()},
      {"SelectOnScreen", nullptr, nullptr, &S::selectOnScreen,
       method({optional("FilterType"), optional("FilterData")})},
      {"SelectByPolygon", nullptr, nullptr, &S::selectByPolygon,
       method({inEnum("Mode", "AcSelect"), in("PointsList", T::Variant), optional("FilterType"),
               optional("FilterData")})},
      {"AddItems", nullptr, nullptr, &S::addItems, method({in("Items", T::Variant)})},
      {"RemoveItems", nullptr, nullptr, &S::removeItems, method({in("Objects", T::Variant)})},
  };
  return table;
}

}  // namespace plotmate::sim
