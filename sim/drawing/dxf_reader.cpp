#include "sim/drawing/dxf_reader.h"

#include <fstream>
#include <utility>

#include "hosts/dispatch.h"
#include "sim/drawing/dxf_entity_reader.h"
#include "sim/drawing/dxf_text.h"

namespace plotmate::sim {

namespace {

using namespace dxf;

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
  Result<Built> build(const RawEntity& raw) {
    return buildEntity(raw, [this](std::string_view value) { return text(value); });
  }
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
      PLOTMATE_TRY(v, realOf(*p));
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
    PLOTMATE_TRY(built, build(raw));
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
      PLOTMATE_RETURN_IF_FAILED(readPointGroup(g, 10, block.base));
    }
    while (const Pair* q = at(i_)) {
      if (q->code != 0) {
        ++i_;
        continue;
      }
      const std::string_view w = trim(q->value);
      if (w == "ENDBLK" || w == "ENDSEC" || w == "EOF" || w == "SECTION" || w == "BLOCK") break;
      PLOTMATE_TRY(built, build(take()));
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
    PLOTMATE_RETURN_IF_FAILED(done);
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
  PLOTMATE_TRY(pairs, splitPairs(content));
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
