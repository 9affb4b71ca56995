#pragma once
// Coordinate systems of the drawing stand-in: vector helpers, the current UCS,
// an entity's own system (OCS) by the arbitrary-axis rule of the DXF
// reference, and the host's TranslateCoordinates.

#include <optional>

#include "base/result.h"
#include "sim/drawing/model.h"

namespace plotmate::sim {

Vec3 add(Vec3 a, Vec3 b);
Vec3 sub(Vec3 a, Vec3 b);
Vec3 scale(Vec3 v, double factor);
double dot(Vec3 a, Vec3 b);
Vec3 cross(Vec3 a, Vec3 b);
double length(Vec3 v);
// The unit vector along v; the zero vector stays zero (callers check length).
Vec3 normalize(Vec3 v);

// An orthonormal right-handed frame: world = origin + x*px + y*py + z*pz.
struct Frame {
  Vec3 origin{0, 0, 0};
  Vec3 x{1, 0, 0};
  Vec3 y{0, 1, 0};
  Vec3 z{0, 0, 1};
};

// The UCS as a frame. Its axes are re-orthonormalised (z = x cross y, then
// y = z cross x) so that a slightly skewed UCS read from a file still gives a
// rigid transformation.
Frame ucsFrame(const Ucs& ucs);
// The entity system for an extrusion direction, by the arbitrary-axis rule of
// the DXF reference: when |Nx| < 1/64 and |Ny| < 1/64 the X axis is
// WorldY x N, otherwise WorldZ x N; Y = N x X. The origin is the world origin.
// A zero normal is taken as the world Z axis.
Frame ocsFrame(Vec3 normal);

Vec3 toWorld(const Frame& frame, Vec3 p, bool displacement);
Vec3 fromWorld(const Frame& frame, Vec3 p, bool displacement);

// A displacement ignores the origin (only the rotation applies).
Vec3 toWorld(const Ucs& ucs, Vec3 p, bool displacement);
Vec3 fromWorld(const Ucs& ucs, Vec3 p, bool displacement);
Vec3 ocsToWorld(Vec3 normal, Vec3 p, bool displacement);
Vec3 worldToOcs(Vec3 normal, Vec3 p, bool displacement);

// The system codes of the ActiveX TranslateCoordinates (AcCoordinateSystem).
inline constexpr int kWorldSystem = 0;    // acWorld
inline constexpr int kUserSystem = 1;     // acUCS
inline constexpr int kDisplaySystem = 2;  // acDisplayDCS
inline constexpr int kPaperSystem = 3;    // acPaperSpaceDCS
inline constexpr int kEntitySystem = 4;   // acOCS

// Translates p from system `from` to system `to` (codes above). The entity
// system needs `normal` (a non-zero vector); the display and paper-space
// systems are not modelled by this host and fail with kInvalidArg, as does an
// unknown code, so a caller never receives a silently wrong point.
Result<Vec3> translateCoordinates(const Ucs& ucs, Vec3 p, int from, int to, bool displacement,
                                  std::optional<Vec3> normal);

}  // namespace plotmate::sim
