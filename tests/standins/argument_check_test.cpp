#include <gtest/gtest.h>

#include <fstream>

#include "hosts/acad.h"
#include "sim/drawing/acad_utility.h"
#include "sim/drawing/drawing_interfaces.h"
#include "sim/member_signature.h"
#include "tests/native/scratch_directory.h"

namespace plotmate::sim {
namespace {

using T = ArgType;

const MemberSignature& signatureOf(std::string_view interface, std::string_view member) {
  static const auto interfaces = drawingInterfaces();
  for (const auto& i : interfaces)
    for (const auto& m : i.members)
      if (i.name == interface && m.name == member) return m.signature;
  static const MemberSignature none;
  ADD_FAILURE() << "no declared member " << interface << "." << member;
  return none;
}

// Each case: a member of the drawing stand-in, the arguments a client sends,
// the verdict (0 for accepted) and the refused argument's position.
TEST(ArgumentCheck, RefusesWhatTheHostsDispatcherRefuses) {
  struct Case {
    const char* interface;
    const char* member;
    CallKind kind;
    std::vector<Variant> args;
    std::int32_t code;
    std::int32_t argument;
  };
  const auto object = std::make_shared<AcadUtility>(std::make_shared<HostContext>(), nullptr);
  const VariantList doubles{1.0, 2.0, 3.0};
  const Case cases[] = {
      // The entity output declared IDispatch**: a Variant slot is the old fault.
      {"IAcadUtility", "GetEntity", CallKind::Method, {Variant(), Variant(), "p"}, hr::kTypeMismatch, 0},
      {"IAcadUtility", "GetEntity", CallKind::Method, {outputVariant(), outputVariant()}, hr::kTypeMismatch, 0},
      {"IAcadUtility", "GetEntity", CallKind::Method, {outputObject(), outputVariant(), "p"}, 0, -1},
      {"IAcadUtility", "GetEntity", CallKind::Method, {outputObject(), Variant(2.0)}, 0, -1},
      {"IAcadUtility", "GetEntity", CallKind::Method, {outputObject()}, hr::kBadParamCount, -1},
      {"IAcadUtility", "GetPoint", CallKind::Method, {}, 0, -1},
      {"IAcadUtility", "GetPoint", CallKind::Method, {Missing{}, "p", 1.0}, hr::kBadParamCount, -1},
      {"IAcadUtility", "TranslateCoordinates", CallKind::Method,
       {doubles, std::int16_t{0}, std::int16_t{1}, std::int16_t{0}}, 0, -1},
      {"IAcadUtility", "TranslateCoordinates", CallKind::Method,
       {doubles, 0.0, 3e9, std::int16_t{0}}, hr::kOverflow, 2},
      {"IAcadUtility", "TranslateCoordinates", CallKind::Method,
       {doubles, "1", "text", std::int16_t{0}}, hr::kTypeMismatch, 2},
      {"IAcadUtility", "TranslateCoordinates", CallKind::Method,
       {doubles, 0.0, 1.0, doubles}, hr::kTypeMismatch, 3},
      {"IAcadUtility", "TranslateCoordinates", CallKind::Method,
       {doubles, 0.0, 1.0, Missing{}}, hr::kTypeMismatch, 3},
      {"IAcadEntity", "IntersectWith", CallKind::Method, {object, std::int16_t{0}}, 0, -1},
      {"IAcadEntity", "IntersectWith", CallKind::Method, {Variant(), 0.0}, hr::kTypeMismatch, 0},
      {"IAcadEntity", "IntersectWith", CallKind::Method, {object, DispatchPtr{}}, hr::kBadVarType, 1},
      {"IAcadEntity", "IntersectWith", CallKind::Method, {"line", 0.0}, hr::kTypeMismatch, 0},
      {"IAcadEntity", "Highlight", CallKind::Method, {"maybe"}, hr::kTypeMismatch, 0},
      {"IAcadEntity", "TextString", CallKind::Put, {2.5}, 0, -1},
      {"IAcadEntity", "TextString", CallKind::Put, {Variant(doubles)}, hr::kTypeMismatch, 0},
      {"IAcadEntity", "TextString", CallKind::Get, {1.0}, hr::kNotACollection, -1},
      {"IAcadEntity", "TextString", CallKind::Put, {outputVariant()}, hr::kInvalidArg, 0},
      {"IAcadUtility", "GetEntity", CallKind::Method, {7.0, outputVariant()}, hr::kBadVarType, 0},
      {"IAcadUtility", "GetEntity", CallKind::Method, {outputObject(), doubles}, hr::kTypeMismatch, 1},
      {"IAcadEntity", "Coordinate", CallKind::Get, {" 12.5 "}, 0, -1},
      {"IAcadEntity", "Coordinate", CallKind::Get, {1.0, 2.0}, hr::kBadParamCount, -1},
      {"IAcadDocument", "SetVariable", CallKind::Method, {"PDSIZE", 5.0}, 0, -1},
      {"IAcadDocument", "SendCommand", CallKind::Method, {outputObject()}, hr::kBadVarType, 0},
  };
  for (const auto& c : cases) {
    std::vector<Variant> args = c.args;
    auto r = checkArguments(c.member, signatureOf(c.interface, c.member), c.kind, args);
    const std::string label = std::string(c.member) + " case " + std::to_string(&c - cases);
    EXPECT_EQ(r ? 0 : r.error().code, c.code) << label;
    EXPECT_EQ(r ? -1 : r.error().argument, c.argument) << label;
    if (!r) {
      EXPECT_NE(r.error().description.find(c.member), std::string::npos) << label;
    }
  }
}

TEST(ArgumentCheck, ConvertsToTheDeclaredTypeBeforeTheMemberRuns) {
  std::vector<Variant> args{fromDoubles(std::vector<double>{1, 2, 3}), std::int16_t{1}, 2.5,
                            std::int16_t{1}};
  ASSERT_TRUE(checkArguments("TranslateCoordinates",
                             signatureOf("IAcadUtility", "TranslateCoordinates"), CallKind::Method,
                             args));
  EXPECT_EQ(args[1], Variant(std::int32_t{1}));
  EXPECT_EQ(args[2], Variant(std::int32_t{2}));  // halves round to even
  std::vector<Variant> text{std::int16_t{7}};
  ASSERT_TRUE(checkArguments("TextString", signatureOf("IAcadEntity", "TextString"), CallKind::Put, text));
  EXPECT_EQ(text[0], Variant("7"));
}

// What the drawing facade sends for GetEntity: the entity slot as an object
// output, the point slot as a Variant output, then the prompt.
TEST(ArgumentCheck, GetEntitySendsEachOutputInItsDeclaredKind) {
  struct Capture final : Dispatch {
    std::vector<Variant> args;
    Result<Variant> invoke(std::string_view, CallKind, std::span<Variant> a) override {
      args.assign(a.begin(), a.end());
      return fail(hr::kFail, "nothing picked");
    }
  };
  auto capture = std::make_shared<Capture>();
  EXPECT_FALSE(plotmate::AcadUtility(capture).getEntity("Pick point:"));
  EXPECT_EQ(capture->args, (std::vector<Variant>{outputObject(), outputVariant(), "Pick point:"}));
  std::vector<Variant> sent = capture->args;
  EXPECT_TRUE(checkArguments("GetEntity", signatureOf("IAcadUtility", "GetEntity"), CallKind::Method, sent));
}

// The committed IDL, which the Windows build compiles into a type library for
// the comparison with ITypeInfo::Invoke, must be the one the tables give.
// PLOTMATE_WRITE_IDL=1 rewrites it.
TEST(ArgumentCheck, CommittedTypeLibraryMatchesTheMemberTables) {
  const std::string path = std::string(PLOTMATE_SOURCE_DIR) + "/tests/wine/drawing_host.idl";
  const std::string expected = drawingTypeLibraryIdl();
  if (std::getenv("PLOTMATE_WRITE_IDL")) std::ofstream(path, std::ios::binary) << expected;
  EXPECT_EQ(testing_support::fileBytes(path), expected) << "run with PLOTMATE_WRITE_IDL=1 to rewrite " << path;
}

}  // namespace
}  // namespace plotmate::sim
