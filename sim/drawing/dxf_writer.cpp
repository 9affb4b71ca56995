#include "sim/drawing/dxf_writer.h"

#include <charconv>
#include <cmath>
#include <fstream>
#include <numbers>
#include <string_view>
#include <system_error>

#include "sim/drawing/coords.h"
#include "sim/drawing/dxf_text.h"

namespace plotmate::sim {

namespace {

constexpr double kDegree = std::numbers::pi / 180;
// Group 1 and 3 values hold at most this many characters; longer MTEXT
// contents go in 250-character group 3 pieces, the rest in group 1.
constexpr std::size_t kChunk = 250;

std::string hex(std::uint64_t value) {
  char digits[20];
  auto [end, ec] = std::to_chars(digits, digits + sizeof digits, value, 16);
  std::string text(digits, end);
  for (char& c : text) {
    if (c >= 'a' && c <= 'f') c = static_cast<char>(c - 'a' + 'A');
  }
  return text;
}

// Shortest text that reads back to the same double, always with a decimal
// point or an exponent so that readers take it as a real.
std::string real(double value) {
  char digits[32];
  auto [end, ec] = std::to_chars(digits, digits + sizeof digits, value);
  std::string text(digits, end);
  if (text.find_first_of(".e") == std::string::npos) text += ".0";
  return text;
}

bool finite(Vec3 v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }

bool finiteEntity(const Entity& e) {
  for (const Vec3& p : e.points) {
    if (!finite(p)) return false;
  }
  for (double b : e.bulges) {
    if (!std::isfinite(b)) return false;
  }
  for (const Loop& loop : e.loops) {
    for (const Vec3& p : loop.points) {
      if (!finite(p)) return false;
    }
    for (double b : loop.bulges) {
      if (!std::isfinite(b)) return false;
    }
  }
  return finite(e.normal) && finite(e.scale) && std::isfinite(e.elevation) && std::isfinite(e.radius) &&
         std::isfinite(e.startAngle) && std::isfinite(e.endAngle) && std::isfinite(e.height) &&
         std::isfinite(e.rotation);
}

class Writer {
 public:
  explicit Writer(const Drawing& drawing) : drawing_(drawing), next_(drawing.nextHandleNumber()) {}
  Result<DxfText> write();

 private:
  void group(int code, std::string_view value) {
    char digits[12];
    auto [end, ec] = std::to_chars(digits, digits + sizeof digits, code);
    const std::size_t width = static_cast<std::size_t>(end - digits);
    if (width < 3) body_.append(3 - width, ' ');  // codes right-aligned, as AutoCAD writes them
    body_.append(digits, end);
    body_ += '\n';
    body_.append(value);
    body_ += '\n';
  }
  void text(int code, std::string_view utf8) { group(code, encodeDxfText(utf8)); }
  void number(int code, double value) { group(code, real(value)); }
  void integer(int code, long long value) {
    char digits[24];
    auto [end, ec] = std::to_chars(digits, digits + sizeof digits, value);
    group(code, std::string_view(digits, static_cast<std::size_t>(end - digits)));
  }
  void point(int code, Vec3 p) {
    number(code, p.x);
    number(code + 10, p.y);
    number(code + 20, p.z);
  }
  void normal(Vec3 n) {
    if (!(n == Vec3{0, 0, 1})) point(210, n);
  }
  std::string handle() { return hex(next_++); }
  // The groups every entity starts with; returns its handle.
  std::string entityStart(std::string_view type, std::string handleText, const std::string& owner,
                          std::string_view layer, std::string_view subclass) {
    group(0, type);
    group(5, handleText);
    group(330, owner);
    group(100, "AcDbEntity");
    text(8, layer);
    if (!subclass.empty()) group(100, subclass);
    return handleText;
  }
  void table(std::string_view name, const std::vector<std::string_view>& entries, std::string_view subclass,
             auto&& writeEntry) {
    const std::string tableHandle = handle();
    group(0, "TABLE");
    group(2, name);
    group(5, tableHandle);
    group(330, "0");
    group(100, "AcDbSymbolTable");
    integer(70, static_cast<long long>(entries.size()));
    for (std::string_view entry : entries) {
      group(0, name);
      group(name == "DIMSTYLE" ? 105 : 5, handle());
      group(330, tableHandle);
      group(100, "AcDbSymbolTableRecord");
      group(100, subclass);
      text(2, entry);
      integer(70, 0);
      writeEntry(entry);
    }
    group(0, "ENDTAB");
  }

  void writeTables();
  void writeBlock(std::string_view name, const std::string& record, const BlockDefinition* block);
  void writeEntity(const Entity& e, const std::string& owner, bool keepHandle);
  void writeMText(const Entity& e);
  void writeSeqend(const std::string& owner, std::string_view layer) {
    entityStart("SEQEND", handle(), owner, layer, "");
  }

  const Drawing& drawing_;
  std::uint64_t next_;
  std::string body_;
  std::vector<std::string> notes_;
  std::size_t regions_ = 0;
  std::string modelRecord_, paperRecord_;
  std::vector<std::pair<std::string, std::string>> blockRecords_;  // name, record handle
};

void Writer::writeTables() {
  group(0, "SECTION");
  group(2, "TABLES");
  table("VPORT", {"*ACTIVE"}, "AcDbViewportTableRecord", [&](std::string_view) {
    point(10, {0, 0, 0});
    point(11, {1, 1, 0});
    number(40, 100);
    number(41, 1.5);
  });
  table("LTYPE", {"ByBlock", "ByLayer", "Continuous"}, "AcDbLinetypeTableRecord", [&](std::string_view name) {
    text(3, name == "Continuous" ? "Solid line" : "");
    integer(72, 65);
    integer(73, 0);
    number(40, 0);
  });
  // Every layer an entity names, "0" first.
  std::vector<std::string> layers{"0"};
  auto note = [&](const std::string& layer) {
    for (const std::string& known : layers) {
      if (known == layer) return;
    }
    layers.push_back(layer);
  };
  for (const Entity* e : drawing_.entities()) note(e->layer);
  for (const BlockDefinition* b : drawing_.blocks()) {
    for (const Entity& e : b->entities) note(e.layer);
  }
  std::vector<std::string_view> layerViews(layers.begin(), layers.end());
  table("LAYER", layerViews, "AcDbLayerTableRecord", [&](std::string_view) {
    integer(62, 7);
    group(6, "Continuous");
  });
  table("STYLE", {"Standard"}, "AcDbTextStyleTableRecord", [&](std::string_view) {
    number(40, 0);
    number(41, 1);
    number(50, 0);
    integer(71, 0);
    number(42, 2.5);
    group(3, "txt");
    group(4, "");
  });
  table("VIEW", {}, "AcDbViewTableRecord", [](std::string_view) {});
  table("UCS", {}, "AcDbUCSTableRecord", [](std::string_view) {});
  table("APPID", {"ACAD"}, "AcDbRegAppTableRecord", [](std::string_view) {});
  table("DIMSTYLE", {"Standard"}, "AcDbDimStyleTableRecord", [](std::string_view) {});

  // Block records: the two layouts, then each block; their handles own the
  // blocks' contents.
  const std::string recordTable = handle();
  group(0, "TABLE");
  group(2, "BLOCK_RECORD");
  group(5, recordTable);
  group(330, "0");
  group(100, "AcDbSymbolTable");
  const auto blocks = drawing_.blocks();
  integer(70, static_cast<long long>(blocks.size() + 2));
  auto record = [&](std::string_view name) {
    std::string h = handle();
    group(0, "BLOCK_RECORD");
    group(5, h);
    group(330, recordTable);
    group(100, "AcDbSymbolTableRecord");
    group(100, "AcDbBlockTableRecord");
    text(2, name);
    return h;
  };
  modelRecord_ = record("*Model_Space");
  paperRecord_ = record("*Paper_Space");
  for (const BlockDefinition* b : blocks) blockRecords_.emplace_back(b->name, record(b->name));
  group(0, "ENDTAB");
  group(0, "ENDSEC");
}

void Writer::writeBlock(std::string_view name, const std::string& record, const BlockDefinition* block) {
  const bool paper = name == "*Paper_Space";
  entityStart("BLOCK", handle(), record, "0", "");
  if (paper) integer(67, 1);
  group(100, "AcDbBlockBegin");
  text(2, name);
  integer(70, block && !block->attributes.empty() ? 2 : 0);
  point(10, block ? block->base : Vec3{});
  text(3, name);
  group(1, "");
  if (block) {
    for (const Entity& e : block->entities) writeEntity(e, record, false);
    for (const AttributeDefinition& a : block->attributes) {
      entityStart("ATTDEF", handle(), record, "0", "AcDbText");
      point(10, a.position);
      number(40, a.height);
      text(1, a.defaultValue);
      group(100, "AcDbAttributeDefinition");
      text(3, a.prompt);
      text(2, a.tag);
      integer(70, 0);
    }
  }
  entityStart("ENDBLK", handle(), record, "0", "");
  if (paper) integer(67, 1);
  group(100, "AcDbBlockEnd");
}

void Writer::writeMText(const Entity& e) {
  const std::string encoded = encodeDxfText(e.text);
  // Pieces never split an escape: "\U+XXXX" and "^X" stay whole.
  std::size_t start = 0;
  while (encoded.size() - start > kChunk) {
    std::size_t end = start;
    while (end < encoded.size()) {
      const std::size_t unit = encoded.compare(end, 3, "\\U+") == 0 ? 7 : encoded[end] == '^' ? 2 : 1;
      if (end + unit - start > kChunk) break;
      end += unit;
    }
    group(3, std::string_view(encoded).substr(start, end - start));
    start = end;
  }
  group(1, std::string_view(encoded).substr(start));
}

Vec3 pointAt(const Entity& e, std::size_t i) { return i < e.points.size() ? e.points[i] : Vec3{}; }

void Writer::writeEntity(const Entity& e, const std::string& owner, bool keepHandle) {
  auto id = [&] { return keepHandle && !e.handle.empty() ? e.handle : handle(); };
  switch (e.kind) {
    case EntityKind::Line:
      entityStart("LINE", id(), owner, e.layer, "AcDbLine");
      point(10, pointAt(e, 0));
      point(11, pointAt(e, 1));
      normal(e.normal);
      return;
    case EntityKind::LwPolyline:
      entityStart("LWPOLYLINE", id(), owner, e.layer, "AcDbPolyline");
      integer(90, static_cast<long long>(e.points.size()));
      integer(70, e.closed ? 1 : 0);
      number(38, e.elevation);
      for (std::size_t i = 0; i < e.points.size(); ++i) {
        number(10, e.points[i].x);
        number(20, e.points[i].y);
        if (i < e.bulges.size() && e.bulges[i] != 0) number(42, e.bulges[i]);
      }
      normal(e.normal);
      return;
    case EntityKind::Polyline2d:
    case EntityKind::Polyline3d: {
      const bool flat = e.kind == EntityKind::Polyline2d;
      const std::string self = entityStart("POLYLINE", id(), owner, e.layer, flat ? "AcDb2dPolyline" : "AcDb3dPolyline");
      integer(66, 1);
      point(10, {0, 0, flat ? e.elevation : 0});
      integer(70, (e.closed ? 1 : 0) | (flat ? 0 : 8));
      normal(e.normal);
      for (std::size_t i = 0; i < e.points.size(); ++i) {
        entityStart("VERTEX", handle(), self, e.layer, "AcDbVertex");
        group(100, flat ? "AcDb2dVertex" : "AcDb3dPolylineVertex");
        const Vec3 p = e.points[i];
        point(10, flat ? Vec3{p.x, p.y, e.elevation} : p);
        if (flat && i < e.bulges.size() && e.bulges[i] != 0) number(42, e.bulges[i]);
        integer(70, flat ? 0 : 32);
      }
      writeSeqend(self, e.layer);
      return;
    }
    case EntityKind::Circle:
    case EntityKind::Arc:
      entityStart(e.kind == EntityKind::Circle ? "CIRCLE" : "ARC", id(), owner, e.layer, "AcDbCircle");
      point(10, pointAt(e, 0));
      number(40, e.radius);
      normal(e.normal);
      if (e.kind == EntityKind::Arc) {
        group(100, "AcDbArc");
        number(50, e.startAngle / kDegree);
        number(51, e.endAngle / kDegree);
      }
      return;
    case EntityKind::Text:
      entityStart("TEXT", id(), owner, e.layer, "AcDbText");
      point(10, pointAt(e, 0));
      number(40, e.height);
      text(1, e.text);
      number(50, e.rotation / kDegree);
      normal(e.normal);
      group(100, "AcDbText");
      return;
    case EntityKind::MText:
      entityStart("MTEXT", id(), owner, e.layer, "AcDbMText");
      point(10, pointAt(e, 0));
      number(40, e.height);
      writeMText(e);
      number(50, e.rotation);  // radians for MTEXT
      normal(e.normal);
      return;
    case EntityKind::Point:
      entityStart("POINT", id(), owner, e.layer, "AcDbPoint");
      point(10, pointAt(e, 0));
      normal(e.normal);
      return;
    case EntityKind::BlockRef: {
      const std::string self = entityStart("INSERT", id(), owner, e.layer, "AcDbBlockReference");
      if (!e.attributes.empty()) integer(66, 1);
      text(2, e.blockName);
      // INSERT keeps its point in the entity system.
      const Vec3 insertion = worldToOcs(e.normal, pointAt(e, 0), false);
      point(10, insertion);
      number(41, e.scale.x);
      number(42, e.scale.y);
      number(43, e.scale.z);
      number(50, e.rotation / kDegree);
      normal(e.normal);
      if (e.attributes.empty()) return;
      const BlockDefinition* block = drawing_.block(e.blockName);
      for (const Attribute& a : e.attributes) {
        double height = 2.5;
        if (block) {
          for (const AttributeDefinition& d : block->attributes) {
            if (d.tag == a.tag && d.height > 0) height = d.height;
          }
        }
        entityStart("ATTRIB", handle(), self, e.layer, "AcDbText");
        point(10, insertion);
        number(40, height);
        text(1, a.value);
        group(100, "AcDbAttribute");
        text(2, a.tag);
        integer(70, 0);
      }
      writeSeqend(self, e.layer);
      return;
    }
    case EntityKind::Region: {
      // DXF holds a region as an ACIS solid; its loops are written as closed
      // polylines instead, the first keeping the region's handle.
      ++regions_;
      bool first = true;
      for (const Loop& loop : e.loops) {
        Entity outline;
        outline.kind = EntityKind::LwPolyline;
        outline.layer = e.layer;
        outline.handle = first && keepHandle ? e.handle : std::string();
        outline.points = loop.points;
        outline.bulges = loop.bulges;
        outline.closed = true;
        outline.elevation = loop.points.empty() ? 0 : loop.points.front().z;
        writeEntity(outline, owner, keepHandle && first);
        first = false;
      }
      return;
    }
  }
}

Result<DxfText> Writer::write() {
  for (const Entity* e : drawing_.entities()) {
    if (!finiteEntity(*e)) {
      return fail(hr::kFail, "DXF: entity " + e->handle + " holds a number that is not finite; the drawing was not saved");
    }
  }
  for (const BlockDefinition* b : drawing_.blocks()) {
    for (const Entity& e : b->entities) {
      if (!finiteEntity(e)) {
        return fail(hr::kFail, "DXF: block " + b->name + " holds a number that is not finite; the drawing was not saved");
      }
    }
  }

  group(0, "SECTION");
  group(2, "CLASSES");
  group(0, "ENDSEC");
  writeTables();

  group(0, "SECTION");
  group(2, "BLOCKS");
  writeBlock("*Model_Space", modelRecord_, nullptr);
  writeBlock("*Paper_Space", paperRecord_, nullptr);
  const auto blocks = drawing_.blocks();
  for (std::size_t i = 0; i < blocks.size(); ++i) writeBlock(blocks[i]->name, blockRecords_[i].second, blocks[i]);
  group(0, "ENDSEC");

  group(0, "SECTION");
  group(2, "ENTITIES");
  for (const Entity* e : drawing_.entities()) writeEntity(*e, modelRecord_, true);
  group(0, "ENDSEC");

  const std::string root = handle(), groups = handle();
  group(0, "SECTION");
  group(2, "OBJECTS");
  group(0, "DICTIONARY");
  group(5, root);
  group(330, "0");
  group(100, "AcDbDictionary");
  integer(281, 1);
  group(3, "ACAD_GROUP");
  group(350, groups);
  group(0, "DICTIONARY");
  group(5, groups);
  group(330, root);
  group(100, "AcDbDictionary");
  integer(281, 1);
  group(0, "ENDSEC");
  group(0, "EOF");

  // The header goes first but needs the next free handle, known only now.
  std::string entities = std::move(body_);
  body_.clear();
  group(0, "SECTION");
  group(2, "HEADER");
  group(9, "$ACADVER");
  group(1, "AC1015");
  group(9, "$DWGCODEPAGE");
  group(3, "ANSI_1252");
  group(9, "$HANDSEED");
  group(5, hex(next_));
  group(9, "$UCSORG");
  point(10, drawing_.ucs.origin);
  group(9, "$UCSXDIR");
  point(10, drawing_.ucs.xAxis);
  group(9, "$UCSYDIR");
  point(10, drawing_.ucs.yAxis);
  group(0, "ENDSEC");

  DxfText out;
  out.text = std::move(body_) + entities;
  if (regions_ > 0) {
    char digits[24];
    auto [end, ec] = std::to_chars(digits, digits + sizeof digits, regions_);
    out.notes.push_back(std::string(digits, end) + " regions were written as closed polylines, one per loop");
  }
  return out;
}

}  // namespace

Result<DxfText> writeDxf(const Drawing& drawing) { return Writer(drawing).write(); }

Result<std::vector<std::string>> saveDxf(const Drawing& drawing, const std::filesystem::path& path) {
  auto written = writeDxf(drawing);
  if (!written) return std::unexpected(written.error());
  std::filesystem::path temporary = path;
  temporary += ".tmp";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out.write(written->text.data(), static_cast<std::streamsize>(written->text.size()));
    out.close();
    if (!out) {
      std::error_code ignored;
      std::filesystem::remove(temporary, ignored);
      return fail(hr::kFail, path.filename().string() + ": the file cannot be written");
    }
  }
  std::error_code ec;
  std::filesystem::rename(temporary, path, ec);
  if (ec) {
    std::filesystem::remove(temporary, ec);
    return fail(hr::kFail, path.filename().string() + ": the file cannot be replaced");
  }
  return std::move(written->notes);
}

}  // namespace plotmate::sim
