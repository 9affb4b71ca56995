#include "sim/drawing/dxf_reader.h"

#include <charconv>
#include <cmath>
#include <fstream>
#include <numbers>
#include <span>
#include <utility>

#include "hosts/dispatch.h"
#include "sim/drawing/coords.h"
#include "sim/drawing/dxf_text.h"

namespace plotmate::sim {

namespace {

constexpr double kDegree = std::numbers::pi / 180;

// One group: its code, its value line and the line number of the code.
struct Pair {
  int code = 0;
  std::string_view value;
  std::size_t line = 0;
};

std::string decimal(long long n) {
  char digits[24];
  auto [end, ec] = std::to_chars(digits, digits + sizeof digits, n);
  return std::string(digits, end);
}

std::unexpected<Error> lineError(std::size_t line, std::string_view message) {
  std::string text = "DXF line " + decimal(static_cast<long long>(line)) + ": ";
  text += message;
  return fail(hr::kFail, std::move(text));
}

std::string_view trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

// A value quoted in a message: short, printable.
std::string shown(std::string_view s) {
  std::string out = "\"";
  for (char c : s.substr(0, 40)) out += (static_cast<unsigned char>(c) < 0x20) ? '?' : c;
  if (s.size() > 40) out += "...";
  return out + "\"";
}

bool is(const Pair& p, int code, std::string_view value) { return p.code == code && trim(p.value) == value; }

Result<std::vector<Pair>> splitPairs(std::string_view content) {
  if (content.starts_with("AutoCAD Binary DXF")) {
    return fail(hr::kFail, "DXF: this is a binary DXF file; only ASCII DXF can be read");
  }
  if (content.starts_with("\xEF\xBB\xBF")) content.remove_prefix(3);
  std::vector<Pair> pairs;
  pairs.reserve(content.size() / 16);
  std::size_t pos = 0, line = 0;
  auto nextLine = [&](std::string_view& out) {
    if (pos >= content.size()) return false;
    std::size_t end = content.find('\n', pos);
    if (end == std::string_view::npos) end = content.size();
    out = content.substr(pos, end - pos);
    if (!out.empty() && out.back() == '\r') out.remove_suffix(1);
    pos = end + 1;
    ++line;
    return true;
  };
  std::string_view codeLine, valueLine;
  while (nextLine(codeLine)) {
    const std::string_view digits = trim(codeLine);
    if (digits.empty() && pos >= content.size()) break;  // a blank last line
    int code = 0;
    auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), code);
    if (digits.empty() || ec != std::errc{} || end != digits.data() + digits.size()) {
      return lineError(line, "a group code (a whole number) was expected, found " + shown(codeLine));
    }
    const std::size_t codeLineNumber = line;
    if (!nextLine(valueLine)) {
      return lineError(codeLineNumber, "group code " + std::string(digits) + " has no value: the file ends early");
    }
    pairs.push_back({code, valueLine, codeLineNumber});
    if (code == 0 && trim(valueLine) == "EOF") break;
  }
  return pairs;
}

Result<double> realOf(const Pair& p) {
  const std::string_view s = trim(p.value);
  double value = 0;
  auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
  if (s.empty() || ec != std::errc{} || end != s.data() + s.size() || !std::isfinite(value)) {
    return lineError(p.line, "group code " + decimal(p.code) + " needs a number, found " + shown(p.value));
  }
  return value;
}

Result<long long> integerOf(const Pair& p) {
  const std::string_view s = trim(p.value);
  long long value = 0;
  auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
  if (!s.empty() && ec == std::errc{} && end == s.data() + s.size()) return value;
  // Some programs write whole numbers as reals ("1.0").
  auto real = realOf(p);
  if (real && std::trunc(*real) == *real && std::abs(*real) < 9e15) return static_cast<long long>(*real);
  return lineError(p.line, "group code " + decimal(p.code) + " needs a whole number, found " + shown(p.value));
}

std::optional<std::uint64_t> handleValue(std::string_view text) {
  text = trim(text);
  std::uint64_t value = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
  if (text.empty() || ec != std::errc{} || end != text.data() + text.size()) return std::nullopt;
  return value;
}

// An entity as found in the file: its type, its groups up to the next code 0,
// and the entities that follow it as part of it (VERTEX, ATTRIB).
struct RawEntity {
  std::string_view type;
  std::span<const Pair> body;
  std::size_t line = 0;
  std::vector<RawEntity> children;
};

// What one entity reads into.
struct Built {
  std::optional<Entity> entity;
  std::optional<AttributeDefinition> attribute;  // ATTDEF
  std::string skipped;                           // why it was left out, when it was
  bool paperSpace = false;
  bool arrayKeptAsOne = false;  // an INSERT with rows and columns (MINSERT)
};

class Reader {
 public:
  explicit Reader(std::vector<Pair> pairs) : pairs_(std::move(pairs)) {}

  Result<DxfLoad> read();

 private:
  const Pair* at(std::size_t i) const { return i < pairs_.size() ? &pairs_[i] : nullptr; }
  // The line just past the last value: where a missing end would have stood.
  std::size_t lastLine() const { return pairs_.empty() ? 1 : pairs_.back().line + 2; }

  Result<void> readHeader(std::size_t sectionLine);
  Result<void> skipSection(std::string_view name, std::size_t sectionLine);
  Result<void> readEntities(std::size_t sectionLine);
  Result<void> readBlocks(std::size_t sectionLine);
  Result<void> sectionEndCheck(std::string_view name, std::size_t sectionLine) const;
  RawEntity take();
  Result<Built> build(const RawEntity& raw);
  std::string text(std::string_view raw);
  void count(std::string what) {
    for (auto& [key, n] : skipped_) {
      if (key == what) {
        ++n;
        return;
      }
    }
    skipped_.emplace_back(std::move(what), 1);
  }

  std::vector<Pair> pairs_;
  std::size_t i_ = 0;
  std::string version_, codePage_;
  DxfEncoding encoding_ = DxfEncoding::Windows1252;
  bool undecoded_ = false;
  std::vector<std::pair<std::string, std::size_t>> skipped_;  // in order of first appearance
  DxfLoad load_;
};

std::string Reader::text(std::string_view raw) { return decodeDxfText(raw, encoding_, undecoded_); }

Result<void> Reader::sectionEndCheck(std::string_view name, std::size_t sectionLine) const {
  const Pair* p = at(i_);
  if (p && is(*p, 0, "ENDSEC")) return {};
  const std::size_t line = p ? p->line : lastLine();
  return lineError(line, "the " + std::string(name) + " section begun on line " + decimal(static_cast<long long>(sectionLine)) +
                             " is not closed by 0/ENDSEC");
}

Result<void> Reader::skipSection(std::string_view name, std::size_t sectionLine) {
  while (const Pair* p = at(i_)) {
    if (p->code == 0) {
      const std::string_view v = trim(p->value);
      if (v == "ENDSEC" || v == "EOF" || v == "SECTION") break;
    }
    ++i_;
  }
  return sectionEndCheck(name, sectionLine);
}

Result<void> Reader::readHeader(std::size_t sectionLine) {
  std::string_view variable;
  Vec3* target = nullptr;
  while (const Pair* p = at(i_)) {
    if (p->code == 0) break;
    ++i_;
    if (p->code == 9) {
      variable = trim(p->value);
      target = variable == "$UCSORG" ? &load_.drawing.ucs.origin
               : variable == "$UCSXDIR" ? &load_.drawing.ucs.xAxis
               : variable == "$UCSYDIR" ? &load_.drawing.ucs.yAxis
                                        : nullptr;
      continue;
    }
    if (variable == "$ACADVER" && p->code == 1) version_ = trim(p->value);
    if (variable == "$DWGCODEPAGE" && p->code == 3) codePage_ = trim(p->value);
    if (target && (p->code == 10 || p->code == 20 || p->code == 30)) {
      auto v = realOf(*p);
      if (!v) return std::unexpected(v.error());
      (p->code == 10 ? target->x : p->code == 20 ? target->y : target->z) = *v;
    }
  }
  encoding_ = dxfEncodingOf(version_, codePage_);
  return sectionEndCheck("HEADER", sectionLine);
}

RawEntity Reader::take() {
  RawEntity raw;
  raw.type = trim(pairs_[i_].value);
  raw.line = pairs_[i_].line;
  const std::size_t first = ++i_;
  while (i_ < pairs_.size() && pairs_[i_].code != 0) ++i_;
  raw.body = std::span<const Pair>(pairs_).subspan(first, i_ - first);
  if (raw.type == "POLYLINE" || raw.type == "INSERT") {
    const std::string_view childType = raw.type == "POLYLINE" ? "VERTEX" : "ATTRIB";
    while (i_ < pairs_.size() && is(pairs_[i_], 0, childType)) raw.children.push_back(take());
    if (i_ < pairs_.size() && is(pairs_[i_], 0, "SEQEND")) take();
  }
  return raw;
}

// Reads a coordinate group (10..18 with 20..28 and 30..38) into a point.
Result<bool> readPointGroup(const Pair& p, int base, Vec3& point) {
  if (p.code != base && p.code != base + 10 && p.code != base + 20) return false;
  auto v = realOf(p);
  if (!v) return std::unexpected(v.error());
  (p.code == base ? point.x : p.code == base + 10 ? point.y : point.z) = *v;
  return true;
}

Result<Built> Reader::build(const RawEntity& raw) {
  Built out;
  Entity e;
  const std::string_view type = raw.type;
  bool known = true;
  if (type == "LINE") e.kind = EntityKind::Line;
  else if (type == "LWPOLYLINE") e.kind = EntityKind::LwPolyline;
  else if (type == "POLYLINE") e.kind = EntityKind::Polyline2d;  // 3-D told by its flags below
  else if (type == "CIRCLE") e.kind = EntityKind::Circle;
  else if (type == "ARC") e.kind = EntityKind::Arc;
  else if (type == "TEXT" || type == "ATTDEF") e.kind = EntityKind::Text;
  else if (type == "MTEXT") e.kind = EntityKind::MText;
  else if (type == "POINT") e.kind = EntityKind::Point;
  else if (type == "INSERT") e.kind = EntityKind::BlockRef;
  else known = false;

  // Common groups first: a paper-space or unknown entity needs nothing more.
  for (const Pair& p : raw.body) {
    if (p.code == 67 && trim(p.value) == "1") out.paperSpace = true;
  }
  if (!known) {
    out.skipped = std::string(type);
    return out;
  }
  if (out.paperSpace) return out;

  Vec3 first, second, direction;
  bool hasDirection = false;
  long long flags = 0, rows = 1;  // INSERT: 70 and 71 count the columns and rows of an array
  AttributeDefinition attribute;
  for (const Pair& p : raw.body) {
    if (p.code == 101) break;  // an embedded object (multi-line attribute) follows: not ours
    switch (p.code) {
      case 5: e.handle = std::string(trim(p.value)); continue;
      case 8: e.layer = text(p.value); continue;
      case 1:
        if (e.kind == EntityKind::MText) e.text += text(p.value);
        else if (type == "ATTDEF") attribute.defaultValue = text(p.value);
        else e.text = text(p.value);
        continue;
      case 2:
        if (type == "ATTDEF") attribute.tag = text(p.value);
        else if (e.kind == EntityKind::BlockRef) e.blockName = text(p.value);
        continue;
      case 3:
        if (e.kind == EntityKind::MText) e.text += text(p.value);
        else if (type == "ATTDEF") attribute.prompt = text(p.value);
        continue;
      default: break;
    }
    if (p.code >= 1000 || p.code == 102 || p.code == 100 || p.code == 330 || p.code == 360) continue;
    if (e.kind == EntityKind::LwPolyline && (p.code == 10 || p.code == 20)) {
      auto v = realOf(p);
      if (!v) return std::unexpected(v.error());
      if (p.code == 10) {
        e.points.push_back({*v, 0, 0});
        e.bulges.push_back(0);
      } else if (!e.points.empty()) {
        e.points.back().y = *v;
      }
      continue;
    }
    auto isFirst = readPointGroup(p, 10, first);
    if (!isFirst) return std::unexpected(isFirst.error());
    if (*isFirst) continue;
    auto isSecond = readPointGroup(p, 11, second);
    if (!isSecond) return std::unexpected(isSecond.error());
    if (*isSecond) {
      hasDirection = true;
      direction = second;
      continue;
    }
    auto isNormal = readPointGroup(p, 210, e.normal);
    if (!isNormal) return std::unexpected(isNormal.error());
    if (*isNormal) continue;
    if (p.code == 70 || (p.code == 71 && e.kind == EntityKind::BlockRef)) {
      auto v = integerOf(p);
      if (!v) return std::unexpected(v.error());
      (p.code == 70 ? flags : rows) = *v;
      continue;
    }
    if ((p.code >= 38 && p.code <= 43) || p.code == 50 || p.code == 51) {
      auto v = realOf(p);
      if (!v) return std::unexpected(v.error());
      switch (p.code) {
        case 38: e.elevation = *v; break;
        case 40: e.kind == EntityKind::Circle || e.kind == EntityKind::Arc ? (e.radius = *v) : (e.height = *v); break;
        case 41: if (e.kind == EntityKind::BlockRef) e.scale.x = *v; break;
        case 42:
          if (e.kind == EntityKind::LwPolyline && !e.bulges.empty()) e.bulges.back() = *v;
          else if (e.kind == EntityKind::BlockRef) e.scale.y = *v;
          break;
        case 43: if (e.kind == EntityKind::BlockRef) e.scale.z = *v; break;
        case 50:
          if (e.kind == EntityKind::Arc) e.startAngle = *v * kDegree;
          else if (e.kind == EntityKind::MText) { e.rotation = *v; hasDirection = false; }  // radians for MTEXT
          else e.rotation = *v * kDegree;
          break;
        case 51: if (e.kind == EntityKind::Arc) e.endAngle = *v * kDegree; break;
        default: break;
      }
    }
  }

  switch (e.kind) {
    case EntityKind::Line:
      e.points = {first, second};
      break;
    case EntityKind::LwPolyline:
      e.closed = (flags & 1) != 0;
      break;
    case EntityKind::Polyline2d: {
      if (flags & (16 | 64)) {
        out.skipped = "POLYLINE (mesh)";
        return out;
      }
      if (flags & 8) e.kind = EntityKind::Polyline3d;
      e.closed = (flags & 1) != 0;
      e.elevation = e.kind == EntityKind::Polyline2d ? first.z : 0;
      for (const RawEntity& vertex : raw.children) {
        Vec3 p;
        double bulge = 0;
        long long vertexFlags = 0;
        for (const Pair& g : vertex.body) {
          auto isPoint = readPointGroup(g, 10, p);
          if (!isPoint) return std::unexpected(isPoint.error());
          if (g.code == 42) {
            auto v = realOf(g);
            if (!v) return std::unexpected(v.error());
            bulge = *v;
          } else if (g.code == 70) {
            auto v = integerOf(g);
            if (!v) return std::unexpected(v.error());
            vertexFlags = *v;
          }
        }
        if (vertexFlags & 16) continue;  // a spline's control point, not a vertex of the curve
        if (e.kind == EntityKind::Polyline2d) p.z = 0;
        e.points.push_back(p);
        e.bulges.push_back(e.kind == EntityKind::Polyline2d ? bulge : 0.0);
      }
      break;
    }
    case EntityKind::Circle:
    case EntityKind::Arc:
    case EntityKind::Point:
      e.points = {first};
      break;
    case EntityKind::Text:
      e.points = {first};
      if (type == "ATTDEF") {
        attribute.position = first;
        attribute.height = e.height;
        out.attribute = attribute;
        return out;
      }
      break;
    case EntityKind::MText:
      e.points = {first};
      if (hasDirection && length(direction) > 0) {
        const Vec3 d = worldToOcs(e.normal, direction, true);
        e.rotation = std::atan2(d.y, d.x);
      }
      break;
    case EntityKind::BlockRef:
      if (flags > 1 || rows > 1) out.arrayKeptAsOne = true;
      // INSERT keeps its point in the entity system; the model holds world points.
      e.points = {ocsToWorld(e.normal, first, false)};
      for (const RawEntity& child : raw.children) {
        Attribute a;
        for (const Pair& g : child.body) {
          if (g.code == 101) break;
          if (g.code == 2) a.tag = text(g.value);
          if (g.code == 1) a.value = text(g.value);
        }
        e.attributes.push_back(std::move(a));
      }
      break;
    case EntityKind::Polyline3d:
    case EntityKind::Region:
      break;
  }
  out.entity = std::move(e);
  return out;
}

Result<void> Reader::readEntities(std::size_t sectionLine) {
  std::size_t paperSpace = 0, arrays = 0;
  while (const Pair* p = at(i_)) {
    if (p->code != 0) {
      ++i_;  // a stray group between entities carries nothing to keep
      continue;
    }
    const std::string_view v = trim(p->value);
    if (v == "ENDSEC" || v == "EOF" || v == "SECTION") break;
    RawEntity raw = take();
    auto built = build(raw);
    if (!built) return std::unexpected(built.error());
    if (built->paperSpace) {
      ++paperSpace;
    } else if (built->attribute) {
      count("ATTDEF outside a block definition");
    } else if (built->entity) {
      if (built->arrayKeptAsOne) ++arrays;
      load_.drawing.add(std::move(*built->entity));
    } else {
      count(built->skipped);
    }
  }
  if (paperSpace > 0) {
    load_.notes.push_back("skipped " + decimal(static_cast<long long>(paperSpace)) + " paper-space entities: only model space is loaded");
  }
  if (arrays > 0) {
    load_.notes.push_back(decimal(static_cast<long long>(arrays)) +
                          " block reference arrays (MINSERT) were loaded as their first copy only");
  }
  return sectionEndCheck("ENTITIES", sectionLine);
}

Result<void> Reader::readBlocks(std::size_t sectionLine) {
  std::size_t skippedInBlocks = 0;
  while (const Pair* p = at(i_)) {
    if (p->code != 0) {
      ++i_;
      continue;
    }
    const std::string_view v = trim(p->value);
    if (v == "ENDSEC" || v == "EOF" || v == "SECTION") break;
    if (v != "BLOCK") {
      take();  // an entity outside BLOCK ... ENDBLK
      ++skippedInBlocks;
      continue;
    }
    const std::size_t blockLine = p->line;
    RawEntity header = take();
    BlockDefinition block;
    for (const Pair& g : header.body) {
      if (g.code == 2) block.name = text(g.value);
      auto isBase = readPointGroup(g, 10, block.base);
      if (!isBase) return std::unexpected(isBase.error());
    }
    while (const Pair* q = at(i_)) {
      if (q->code != 0) {
        ++i_;
        continue;
      }
      const std::string_view w = trim(q->value);
      if (w == "ENDBLK" || w == "ENDSEC" || w == "EOF" || w == "SECTION" || w == "BLOCK") break;
      auto built = build(take());
      if (!built) return std::unexpected(built.error());
      if (built->attribute) {
        block.attributes.push_back(std::move(*built->attribute));
      } else if (built->entity) {
        built->entity->handle.clear();  // not addressable: the model space owns handles
        block.entities.push_back(std::move(*built->entity));
      } else if (!built->paperSpace) {
        ++skippedInBlocks;
      }
    }
    const Pair* end = at(i_);
    if (!end || !is(*end, 0, "ENDBLK")) {
      return lineError(end ? end->line : lastLine(),
                       "the block " + shown(block.name) + " begun on line " + decimal(static_cast<long long>(blockLine)) +
                           " is not closed by 0/ENDBLK");
    }
    take();
    // The layout blocks hold paper-space and model-space contents, which the
    // ENTITIES section already gave.
    const std::string lower = lowerAscii(block.name);
    if (lower.starts_with("*model_space") || lower.starts_with("*paper_space")) continue;
    if (!block.name.empty()) load_.drawing.defineBlock(std::move(block));
  }
  if (skippedInBlocks > 0) {
    load_.notes.push_back("skipped " + decimal(static_cast<long long>(skippedInBlocks)) +
                          " entities of types this drawing host does not model inside block definitions");
  }
  return sectionEndCheck("BLOCKS", sectionLine);
}

Result<DxfLoad> Reader::read() {
  // New handles must not collide with any handle the file uses.
  std::uint64_t highest = 0;
  for (const Pair& p : pairs_) {
    if (p.code == 5 || p.code == 105) highest = std::max(highest, handleValue(p.value).value_or(0));
  }
  if (highest < UINT64_MAX) load_.drawing.reserveHandlesBelow(highest + 1);

  bool sawEof = false;
  while (const Pair* p = at(i_)) {
    if (p->code == 999) {
      ++i_;
      continue;
    }
    if (is(*p, 0, "EOF")) {
      sawEof = true;
      break;
    }
    if (!is(*p, 0, "SECTION")) {
      return lineError(p->line, "0/SECTION or 0/EOF was expected, found " + decimal(p->code) + "/" + shown(p->value));
    }
    const std::size_t sectionLine = p->line;
    const Pair* name = at(i_ + 1);
    if (!name || name->code != 2) {
      return lineError(name ? name->line : lastLine(), "a section name (group code 2) was expected after 0/SECTION");
    }
    const std::string_view section = trim(name->value);
    i_ += 2;
    Result<void> done = section == "HEADER"     ? readHeader(sectionLine)
                        : section == "ENTITIES" ? readEntities(sectionLine)
                        : section == "BLOCKS"   ? readBlocks(sectionLine)
                                                : skipSection(section, sectionLine);
    if (!done) return std::unexpected(done.error());
    ++i_;  // past ENDSEC
  }
  if (!sawEof) return lineError(lastLine(), "the file ends without 0/EOF: it is incomplete");

  for (const auto& [type, n] : skipped_) {
    load_.notes.push_back("skipped " + decimal(static_cast<long long>(n)) + " " + type + " entities: this drawing host does not model them");
  }
  if (undecoded_) {
    load_.notes.push_back("characters in code page " + (codePage_.empty() ? std::string("(none)") : codePage_) +
                          " could not be decoded and were replaced by U+FFFD");
  }
  return std::move(load_);
}

}  // namespace

Result<DxfLoad> readDxf(std::string_view content) {
  auto pairs = splitPairs(content);
  if (!pairs) return std::unexpected(pairs.error());
  Reader reader(std::move(*pairs));
  return reader.read();
}

Result<DxfLoad> loadDxf(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return fail(hr::kFail, path.filename().string() + ": the file cannot be opened");
  std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return fail(hr::kFail, path.filename().string() + ": the file cannot be read");
  auto loaded = readDxf(content);
  if (!loaded) return fail(loaded.error().code, path.filename().string() + ": " + loaded.error().description);
  return loaded;
}

}  // namespace plotmate::sim
