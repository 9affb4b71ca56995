#pragma once
// Typed views of the drawing host's automation objects: one short method per
// member the tools use, so a tool reads like the automation it drives. Every
// call goes through Dispatch, the same way to the real host and to the stand-in.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "hosts/answers.h"
#include "hosts/dispatch.h"

namespace plotmate {

// Coordinate system codes of TranslateCoordinates.
inline constexpr std::int16_t kWorld = 0;
inline constexpr std::int16_t kUser = 1;
inline constexpr std::int16_t kEntity = 4;

// Members some compatible hosts lack (LacksMember).
inline constexpr std::string_view kTranslateCoordinates = "TranslateCoordinates";
inline constexpr std::string_view kIntersectWith = "IntersectWith";

// SelectByPolygon mode: an open fence through the points.
inline constexpr std::int16_t kSelectFence = 2;
// Boolean operation code: subtract.
inline constexpr std::int16_t kBooleanSubtract = 2;

class AcadObject {
 public:
  AcadObject() = default;
  explicit AcadObject(DispatchPtr object) : object_(std::move(object)) {}
  const DispatchPtr& object() const { return object_; }
  explicit operator bool() const { return object_ != nullptr; }

 protected:
  Dispatch& self() const { return orNothing(object_); }
  DispatchPtr object_;
};

class AcadEntity : public AcadObject {
 public:
  using AcadObject::AcadObject;
  Result<std::string> objectName() const;
  Result<std::string> handle() const;
  Result<std::vector<double>> coordinates() const;
  Result<std::vector<double>> coordinate(std::int32_t index) const;
  Result<double> elevation() const;
  Result<Point3> normal() const;
  Result<Point3> startPoint() const;
  Result<Point3> endPoint() const;
  Result<std::string> textString() const;
  Result<void> setTextString(const std::string& text) const;
  Result<void> update() const;
  Result<void> highlight(bool on) const;
  Result<void> erase() const;  // the Delete member
  Result<double> area() const;
  Result<void> boolean(std::int16_t operation, const AcadEntity& other) const;
  // Intersection points, three numbers each; empty when the two do not meet
  // (the host answers with an empty value or an empty list).
  Result<std::vector<double>> intersectWith(const AcadEntity& other, std::int16_t extend) const;
};

class AcadUtility : public AcadObject {
 public:
  using AcadObject::AcadObject;
  struct Pick {
    AcadEntity entity;
    Point3 point{};
  };
  // Fails when the user cancels: nothing is picked then.
  Result<Point3> getPoint(const std::optional<Point3>& base, const std::string& prompt) const;
  Result<Pick> getEntity(const std::string& prompt) const;
  Result<Point3> translateCoordinates(const Point3& point, std::int16_t from, std::int16_t to,
                                      bool displacement,
                                      const std::optional<Point3>& normal = std::nullopt) const;
};

class AcadSelectionSet : public AcadObject {
 public:
  using AcadObject::AcadObject;
  Result<void> clear() const;
  Result<void> selectOnScreen() const;
  Result<void> selectByPolygon(std::int16_t mode, const std::vector<double>& points,
                               std::int16_t filterCode, const std::string& filterValue) const;
  Result<void> removeItems(const std::vector<AcadEntity>& entities) const;
  Result<std::int32_t> count() const;
  Result<AcadEntity> item(std::int32_t index) const;
  Result<void> erase() const;  // the Delete member

 private:
  // Removes every entity whose object name differs.
  Result<void> keepOnly(std::string_view objectName) const;
};

class AcadSelectionSets : public AcadObject {
 public:
  using AcadObject::AcadObject;
  Result<AcadSelectionSet> item(const std::string& name) const;
  Result<AcadSelectionSet> add(const std::string& name) const;
};

class AcadModelSpace : public AcadObject {
 public:
  using AcadObject::AcadObject;
  Result<std::int32_t> count() const;
  Result<AcadEntity> item(std::int32_t index) const;
  Result<AcadEntity> add3DPoly(const std::vector<double>& points) const;
  Result<AcadEntity> addLightWeightPolyline(const std::vector<double>& points) const;
};

class AcadDocument : public AcadObject {
 public:
  using AcadObject::AcadObject;
  Result<AcadUtility> utility() const;
  Result<AcadSelectionSets> selectionSets() const;
  Result<AcadModelSpace> modelSpace() const;
  Result<void> sendCommand(const std::string& text) const;
  Result<void> setVariable(const std::string& name, const Variant& value) const;
  Result<Variant> getVariable(const std::string& name) const;
  Result<void> startUndoMark() const;
  Result<void> endUndoMark() const;
};

// A point as the host takes it: an array of three doubles.
Variant fromPoint(const Point3& point);

// Whether a call failed because the host has no such member (its class
// lacks it: IntelliCAD-based programs have no TranslateCoordinates or
// IntersectWith). Such a host refuses the member on every call, so a tool
// that needs it cannot run there at all.
bool LacksMember(const Error& error);
struct MissingMember {
  std::string_view member;
  Error error;
};
// The message a tool ends with when the drawing host lacks `member`: what
// the drafter cannot do there, and the host's own error text.
std::string MissingMemberMessage(std::string_view member, const Error& error);

}  // namespace plotmate
