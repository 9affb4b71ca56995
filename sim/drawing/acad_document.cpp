#include "sim/drawing/acad_document.h"

#include "sim/args.h"
#include "sim/drawing/acad_model_space.h"
#include "sim/drawing/acad_selection.h"
#include "sim/drawing/acad_utility.h"
#include "sim/drawing/command_line.h"
#include "sim/drawing/coords.h"

namespace plotmate::sim {

AcadDocument::AcadDocument(std::shared_ptr<HostContext> context,
                           std::shared_ptr<DrawingSession> session)
    : AcadObject(context, "AcadDocument", session),
      utility_(std::make_shared<AcadUtility>(context, session)),
      selectionSets_(std::make_shared<AcadSelectionSets>(context, session)),
      modelSpace_(std::make_shared<AcadModelSpace>(context, session)) {}

Result<Variant> AcadDocument::invokeMember(std::string_view name, CallKind kind,
                                           std::span<Variant> args) {
  return members().invoke(*this, name, kind, args);
}

Result<Variant> AcadDocument::name(std::span<Variant>) { return Variant(session().documentName); }
Result<Variant> AcadDocument::utility(std::span<Variant>) { return Variant(utility_); }
Result<Variant> AcadDocument::selectionSets(std::span<Variant>) { return Variant(selectionSets_); }
Result<Variant> AcadDocument::modelSpace(std::span<Variant>) { return Variant(modelSpace_); }

// SendCommand(text): typed into the command line and run to completion
// before the call returns (what the tools rely on); kept on the command log.
Result<Variant> AcadDocument::sendCommand(std::span<Variant> args) {
  PLOTMATE_RETURN_IF_FAILED(expectArgs(args, 1, 1));
  PLOTMATE_TRY(text, argText(args, 0));
  session().commands.sent.push_back(*text);
  session().commandLine().send(*text);
  return Variant();
}

namespace {

// UCSORG, UCSXDIR and UCSYDIR: the current UCS's origin and unit axes in
// world coordinates, read-only, as the host documents them. They follow the
// drawing's UCS rather than the variable table, so they answer here.
std::optional<Vec3> ucsVariable(const Ucs& ucs, std::string_view name) {
  const Frame frame = ucsFrame(ucs);
  if (equalsNoCase(name, "UCSORG")) return frame.origin;
  if (equalsNoCase(name, "UCSXDIR")) return frame.x;
  if (equalsNoCase(name, "UCSYDIR")) return frame.y;
  return std::nullopt;
}

}  // namespace

Result<Variant> AcadDocument::setVariable(std::span<Variant> args) {
  PLOTMATE_RETURN_IF_FAILED(expectArgs(args, 2, 2));
  PLOTMATE_TRY(name, argText(args, 0));
  if (ucsVariable(session().drawing.ucs, *name))
    return fail(hr::kInvalidArg, "Error setting system variable " + *name + ": read-only");
  PLOTMATE_RETURN_IF_FAILED(session().variables.set(*name, args[1]));
  return Variant();
}

Result<Variant> AcadDocument::getVariable(std::span<Variant> args) {
  PLOTMATE_RETURN_IF_FAILED(expectArgs(args, 1, 1));
  PLOTMATE_TRY(name, argText(args, 0));
  if (auto p = ucsVariable(session().drawing.ucs, *name)) return pointVariant(*p);
  return session().variables.get(*name);
}

Result<Variant> AcadDocument::startUndoMark(std::span<Variant>) {
  session().undo.beginGroup();
  return Variant();
}

Result<Variant> AcadDocument::endUndoMark(std::span<Variant>) {
  session().undo.endGroup();
  return Variant();
}

Result<Variant> AcadDocument::regen(std::span<Variant>) { return Variant(); }

const MemberTable<AcadDocument>& AcadDocument::members() {
  using D = AcadDocument;
  using T = ArgType;
  static const MemberTable<D> table{
      {"Name", &D::name, nullptr, nullptr, property(T::Text)},
      {"Utility", &D::utility, nullptr, nullptr, property(T::Object)},
      {"SelectionSets", &D::selectionSets, nullptr, nullptr, property(T::Object)},
      {"ModelSpace", &D::modelSpace, nullptr, nullptr, property(T::Object)},
      {"SendCommand", nullptr, nullptr, &D::sendCommand, method({in("Command", T::Text)})},
      {"SetVariable", nullptr, nullptr, &D::setVariable,
       method({in("Name", T::Text), in("Value", T::Variant)})},
      {"GetVariable", nullptr, nullptr, &D::getVariable, method({in("Name", T::Text)}, T::Variant)},
      {"StartUndoMark", nullptr, nullptr, &D::startUndoMark, method()},
      {"EndUndoMark", nullptr, nullptr, &D::endUndoMark, method()},
      {"Regen", nullptr, nullptr, &D::regen, method({inEnum("WhichViewports", "AcRegenType")})},
  };
  return table;
}

}  // namespace plotmate::sim
