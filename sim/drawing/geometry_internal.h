#pragma once
// Helpers shared by the geometry sources (not part of the drawing interface).

#include <initializer_list>
#include <optional>
#include <vector>

#include "sim/drawing/geometry.h"

namespace plotmate::sim::detail {

// Points closer than this fraction of the coordinates' magnitude (plus one
// unit) are one point: loose enough for arithmetic on survey-size
// coordinates, far below anything a drafter can draw.
inline constexpr double kRelativeTolerance = 1e-10;

double toleranceAt(double magnitude);
double toleranceFor(std::initializer_list<Vec3> points, double extra = 0);
// The largest coordinate or radius of a piece: what its tolerance grows with.
double magnitudeOf(const Piece& piece);
// The tolerance of the larger of the two pieces' magnitudes.
double pieceTolerance(const Piece& a, const Piece& b);

// Angle of p around the arc, counter-clockwise from its start, in [0, 2*pi).
double angleOnArc(const Piece& arc, Vec3 p);
// The angle from the arc's start when p lies within its sweep (tol in length units).
std::optional<double> arcParameter(const Piece& arc, Vec3 p, double tol);
// Position of p along the piece: 0..1 for segments, the angle for arcs.
double parameterOn(const Piece& piece, Vec3 p, double tol);
// Whether p lies on the piece within tol.
bool onPiece(const Piece& piece, Vec3 p, double tol);

// fenceCrosses for one leg whose ends a and b are already in view
// coordinates (z = 0), and planBounds in a given view; `scratch` is reused
// between calls so that a selection over many entities does not allocate.
bool legCrosses(const Frame& view, Vec3 a, Vec3 b, const Entity& entity, std::vector<Piece>& scratch);
std::optional<Box2> planBoundsIn(const Frame& view, const Entity& entity, std::vector<Piece>& scratch);

}  // namespace plotmate::sim::detail
