#include "sim/drawing/dxf_writer.h"

#include <charconv>
#include <cmath>
#include <fstream>
#include <numbers>
#include <string_view>
#include <system_error>

#include "sim/drawing/dxf_entity_writer.h"

namespace plotmate::sim {

namespace {

using namespace dxf;

std::string decimalText(std::size_t n) {
  char digits[24];
  auto [end, ec] = std::to_chars(digits, digits + sizeof digits, n);
  return std::string(digits, end);
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
  explicit Writer(const Drawing& drawing) : drawing_(drawing), out_(drawing.nextHandleNumber()) {}
  Result<DxfText> write();

 private:
  void table(std::string_view name, const std::vector<std::string_view>& entries, std::string_view subclass,
             auto&& writeEntry) {
    const std::string tableHandle = out_.handle();
    tableStart(name, tableHandle, entries.size());
    for (std::string_view entry : entries) {
      out_.group(0, name);
      out_.group(name == "DIMSTYLE" ? 105 : 5, out_.handle());
      out_.group(330, tableHandle);
      out_.group(100, "AcDbSymbolTableRecord");
      out_.group(100, subclass);
      out_.text(2, entry);
      out_.integer(70, 0);
      writeEntry(entry);
    }
    out_.group(0, "ENDTAB");
  }
  void tableStart(std::string_view name, const std::string& tableHandle, std::size_t entries) {
    out_.group(0, "TABLE");
    out_.group(2, name);
    out_.group(5, tableHandle);
    out_.group(330, "0");
    out_.group(100, "AcDbSymbolTable");
    out_.integer(70, static_cast<long long>(entries));
  }
  void section(std::string_view name) {
    out_.group(0, "SECTION");
    out_.group(2, name);
  }

  void writeTables();
  void writeLayerTable();
  void writeBlockRecords();
  void writeBlock(std::string_view name, const std::string& record, const BlockDefinition* block);
  void writeObjects();
  std::string header();

  const Drawing& drawing_;
  GroupWriter out_;
  std::string modelRecord_, paperRecord_;
  std::vector<std::pair<std::string, std::string>> blockRecords_;  // name, record handle
};

void Writer::writeTables() {
  section("TABLES");
  table("VPORT", {"*ACTIVE"}, "AcDbViewportTableRecord", [&](std::string_view) {
    out_.point(10, {0, 0, 0});
    out_.point(11, {1, 1, 0});
    out_.number(40, 100);
    out_.number(41, 1.5);
  });
  table("LTYPE", {"ByBlock", "ByLayer", "Continuous"}, "AcDbLinetypeTableRecord", [&](std::string_view name) {
    out_.text(3, name == "Continuous" ? "Solid line" : "");
    out_.integer(72, 65);
    out_.integer(73, 0);
    out_.number(40, 0);
  });
  writeLayerTable();
  table("STYLE", {"Standard"}, "AcDbTextStyleTableRecord", [&](std::string_view) {
    out_.number(40, 0);
    out_.number(41, 1);
    out_.number(50, 0);
    out_.integer(71, 0);
    out_.number(42, 2.5);
    out_.group(3, "txt");
    out_.group(4, "");
  });
  table("VIEW", {}, "AcDbViewTableRecord", [](std::string_view) {});
  table("UCS", {}, "AcDbUCSTableRecord", [](std::string_view) {});
  table("APPID", {"ACAD"}, "AcDbRegAppTableRecord", [](std::string_view) {});
  table("DIMSTYLE", {"Standard"}, "AcDbDimStyleTableRecord", [](std::string_view) {});
  writeBlockRecords();
  out_.group(0, "ENDSEC");
}

// Every layer an entity names, "0" first.
void Writer::writeLayerTable() {
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
    out_.integer(62, 7);
    out_.group(6, "Continuous");
  });
}

// Block records: the two layouts, then each block; their handles own the
// blocks' contents.
void Writer::writeBlockRecords() {
  const std::string recordTable = out_.handle();
  const auto blocks = drawing_.blocks();
  tableStart("BLOCK_RECORD", recordTable, blocks.size() + 2);
  auto record = [&](std::string_view name) {
    std::string h = out_.handle();
    out_.group(0, "BLOCK_RECORD");
    out_.group(5, h);
    out_.group(330, recordTable);
    out_.group(100, "AcDbSymbolTableRecord");
    out_.group(100, "AcDbBlockTableRecord");
    out_.text(2, name);
    return h;
  };
  modelRecord_ = record("*Model_Space");
  paperRecord_ = record("*Paper_Space");
  for (const BlockDefinition* b : blocks) blockRecords_.emplace_back(b->name, record(b->name));
  out_.group(0, "ENDTAB");
}

void Writer::writeBlock(std::string_view name, const std::string& record, const BlockDefinition* block) {
  const bool paper = name == "*Paper_Space";
  out_.entityStart("BLOCK", out_.handle(), record, "0", "");
  if (paper) out_.integer(67, 1);
  out_.group(100, "AcDbBlockBegin");
  out_.text(2, name);
  out_.integer(70, block && !block->attributes.empty() ? 2 : 0);
  out_.point(10, block ? block->base : Vec3{});
  out_.text(3, name);
  out_.group(1, "");
  if (block) {
    for (const Entity& e : block->entities) writeEntity(out_, drawing_, e, record, false);
    for (const AttributeDefinition& a : block->attributes) {
      out_.entityStart("ATTDEF", out_.handle(), record, "0", "AcDbText");
      out_.point(10, a.position);
      out_.number(40, a.height);
      out_.text(1, a.defaultValue);
      out_.group(100, "AcDbAttributeDefinition");
      out_.text(3, a.prompt);
      out_.text(2, a.tag);
      out_.integer(70, 0);
    }
  }
  out_.entityStart("ENDBLK", out_.handle(), record, "0", "");
  if (paper) out_.integer(67, 1);
  out_.group(100, "AcDbBlockEnd");
}

void Writer::writeObjects() {
  const std::string root = out_.handle(), groups = out_.handle();
  section("OBJECTS");
  out_.group(0, "DICTIONARY");
  out_.group(5, root);
  out_.group(330, "0");
  out_.group(100, "AcDbDictionary");
  out_.integer(281, 1);
  out_.group(3, "ACAD_GROUP");
  out_.group(350, groups);
  out_.group(0, "DICTIONARY");
  out_.group(5, groups);
  out_.group(330, root);
  out_.group(100, "AcDbDictionary");
  out_.integer(281, 1);
  out_.group(0, "ENDSEC");
}

// The header goes first but needs the next free handle, known only at the end.
std::string Writer::header() {
  const std::string rest = out_.take();
  section("HEADER");
  out_.group(9, "$ACADVER");
  out_.group(1, "AC1015");
  out_.group(9, "$DWGCODEPAGE");
  out_.group(3, "ANSI_1252");
  out_.group(9, "$HANDSEED");
  out_.group(5, handleText(out_.nextHandle()));
  for (auto [name, value] : {std::pair{"$UCSORG", drawing_.ucs.origin}, std::pair{"$UCSXDIR", drawing_.ucs.xAxis},
                             std::pair{"$UCSYDIR", drawing_.ucs.yAxis}}) {
    out_.group(9, name);
    out_.point(10, value);
  }
  out_.group(0, "ENDSEC");
  return out_.take() + rest;
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
  section("CLASSES");
  out_.group(0, "ENDSEC");
  writeTables();

  section("BLOCKS");
  writeBlock("*Model_Space", modelRecord_, nullptr);
  writeBlock("*Paper_Space", paperRecord_, nullptr);
  const auto blocks = drawing_.blocks();
  for (std::size_t i = 0; i < blocks.size(); ++i) writeBlock(blocks[i]->name, blockRecords_[i].second, blocks[i]);
  out_.group(0, "ENDSEC");

  section("ENTITIES");
  for (const Entity* e : drawing_.entities()) writeEntity(out_, drawing_, *e, modelRecord_, true);
  out_.group(0, "ENDSEC");
  writeObjects();
  out_.group(0, "EOF");

  DxfText out;
  out.text = header();
  if (out_.regionsAsOutlines > 0) {
    out.notes.push_back(decimalText(out_.regionsAsOutlines) + " regions were written as closed polylines, one per loop");
  }
  return out;
}

}  // namespace

Result<DxfText> writeDxf(const Drawing& drawing) { return Writer(drawing).write(); }

Result<std::vector<std::string>> saveDxf(const Drawing& drawing, const std::filesystem::path& path) {
  PLOTMATE_TRY(written, writeDxf(drawing));
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
