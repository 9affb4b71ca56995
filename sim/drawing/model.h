#pragma once
// The drawing stand-in's data: entities as the drawing host keeps them, the
// current UCS and block definitions. Pure data plus bookkeeping; geometry
// lives in geometry.h, coordinate systems in coords.h.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace plotmate::sim {

struct Vec3 {
  double x = 0, y = 0, z = 0;
  bool operator==(const Vec3&) const = default;
};

enum class EntityKind {
  Line,        // AcDbLine
  LwPolyline,  // AcDbPolyline: 2-D vertices in its own system, elevation, bulges
  Polyline2d,  // AcDb2dPolyline: old-style, vertices in its own system
  Polyline3d,  // AcDb3dPolyline: world vertices, no bulges
  Circle,      // AcDbCircle
  Arc,         // AcDbArc
  Text,        // AcDbText
  MText,       // AcDbMText
  Point,       // AcDbPoint
  BlockRef,    // AcDbBlockReference
  Region,      // AcDbRegion
};

// The class name the host reports through ObjectName.
std::string_view objectName(EntityKind kind);

// A handle as the host shows it: upper-case hexadecimal without leading zeros.
std::string handleText(std::uint64_t value);

struct Attribute {
  std::string tag;
  std::string value;
};

// A closed or open chain of vertices with a bulge per vertex (the bulge of
// vertex i shapes the segment from i to i+1; tan of a quarter of the arc's
// included angle, positive counter-clockwise), as polylines and regions hold them.
struct Loop {
  std::vector<Vec3> points;
  std::vector<double> bulges;  // same size as points; 0 for straight segments
};

// Every member has an initializer, so that `Entity{.kind = ..., .points = ...}`
// names only what it sets.
struct Entity {
  EntityKind kind = EntityKind::Line;
  std::string handle{};  // hexadecimal, unique in the drawing, never reused
  std::string layer = "0";
  Vec3 normal{0, 0, 1};  // extrusion direction (entity system by the arbitrary-axis rule)

  // Line: start, end (world). Point: position (world).
  // Circle, Arc, Text, MText, BlockRef: centre / insertion point in the entity's own system
  //   for circle, arc and text (as DXF stores them), world for MText and block references.
  // LwPolyline, Polyline2d: vertices in the entity's own system (z ignored; elevation below).
  // Polyline3d: world vertices.
  std::vector<Vec3> points{};
  std::vector<double> bulges{};  // polylines: one per vertex (0 when straight)
  double elevation = 0;          // LwPolyline, Polyline2d
  bool closed = false;           // polylines

  double radius = 0;                      // circle, arc
  double startAngle = 0, endAngle = 0;    // arc, radians in its own system, counter-clockwise
  std::string text{};                     // Text, MText
  double height = 0, rotation = 0;        // Text, MText, BlockRef rotation (radians)
  std::string blockName{};                // BlockRef
  Vec3 scale{1, 1, 1};                    // BlockRef
  std::vector<Attribute> attributes{};    // BlockRef
  std::vector<Loop> loops{};              // Region: the outer boundary first, then holes (world, flat)
};

struct AttributeDefinition {
  std::string tag;
  std::string prompt;
  std::string defaultValue;
  Vec3 position;
  double height = 0;
};

struct BlockDefinition {
  std::string name;
  Vec3 base;
  std::vector<Entity> entities;
  std::vector<AttributeDefinition> attributes;
};

// The current user coordinate system: origin and unit axes in world coordinates.
struct Ucs {
  Vec3 origin{0, 0, 0};
  Vec3 xAxis{1, 0, 0};
  Vec3 yAxis{0, 1, 0};
};

// Model space: entities in creation order, found by handle.
class Drawing {
 public:
  // Adds an entity, giving it the next handle when it has none (or one that is
  // not hexadecimal or already taken, so nothing loaded is ever lost); keeps a
  // valid given handle in upper case. Returns its handle.
  std::string add(Entity entity);
  // Puts an entity back at a position in creation order (an undone erase):
  // it becomes the position-th live entity (at the end when position is past
  // it), keeping its handle when that is free. Returns its handle.
  std::string restore(Entity entity, std::size_t position);
  bool erase(std::string_view handle);
  Entity* find(std::string_view handle);
  const Entity* find(std::string_view handle) const;
  std::size_t size() const;
  // i-th live entity in creation order (0-based); null past the end. Constant
  // time (after the first call following an erase), for Item(i) loops.
  Entity* at(std::size_t index);
  const Entity* at(std::size_t index) const;
  // Live entities in creation order.
  std::vector<const Entity*> entities() const;
  std::vector<Entity*> entities();

  // The handle the next added entity would get, as a number: above every
  // handle in use (what a saved file records as its next free handle).
  std::uint64_t nextHandleNumber() const { return nextHandle_; }
  // Keeps handles below `next` from new entities (handles a loaded file uses
  // for tables, blocks and objects).
  void reserveHandlesBelow(std::uint64_t next);

  Ucs ucs;
  // Block definitions by name, matched without regard to case.
  void defineBlock(BlockDefinition block);
  const BlockDefinition* block(std::string_view name) const;
  // Every block definition, sorted by name without regard to case.
  std::vector<const BlockDefinition*> blocks() const;

 private:
  std::vector<std::unique_ptr<Entity>> slots_;  // erased entities leave a null slot
  std::unordered_map<std::string, std::size_t> byHandle_;
  std::unordered_map<std::string, BlockDefinition> blocks_;  // key: lower-case name
  std::uint64_t nextHandle_ = 0x100;
  std::size_t live_ = 0;
  // Slot numbers of the live entities in creation order, rebuilt lazily after
  // an erase so that a run of erases stays linear.
  mutable std::vector<std::size_t> order_;
  mutable bool orderValid_ = true;
  const std::vector<std::size_t>& order() const;
  std::string claimHandle(Entity& entity);
};

}  // namespace plotmate::sim
