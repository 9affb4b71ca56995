#include "sim/drawing/acad_utility.h"

#include "sim/args.h"
#include "sim/drawing/acad_entity.h"
#include "sim/drawing/coords.h"

namespace plotmate::sim {

Result<Variant> AcadUtility::invokeMember(std::string_view name, CallKind kind,
                                          std::span<Variant> args) {
  return members().invoke(*this, name, kind, args);
}

// GetPoint([Point], [Prompt]): the picked point in world coordinates. The
// base point only draws the rubber band in the host; it is checked here
// (three numbers) and otherwise only handed to a live user's rubber line.
Result<Variant> AcadUtility::getPoint(std::span<Variant> args) {
  PLOTMATE_RETURN_IF_FAILED(expectArgs(args, 0, 2));
  std::optional<Vec3> basePoint;
  if (hasArg(args, 0)) {
    PLOTMATE_TRY(base, argPoint(args, 0, "Point", "GetPoint"));
    basePoint = *base;
  }
  std::string prompt;
  if (hasArg(args, 1)) {
    PLOTMATE_TRY(text, argText(args, 1));
    prompt = *text;
  }
  session().picks.setBasePoint(basePoint);
  auto point = answerGetPoint(session().picks, std::move(prompt));
  session().picks.setBasePoint(std::nullopt);
  PLOTMATE_RETURN_IF_FAILED(point);
  return pointVariant(*point);
}

// GetEntity(Object, PickedPoint, [Prompt]): both outputs are written only
// when the pick succeeds; a failed pick leaves them as they were.
Result<Variant> AcadUtility::getEntity(std::span<Variant> args) {
  PLOTMATE_RETURN_IF_FAILED(expectArgs(args, 2, 3));
  std::string prompt;
  if (hasArg(args, 2)) {
    PLOTMATE_TRY(text, argText(args, 2));
    prompt = *text;
  }
  auto& session = this->session();
  PLOTMATE_TRY(pick, answerGetEntity(session.picks, session.drawing, std::move(prompt),
                                     session.pickAperture));
  args[0] = Variant(entityObject(*this, pick->handle));
  args[1] = pointVariant(pick->point);
  return Variant();
}

// TranslateCoordinates(Point, From, To, Disp, [OCSNormal]).
Result<Variant> AcadUtility::translateCoordinates(std::span<Variant> args) {
  PLOTMATE_RETURN_IF_FAILED(expectArgs(args, 4, 5));
  PLOTMATE_TRY(point, argPoint(args, 0, "Point", "TranslateCoordinates"));
  auto from = argInt(args, 1);
  auto to = argInt(args, 2);
  auto displacement = argBool(args, 3);
  if (!from || !to || !displacement) return fail(hr::kTypeMismatch, "Type mismatch");
  std::optional<Vec3> normal;
  if (hasArg(args, 4)) {
    PLOTMATE_TRY(n, argPoint(args, 4, "OCSNormal", "TranslateCoordinates"));
    normal = *n;
  }
  PLOTMATE_TRY(result, plotmate::sim::translateCoordinates(session().drawing.ucs, *point, *from,
                                                           *to, *displacement, normal));
  return pointVariant(*result);
}

// Prompt(text): a line on the command line.
Result<Variant> AcadUtility::prompt(std::span<Variant> args) {
  PLOTMATE_TRY(text, argText(args, 0));
  session().commands.transcript.push_back(*text);
  return Variant();
}

const MemberTable<AcadUtility>& AcadUtility::members() {
  using U = AcadUtility;
  using T = ArgType;
  // Parameters as the automation reference documents IAcadUtility's.
  static const MemberTable<U> table{
      {"GetPoint", nullptr, nullptr, &U::getPoint,
       method({optional("Point"), optional("Prompt")}, T::Variant)},
      {"GetEntity", nullptr, nullptr, &U::getEntity,
       method({out("Object", T::Object), out("PickedPoint", T::Variant), optional("Prompt")})},
      {"TranslateCoordinates", nullptr, nullptr, &U::translateCoordinates,
       method({in("Point", T::Variant), inEnum("FromCoordSystem", "AcCoordinateSystem"),
               inEnum("ToCoordSystem", "AcCoordinateSystem"), in("Displacement", T::Long),
               optional("OCSNormal")},
              T::Variant)},
      {"Prompt", nullptr, nullptr, &U::prompt, method({in("Message", T::Text)})},
  };
  return table;
}

}  // namespace plotmate::sim
