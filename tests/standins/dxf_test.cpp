#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <map>
#include <numbers>
#include <string>
#include <tuple>
#include <vector>

#include "sim/drawing/dxf_reader.h"
#include "sim/drawing/dxf_text.h"
#include "sim/drawing/dxf_writer.h"
#include "tests/native/scratch_directory.h"

namespace plotmate::sim {
namespace {

using std::numbers::pi;

std::filesystem::path fixture(const char* name) {
  return std::filesystem::path(PLOTMATE_FIXTURES_DIR) / "dxf" / name;
}

std::map<EntityKind, int> kindsOf(const Drawing& d) {
  std::map<EntityKind, int> kinds;
  for (const Entity* e : d.entities()) ++kinds[e->kind];
  return kinds;
}

bool hasNote(const DxfLoad& load, std::string_view part) {
  for (const std::string& n : load.notes) {
    if (n.find(part) != std::string::npos) return true;
  }
  return false;
}

// Counts taken from the files themselves (model-space entities; paper space,
// meshes and types this host does not model are left out with a note).
TEST(Dxf, RealDrawingsLoad) {
  if (!std::filesystem::exists(fixture("README.md"))) GTEST_SKIP() << "no DXF fixtures at " << PLOTMATE_FIXTURES_DIR;
  using K = EntityKind;
  struct Case { const char* file; std::map<EntityKind, int> kinds; std::vector<const char*> notes; };
  const Case cases[] = {
      {"POLI-ALL210_12.DXF", {{K::Polyline2d, 30}}, {"3DFACE"}},
      {"2_polylines.dxf", {{K::Line, 57}, {K::Arc, 22}, {K::Text, 7}}, {}},
      {"text.dxf", {{K::Line, 47}, {K::MText, 30}, {K::LwPolyline, 78}, {K::Text, 62}, {K::BlockRef, 1}}, {"ATTDEF outside", "2 paper-space"}},
      {"uncommon.dxf",
       {{K::Line, 19}, {K::MText, 19}, {K::Circle, 1}, {K::LwPolyline, 6}, {K::Arc, 1}, {K::Point, 6}, {K::BlockRef, 1}},
       {"13 DIMENSION", "SPLINE", "2 POLYLINE (mesh)", "3DSOLID", "2 paper-space"}},
      {"multi_insert_with_attribs.dxf", {{K::BlockRef, 1}}, {"MINSERT"}},
      {"VP4.dxf", {{K::Text, 4}, {K::LwPolyline, 2}}, {"21 paper-space"}},
      {"dxf_unicode.dxf", {}, {}},
  };
  for (const auto& c : cases) {
    auto load = loadDxf(fixture(c.file));
    ASSERT_TRUE(load.has_value()) << c.file << ": " << load.error().description;
    EXPECT_EQ(kindsOf(load->drawing), c.kinds) << c.file;
    for (const char* note : c.notes) EXPECT_TRUE(hasNote(*load, note)) << c.file << " lacks a note on " << note;
    EXPECT_EQ(load->drawing.ucs.xAxis, (Vec3{1, 0, 0})) << c.file;
  }
}

TEST(Dxf, RealDrawingDetails) {
  if (!std::filesystem::exists(fixture("README.md"))) GTEST_SKIP() << "no DXF fixtures at " << PLOTMATE_FIXTURES_DIR;
  auto r12 = loadDxf(fixture("POLI-ALL210_12.DXF"));
  ASSERT_TRUE(r12.has_value());
  int closed = 0;
  std::size_t vertices = 0;
  for (const Entity* e : r12->drawing.entities()) {
    closed += e->closed ? 1 : 0;
    vertices += e->points.size();
    EXPECT_EQ(e->bulges.size(), e->points.size());
  }
  EXPECT_EQ(closed, 14);
  EXPECT_EQ(vertices, 101u);

  auto flags = loadDxf(fixture("multi_insert_with_attribs.dxf"));
  ASSERT_TRUE(flags.has_value());
  const Entity* flag = flags->drawing.at(0);
  ASSERT_NE(flag, nullptr);
  EXPECT_EQ(flag->blockName, "FLAG");
  EXPECT_NEAR(flag->rotation, 15 * pi / 180, 1e-12);
  ASSERT_EQ(flag->attributes.size(), 3u);
  EXPECT_EQ(flag->attributes[1].tag, "XPOS");
  EXPECT_EQ(flag->attributes[1].value, "x = 0.000");
  const BlockDefinition* block = flags->drawing.block("flag");
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(block->attributes.size(), 3u);
  EXPECT_EQ(block->entities.size(), 2u);  // a polyline and a circle
  EXPECT_EQ(flags->drawing.block("*Model_Space"), nullptr) << "layout blocks are not block definitions";
}

// Every cut before the end marker is an incomplete file: an error that names
// a line, never a crash or a partial drawing.
TEST(Dxf, TruncatedRealDrawingsFailCleanly) {
  if (!std::filesystem::exists(fixture("README.md"))) GTEST_SKIP() << "no DXF fixtures at " << PLOTMATE_FIXTURES_DIR;
  const std::string whole = testing_support::fileBytes(fixture("multi_insert_with_attribs.dxf"));
  const std::size_t eof = whole.rfind("EOF");
  ASSERT_NE(eof, std::string::npos);
  for (std::size_t cut = 0; cut < eof; cut += 37) {
    auto load = readDxf(std::string_view(whole).substr(0, cut));
    ASSERT_FALSE(load.has_value()) << "cut at " << cut;
    EXPECT_EQ(load.error().description.rfind("DXF", 0), 0u) << load.error().description;
  }
}

std::string lines(std::initializer_list<const char*> parts) {
  std::string s;
  for (const char* p : parts) {
    s += p;
    s += '\n';
  }
  return s;
}

TEST(Dxf, DamagedFilesNameTheLine) {
  struct Case { const char* what; std::string content; const char* message; };
  const Case cases[] = {
      {"empty file", "", "DXF line 1: the file ends without 0/EOF"},
      {"odd number of lines", lines({"  0", "SECTION", "  2", "ENTITIES", "  0", "ENDSEC", "  0"}), "DXF line 7: group code 0 has no value"},
      {"group code not a number", lines({"  0", "SECTION", " x2", "ENTITIES"}), "DXF line 3: a group code"},
      {"group code with a fraction", lines({"  0", "SECTION", "2.5", "ENTITIES"}), "DXF line 3: a group code"},
      {"section never closed", lines({"0", "SECTION", "2", "ENTITIES", "0", "LINE", "10", "1.0"}), "DXF line 9: the ENTITIES section begun on line 1 is not closed by 0/ENDSEC"},
      {"next section before the end", lines({"0", "SECTION", "2", "HEADER", "0", "SECTION", "2", "ENTITIES", "0", "ENDSEC", "0", "EOF"}),
       "DXF line 5: the HEADER section begun on line 1 is not closed"},
      {"no end marker", lines({"0", "SECTION", "2", "ENTITIES", "0", "ENDSEC"}), "DXF line 7: the file ends without 0/EOF"},
      {"number that is not", lines({"0", "SECTION", "2", "ENTITIES", "0", "LINE", "10", "1,5", "0", "ENDSEC", "0", "EOF"}), "DXF line 7: group code 10 needs a number, found \"1,5\""},
      {"number that is not finite", lines({"0", "SECTION", "2", "ENTITIES", "0", "CIRCLE", "40", "nan", "0", "ENDSEC", "0", "EOF"}), "DXF line 7: group code 40 needs a number"},
      {"flags that are not a number", lines({"0", "SECTION", "2", "ENTITIES", "0", "LWPOLYLINE", "70", "one", "0", "ENDSEC", "0", "EOF"}), "DXF line 7: group code 70 needs a whole number"},
      {"entity outside a section", lines({"0", "LINE", "0", "EOF"}), "DXF line 1: 0/SECTION or 0/EOF was expected"},
      {"section without a name", lines({"0", "SECTION", "8", "ENTITIES"}), "DXF line 3: a section name"},
      {"block never ended", lines({"0", "SECTION", "2", "BLOCKS", "0", "BLOCK", "2", "B", "0", "LINE", "0", "ENDSEC", "0", "EOF"}),
       "DXF line 11: the block \"B\" begun on line 5 is not closed by 0/ENDBLK"},
      {"binary file", std::string("AutoCAD Binary DXF\r\n\x1a\0", 22), "binary DXF"},
  };
  for (const auto& c : cases) {
    auto load = readDxf(c.content);
    ASSERT_FALSE(load.has_value()) << c.what;
    EXPECT_NE(load.error().description.find(c.message), std::string::npos) << c.what << ": " << load.error().description;
    EXPECT_EQ(load.error().code, hr::kFail) << c.what;
  }
}

TEST(Dxf, ReadsWhatRealWritersVary) {
  // CR LF line ends, padded codes, a byte-order mark, comments, no header,
  // whole numbers written as reals, a blank last line, junk after EOF.
  const std::string content = "\xEF\xBB\xBF" "999\r\nmade by hand\r\n  0\r\nSECTION\r\n  2\r\nENTITIES\r\n"
                              "  0\r\nLWPOLYLINE\r\n 70\r\n1.0\r\n 10\r\n1\r\n 20\r\n2\r\n 42\r\n0.5\r\n 10\r\n3\r\n 20\r\n4\r\n"
                              "  0\r\nTHING\r\n 10\r\nnot read\r\n"
                              "  0\r\nENDSEC\r\n  0\r\nEOF\r\n\r\ngarbage";
  auto load = readDxf(content);
  ASSERT_TRUE(load.has_value()) << load.error().description;
  ASSERT_EQ(load->drawing.size(), 1u);
  const Entity* p = load->drawing.at(0);
  EXPECT_TRUE(p->closed);
  EXPECT_EQ(p->points, (std::vector<Vec3>{{1, 2, 0}, {3, 4, 0}}));
  EXPECT_EQ(p->bulges, (std::vector<double>{0.5, 0}));
  EXPECT_TRUE(hasNote(*load, "1 THING")) << "an unknown type is skipped with a note";
}

// --- round trips -----------------------------------------------------------

// Every field the files carry, compared exactly (block references to a
// nanometre: a tilted normal costs rounding on the way through their system).
void expectSameEntity(const Entity& a, const Entity& b, const std::string& what) {
  auto fields = [](const Entity& e) {
    return std::tuple(e.kind, e.handle, e.layer, e.bulges, e.elevation, e.closed, e.radius, e.text, e.height,
                      e.blockName, e.scale.x, e.scale.y, e.scale.z, e.attributes.size());
  };
  EXPECT_TRUE(fields(a) == fields(b)) << what;
  EXPECT_EQ(a.normal, b.normal) << what;
  ASSERT_EQ(a.points.size(), b.points.size()) << what;
  const double tolerance = a.kind == EntityKind::BlockRef ? 1e-9 : 0;
  for (std::size_t i = 0; i < a.points.size(); ++i) {
    EXPECT_NEAR(a.points[i].x, b.points[i].x, tolerance) << what;
    EXPECT_NEAR(a.points[i].y, b.points[i].y, tolerance) << what;
    EXPECT_NEAR(a.points[i].z, b.points[i].z, tolerance) << what;
  }
  for (double Entity::*angle : {&Entity::startAngle, &Entity::endAngle, &Entity::rotation})
    EXPECT_NEAR(a.*angle, b.*angle, 1e-12) << what;
  for (std::size_t i = 0; i < a.attributes.size() && i < b.attributes.size(); ++i)
    EXPECT_TRUE(a.attributes[i].tag == b.attributes[i].tag && a.attributes[i].value == b.attributes[i].value) << what;
}

Drawing roundTrip(const Drawing& d, std::vector<std::string>* notes = nullptr) {
  auto text = writeDxf(d);
  EXPECT_TRUE(text.has_value());
  if (!text) return {};
  if (notes) *notes = text->notes;
  auto back = readDxf(text->text);
  EXPECT_TRUE(back.has_value()) << back.error().description;
  if (!back) return {};
  EXPECT_TRUE(back->notes.empty()) << back->notes.front();
  return std::move(back->drawing);
}

TEST(Dxf, EntitiesSurviveARoundTrip) {
  using K = EntityKind;
  std::string longText;
  for (int i = 0; i < 90; ++i) longText += "段落\\P^x";
  const std::pair<const char*, Entity> cases[] = {
      {"line, Chinese layer", {.kind = K::Line, .layer = "测量层", .normal = {0, 0.6, 0.8}, .points = {{1.1, -2.2, 3.3}, {1e9 + 0.1, 1e-9, -0.0}}}},
      {"lightweight polyline", {.kind = K::LwPolyline, .normal = {0, 0, -1}, .points = {{0, 0, 0}, {10, 0, 0}, {10, 10, 0}}, .bulges = {0.5, -1, 0.1 + 0.2}, .elevation = 5.25, .closed = true}},
      {"old-style 2-D polyline", {.kind = K::Polyline2d, .points = {{1, 2, 0}, {3, 4, 0}}, .bulges = {1, 0}, .elevation = -7}},
      {"3-D polyline", {.kind = K::Polyline3d, .points = {{1, 2, 3}, {4, 5, 6}, {7, 8, -9}}, .bulges = {0, 0, 0}, .closed = true}},
      {"standing circle", {.kind = K::Circle, .normal = {1, 0, 0}, .points = {{1, 2, 3}}, .radius = 2.5}},
      {"arc", {.kind = K::Arc, .points = {{0, 0, 0}}, .radius = 1, .startAngle = pi / 3, .endAngle = 2 * pi - 0.1}},
      {"text with escapes", {.kind = K::Text, .points = {{5, 6, 0}}, .text = "Tschüss 图 ^caret x^2 \\U+0041 a\tb 😀", .height = 2.5, .rotation = 0.3}},
      {"long multi-line text", {.kind = K::MText, .points = {{5, 6, 7}}, .text = longText, .height = 3, .rotation = -1.25}},
      {"point", {.kind = K::Point, .points = {{-1, -2, -3}}}},
      {"tilted block reference", {.kind = K::BlockRef, .normal = {0.3, -0.4, 0.8660254037844386}, .points = {{100, 200, 5}}, .rotation = pi / 2, .blockName = "标高", .scale = {2, 2, 1}, .attributes = {{"ELEV", "12.500"}, {"NOTE", ""}}}},
      {"empty text", {.kind = K::Text, .points = {{0, 0, 0}}}},
  };

  Drawing d;
  d.ucs = Ucs{{10, 20, 30}, {0, 1, 0}, {-1, 0, 0}};
  const AttributeDefinition elevation{"ELEV", "Elevation?", "0.000", {1, 0, 0}, 2.5};
  d.defineBlock({"标高", {1, 1, 0}, {{.kind = K::Circle, .points = {{0, 0, 0}}, .radius = 1}}, {elevation}});
  const std::string erased = d.add({.kind = K::Line, .points = {{0, 0, 0}, {1, 1, 0}}});
  for (const auto& [what, e] : cases) d.add(e);
  d.erase(erased);

  const Drawing back = roundTrip(d);
  ASSERT_EQ(back.size(), d.size());
  for (std::size_t i = 0; i < std::size(cases); ++i) expectSameEntity(*d.at(i), *back.at(i), cases[i].first);
  EXPECT_EQ(back.find(erased), nullptr);
  EXPECT_TRUE(back.ucs.origin == d.ucs.origin && back.ucs.xAxis == d.ucs.xAxis && back.ucs.yAxis == d.ucs.yAxis);
  const BlockDefinition* b = back.block("标高");
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(b->base, (Vec3{1, 1, 0}));
  ASSERT_TRUE(b->entities.size() == 1 && b->attributes.size() == 1);
  EXPECT_EQ(b->entities[0].radius, 1);
  const AttributeDefinition& a = b->attributes[0];
  EXPECT_TRUE(a.tag == "ELEV" && a.prompt == "Elevation?" && a.defaultValue == "0.000" && a.position == elevation.position);

  // Entities added after loading never reuse a handle of the saved file.
  Drawing again = roundTrip(back);
  const std::string fresh = again.add({.kind = K::Point, .points = {{0, 0, 0}}});
  auto written = writeDxf(back);
  ASSERT_TRUE(written.has_value());
  EXPECT_EQ(written->text.find("\n" + fresh + "\n"), std::string::npos) << fresh << " was in use";
}

TEST(Dxf, RegionsAreWrittenAsTheirLoops) {
  Drawing d;
  const std::string handle = d.add({.kind = EntityKind::Region,
                                    .loops = {{{{0, 0, 0}, {10, 0, 0}, {10, 10, 0}}, {0, 0.5, 0}},
                                              {{{2, 2, 0}, {3, 2, 0}, {3, 3, 0}}, {0, 0, 0}}}});
  std::vector<std::string> notes;
  const Drawing back = roundTrip(d, &notes);
  ASSERT_EQ(back.size(), 2u);
  EXPECT_EQ(back.at(0)->handle, handle);
  EXPECT_EQ(back.at(0)->kind, EntityKind::LwPolyline);
  EXPECT_TRUE(back.at(0)->closed);
  EXPECT_EQ(back.at(0)->bulges, (std::vector<double>{0, 0.5, 0}));
  ASSERT_EQ(notes.size(), 1u);
  EXPECT_NE(notes[0].find("regions"), std::string::npos);
}

TEST(Dxf, RefusesToWriteNumbersNoReaderTakes) {
  Drawing d;
  const std::string h = d.add({.kind = EntityKind::Line, .points = {{0, 0, 0}, {NAN, 0, 0}}});
  auto written = writeDxf(d);
  ASSERT_FALSE(written.has_value());
  EXPECT_NE(written.error().description.find(h), std::string::npos);
}

TEST(Dxf, SavesAndLoadsAFile) {
  const auto path = std::filesystem::temp_directory_path() / "plotmate_dxf_test.dxf";
  Drawing d;
  d.add({.kind = EntityKind::Line, .points = {{0, 0, 0}, {3, 4, 0}}});
  auto saved = saveDxf(d, path);
  ASSERT_TRUE(saved.has_value()) << saved.error().description;
  EXPECT_FALSE(std::filesystem::exists(path.string() + ".tmp"));
  auto loaded = loadDxf(path);
  ASSERT_TRUE(loaded.has_value());
  EXPECT_EQ(loaded->drawing.size(), 1u);
  std::filesystem::remove(path);

  auto missing = loadDxf(std::filesystem::temp_directory_path() / "plotmate_no_such_file.dxf");
  ASSERT_FALSE(missing.has_value());
  EXPECT_NE(missing.error().description.find("plotmate_no_such_file.dxf"), std::string::npos);
  auto unwritable = saveDxf(d, std::filesystem::temp_directory_path() / "plotmate_no_such_dir" / "x.dxf");
  EXPECT_FALSE(unwritable.has_value());
}

// --- text values -------------------------------------------------------------

TEST(DxfText, DecodesEncodingsAndEscapes) {
  struct Case { const char* what; std::string raw; DxfEncoding encoding; std::string expected; bool undecoded; };
  const Case cases[] = {
      {"plain", "abc", DxfEncoding::Utf8, "abc", false},
      {"escape", "Tsch\\U+00FCss", DxfEncoding::Windows1252, "Tschüss", false},
      {"lower-case escape", "\\u+4e2d", DxfEncoding::Windows1252, "中", false},
      {"escape beyond the plane", "\\U+D83D\\U+DE00", DxfEncoding::Utf8, "😀", false},
      {"broken escape kept", "\\U+12G4", DxfEncoding::Utf8, "\\U+12G4", false},
      {"short escape kept", "a\\U+12", DxfEncoding::Utf8, "a\\U+12", false},
      {"caret controls", "a^Jb^Ic^ d", DxfEncoding::Utf8, "a\nb\tc^d", false},
      {"caret before other characters", "x^2", DxfEncoding::Utf8, "x^2", false},
      {"Windows-1252 bytes", "\x80 \xE9\xFC", DxfEncoding::Windows1252, "€ éü", false},
      {"UTF-8 file", "Tsch\xC3\xBCss", DxfEncoding::Utf8, "Tschüss", false},
      {"stray byte in UTF-8 file", "caf\xE9", DxfEncoding::Utf8, "café", false},
      {"code page without table", "A\xB2\xE2", DxfEncoding::OtherCodePage, "A\xEF\xBF\xBD\xEF\xBF\xBD", true},
      {"UTF-8 despite the code page", "\xE4\xB8\xAD", DxfEncoding::OtherCodePage, "中", false},
  };
  for (const auto& c : cases) {
    bool undecoded = false;
    EXPECT_EQ(decodeDxfText(c.raw, c.encoding, undecoded), c.expected) << c.what;
    EXPECT_EQ(undecoded, c.undecoded) << c.what;
  }
}

TEST(DxfText, EncodesToSafeAscii) {
  struct Case { std::string utf8; std::string encoded; };
  const Case cases[] = {
      {"abc", "abc"},
      {"ü", "\\U+00FC"},
      {"中文", "\\U+4E2D\\U+6587"},
      {"a\nb", "a^Jb"},
      {"^", "^ "},
      {"\\P", "\\P"},
      {"\\U+0041", "\\U+005CU+0041"},
      {"😀", "\\U+D83D\\U+DE00"},
      {"\xFF", "\\U+FFFD"},
  };
  for (const auto& c : cases) {
    const std::string encoded = encodeDxfText(c.utf8);
    EXPECT_EQ(encoded, c.encoded);
    bool undecoded = false;
    const std::string back = decodeDxfText(encoded, DxfEncoding::Windows1252, undecoded);
    if (c.utf8 != "\xFF") {
      EXPECT_EQ(back, c.utf8) << "round trip of " << c.encoded;
    }
  }
}

TEST(DxfText, EncodingFromTheHeader) {
  EXPECT_EQ(dxfEncodingOf("AC1032", "ANSI_1252"), DxfEncoding::Utf8);
  EXPECT_EQ(dxfEncodingOf("AC1021", "ANSI_936"), DxfEncoding::Utf8);
  EXPECT_EQ(dxfEncodingOf("AC1018", "ANSI_1252"), DxfEncoding::Windows1252);
  EXPECT_EQ(dxfEncodingOf("AC1009", ""), DxfEncoding::Windows1252);
  EXPECT_EQ(dxfEncodingOf("AC1015", "ansi_936"), DxfEncoding::OtherCodePage);
}

TEST(Dxf, UndecodableCharactersAreNoted) {
  const std::string content = lines({"0", "SECTION", "2", "HEADER", "9", "$ACADVER", "1", "AC1015", "9", "$DWGCODEPAGE", "3",
                                     "ANSI_936", "0", "ENDSEC", "0", "SECTION", "2", "ENTITIES", "0", "TEXT", "1",
                                     "\xB2\xE2\xC1\xBF", "0", "ENDSEC", "0", "EOF"});
  auto load = readDxf(content);
  ASSERT_TRUE(load.has_value());
  ASSERT_EQ(load->drawing.size(), 1u);
  EXPECT_EQ(load->drawing.at(0)->text, "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD");
  EXPECT_TRUE(hasNote(*load, "ANSI_936"));
}

}  // namespace
}  // namespace plotmate::sim
