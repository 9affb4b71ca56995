// DXF: any bytes read without harm; a drawing read and written reads back the
// same: every entity with its handle and geometry, every block, the UCS. (The
// handles of tables and blocks are given anew on each save, above the
// entities' own, so the texts themselves may differ there.)

#include <cstdint>
#include <string_view>

#include "fuzz_check.h"
#include "sim/drawing/dxf_reader.h"
#include "sim/drawing/dxf_writer.h"

using namespace plotmate::sim;

namespace {

bool same(const Entity& a, const Entity& b);
bool same(const Entity* a, const Entity* b);
bool same(const AttributeDefinition& a, const AttributeDefinition& b);
bool same(const BlockDefinition* a, const BlockDefinition* b);

bool same(const Loop& a, const Loop& b) { return a.points == b.points && a.bulges == b.bulges; }

bool same(const Attribute& a, const Attribute& b) { return a.tag == b.tag && a.value == b.value; }

template <class T>
bool sameList(const std::vector<T>& a, const std::vector<T>& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (!same(a[i], b[i])) return false;
  return true;
}

// The members each kind has. The reader may leave a value of a group the
// kind does not use in another member (group 40 of a polyline in `height`,
// group 1 of a circle in `text`): nothing reads or writes those.
bool same(const Entity& a, const Entity& b) {
  if (a.kind != b.kind || a.handle != b.handle || a.layer != b.layer || !(a.normal == b.normal) ||
      a.points != b.points)
    return false;
  switch (a.kind) {
    case EntityKind::LwPolyline:
    case EntityKind::Polyline2d:
      return a.bulges == b.bulges && a.elevation == b.elevation && a.closed == b.closed;
    case EntityKind::Polyline3d: return a.closed == b.closed;
    case EntityKind::Circle: return a.radius == b.radius;
    case EntityKind::Arc: return a.radius == b.radius && a.startAngle == b.startAngle && a.endAngle == b.endAngle;
    case EntityKind::Text:
    case EntityKind::MText: return a.text == b.text && a.height == b.height && a.rotation == b.rotation;
    case EntityKind::BlockRef:
      return a.blockName == b.blockName && a.scale == b.scale && a.rotation == b.rotation &&
             sameList(a.attributes, b.attributes);
    case EntityKind::Region: return sameList(a.loops, b.loops);
    case EntityKind::Line:
    case EntityKind::Point: return true;
  }
  return false;
}

bool same(const AttributeDefinition& a, const AttributeDefinition& b) {
  return a.tag == b.tag && a.prompt == b.prompt && a.defaultValue == b.defaultValue && a.position == b.position &&
         a.height == b.height;
}

bool same(const BlockDefinition* a, const BlockDefinition* b) {
  return a->name == b->name && a->base == b->base && sameList(a->attributes, b->attributes) &&
         sameList(a->entities, b->entities);
}

bool same(const Entity* a, const Entity* b) { return same(*a, *b); }

bool same(const Drawing& a, const Drawing& b) {
  return sameList(a.entities(), b.entities()) && sameList(a.blocks(), b.blocks()) &&
         a.ucs.origin == b.ucs.origin && a.ucs.xAxis == b.ucs.xAxis && a.ucs.yAxis == b.ucs.yAxis;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  auto first = readDxf(std::string_view(reinterpret_cast<const char*>(data), size));
  if (!first) return 0;
  auto written = writeDxf(first->drawing);
  if (!written) return 0;  // a drawing the writer refuses, with a reason
  auto second = readDxf(written->text);
  FUZZ_CHECK(second);
  // What the writer left out (with a note) is gone from the second reading;
  // a drawing written whole must come back whole.
  if (written->notes.empty()) FUZZ_CHECK(same(first->drawing, second->drawing));
  auto rewritten = writeDxf(second->drawing);
  FUZZ_CHECK(rewritten);
  auto third = readDxf(rewritten->text);
  FUZZ_CHECK(third && same(second->drawing, third->drawing));
  return 0;
}
