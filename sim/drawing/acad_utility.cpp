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
  if (auto r = expectArgs(args, 0, 2); !r) return std::unexpected(r.error());
  std::optional<Vec3> basePoint;
  if (hasArg(args, 0)) {
    auto base = argPoint(args, 0, "Point", "GetPoint");
    if (!base) return std::unexpected(base.error());
    basePoint = *base;
  }
  std::string prompt;
  if (hasArg(args, 1)) {
    auto text = argText(args, 1);
    if (!text) return std::unexpected(text.error());
    prompt = *text;
  }
  session().picks.setBasePoint(basePoint);
  auto point = answerGetPoint(session().picks, std::move(prompt));
  session().picks.setBasePoint(std::nullopt);
  if (!point) return std::unexpected(point.error());
  return pointVariant(*point);
}

// GetEntity(Object, PickedPoint, [Prompt]): both outputs are written only
// when the pick succeeds; a failed pick leaves them as they were.
Result<Variant> AcadUtility::getEntity(std::span<Variant> args) {
  if (auto r = expectArgs(args, 2, 3); !r) return std::unexpected(r.error());
  std::string prompt;
  if (hasArg(args, 2)) {
    auto text = argText(args, 2);
    if (!text) return std::unexpected(text.error());
    prompt = *text;
  }
  auto& session = this->session();
  auto pick = answerGetEntity(session.picks, session.drawing, std::move(prompt), session.pickAperture);
  if (!pick) return std::unexpected(pick.error());
  args[0] = Variant(entityObject(*this, pick->handle));
  args[1] = pointVariant(pick->point);
  return Variant();
}

// TranslateCoordinates(Point, From, To, Disp, [OCSNormal]).
Result<Variant> AcadUtility::translateCoordinates(std::span<Variant> args) {
  if (auto r = expectArgs(args, 4, 5); !r) return std::unexpected(r.error());
  auto point = argPoint(args, 0, "Point", "TranslateCoordinates");
  if (!point) return std::unexpected(point.error());
  auto from = argInt(args, 1);
  auto to = argInt(args, 2);
  auto displacement = argBool(args, 3);
  if (!from || !to || !displacement) return fail(hr::kTypeMismatch, "Type mismatch");
  std::optional<Vec3> normal;
  if (hasArg(args, 4)) {
    auto n = argPoint(args, 4, "OCSNormal", "TranslateCoordinates");
    if (!n) return std::unexpected(n.error());
    normal = *n;
  }
  auto result = plotmate::sim::translateCoordinates(session().drawing.ucs, *point, *from, *to,
                                                    *displacement, normal);
  if (!result) return std::unexpected(result.error());
  return pointVariant(*result);
}

// Prompt(text): a line on the command line.
Result<Variant> AcadUtility::prompt(std::span<Variant> args) {
  auto text = argText(args, 0);
  if (!text) return std::unexpected(text.error());
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
