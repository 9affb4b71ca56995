// Variant <-> VARIANT in one process: every kind, the array layouts hosts
// expect, and writing outputs through references.

#include <gtest/gtest.h>

#include "com_test_support.h"
#include "hosts/com/bstr.h"
#include "hosts/com/com_ptr.h"
#include "hosts/com/object_bridge.h"
#include "sim/com/reference_store.h"
#include "sim/com/served_object.h"
#include "hosts/com/variant_convert.h"
#include "hosts/com/variant_owner.h"

namespace plotmate::com {
namespace {

// What a VARIANT reads as: the value, or the error's code.
void expectReads(const VARIANT& v, const Variant& expected, const char* what = "") {
  auto value = fromVariant(v, nullptr);
  ASSERT_TRUE(value.has_value()) << what;
  EXPECT_EQ(*value, expected) << what;
}
void expectRefused(const VARIANT& v, HRESULT code, const char* what = "") {
  auto value = fromVariant(v, nullptr);
  ASSERT_FALSE(value.has_value()) << what;
  EXPECT_EQ(value.error().code, code) << what;
}

// A by-reference VARIANT of `type` pointing at `target`.
VARIANT reference(VARTYPE type, void* target) {
  VARIANT ref{};
  ref.vt = VT_BYREF | type;
  ref.byref = target;
  return ref;
}

VariantGrid sampleGrid() {
  return comtest::gridOf(
      2, 3, {1.5, "x", Variant(), true, CellError{comtest::kNotAvailable}, std::int32_t{7}});
}

TEST(ComVariant, EveryKindRoundTripsWithTheTypeHostsExpect) {
  auto object = std::make_shared<comtest::RecordingDispatch>();
  struct Case { const char* name; Variant value; VARTYPE vt; };
  const Case cases[] = {
      {"empty", Variant(), VT_EMPTY},
      {"missing", Variant(Missing{}), VT_ERROR},
      {"true", Variant(true), VT_BOOL},
      {"false", Variant(false), VT_BOOL},
      {"int16", Variant(std::int16_t{-32768}), VT_I2},
      {"int32", Variant(std::int32_t{2147483647}), VT_I4},
      {"double", Variant(-0.125), VT_R8},
      {"text", Variant("Excel可能未打开！"), VT_BSTR},
      {"empty text", Variant(""), VT_BSTR},
      {"text with NUL", Variant(std::string("a\0b", 3)), VT_BSTR},
      {"cell error", Variant(CellError{static_cast<std::int32_t>(0x800A07E7u)}), VT_ERROR},
      {"object", Variant(object), VT_DISPATCH},
      {"nothing", Variant(DispatchPtr{}), VT_DISPATCH},
      {"points", fromDoubles(std::vector<double>{1, 2, 3, 4.5, 5, 6}), VT_ARRAY | VT_R8},
      {"filter codes", Variant(VariantList{std::int16_t{0}, std::int16_t{8}}), VT_ARRAY | VT_I2},
      {"longs", Variant(VariantList{std::int32_t{1}, std::int32_t{-2}}), VT_ARRAY | VT_I4},
      {"filter values", Variant(VariantList{"Line"}), VT_ARRAY | VT_VARIANT},
      {"mixed", Variant(VariantList{1.0, "a", true, Variant()}), VT_ARRAY | VT_VARIANT},
      {"objects", Variant(VariantList{object, object}), VT_ARRAY | VT_VARIANT},
      {"empty list", Variant(VariantList{}), VT_ARRAY | VT_VARIANT},
      {"nested", Variant(VariantList{VariantList{1.0, 2.0}, VariantList{}, Variant(sampleGrid())}), VT_ARRAY | VT_VARIANT},
      {"grid", Variant(sampleGrid()), VT_ARRAY | VT_VARIANT},
      {"one cell grid", Variant(VariantGrid(1, 1)), VT_ARRAY | VT_VARIANT},
      {"zero-row grid", Variant(VariantGrid(0, 4)), VT_ARRAY | VT_VARIANT},
  };
  for (const auto& c : cases) {
    VariantOwner v;
    ASSERT_TRUE(toVariant(c.value, v.get())) << c.name;
    EXPECT_EQ(v.get().vt, c.vt) << c.name;
    expectReads(v.get(), c.value, c.name);
  }
}

TEST(ComVariant, GridIsOneBasedRowsFirstLikeARangeValue) {
  VariantOwner v;
  ASSERT_TRUE(toVariant(Variant(sampleGrid()), v.get()));
  SAFEARRAY* a = v.get().parray;
  ASSERT_EQ(SafeArrayGetDim(a), 2u);
  for (UINT dimension : {1u, 2u}) {  // rows, then columns
    LONG low = 0, high = 0;
    ASSERT_EQ(SafeArrayGetLBound(a, dimension, &low) | SafeArrayGetUBound(a, dimension, &high), S_OK);
    EXPECT_EQ(std::pair(low, high), std::pair(1L, dimension == 1 ? 2L : 3L)) << dimension;
  }
  // The element a host reads as (row 1, column 2) is the text "x".
  LONG index[2] = {1, 2};
  VariantOwner cell;
  ASSERT_EQ(SafeArrayGetElement(a, index, &cell.get()), S_OK);
  ASSERT_EQ(cell.get().vt, VT_BSTR);
  EXPECT_EQ(fromBstr(cell.get().bstrVal), "x");
}

// Kinds a host may send that Plotmate never does.
TEST(ComVariant, ForeignKindsReadAsTheNearestValue) {
  struct Case { const char* name; std::function<void(VARIANT&)> make; Variant expected; };
  const Case cases[] = {
      {"null", [](VARIANT& v) { v.vt = VT_NULL; }, Variant()},
      {"byte", [](VARIANT& v) { v.vt = VT_UI1; v.bVal = 200; }, Variant(std::int16_t{200})},
      {"ushort", [](VARIANT& v) { v.vt = VT_UI2; v.uiVal = 65535; }, Variant(std::int32_t{65535})},
      {"small int64", [](VARIANT& v) { v.vt = VT_I8; v.llVal = -5; }, Variant(std::int32_t{-5})},
      {"big int64", [](VARIANT& v) { v.vt = VT_I8; v.llVal = 1LL << 40; }, Variant(double(1LL << 40))},
      {"big uint32", [](VARIANT& v) { v.vt = VT_UI4; v.ulVal = 4000000000u; }, Variant(4000000000.0)},
      {"float", [](VARIANT& v) { v.vt = VT_R4; v.fltVal = 0.5f; }, Variant(0.5)},
      {"date", [](VARIANT& v) { v.vt = VT_DATE; v.date = 45000.25; }, Variant(45000.25)},
      {"currency", [](VARIANT& v) { v.vt = VT_CY; v.cyVal.int64 = 12345; }, Variant(1.2345)},
      {"decimal", [](VARIANT& v) { VarDecFromR8(2.5, &v.decVal); v.vt = VT_DECIMAL; }, Variant(2.5)},
      {"omitted", [](VARIANT& v) { v.vt = VT_ERROR; v.scode = DISP_E_PARAMNOTFOUND; }, Variant(Missing{})},
      {"null text", [](VARIANT& v) { v.vt = VT_BSTR; v.bstrVal = nullptr; }, Variant("")},
  };
  for (const auto& c : cases) {
    VariantOwner v;
    c.make(v.get());
    expectReads(v.get(), c.expected, c.name);
  }
}

// A one-dimensional array of `count` elements from index 1, the VARIANT
// claiming elements of `claimed` (by default, what they are).
void makeArray(VariantOwner& v, VARTYPE element, ULONG count, VARTYPE claimed = VT_EMPTY) {
  SAFEARRAYBOUND bound{count, 1};
  v.get().vt = VT_ARRAY | (claimed == VT_EMPTY ? element : claimed);
  v.get().parray = SafeArrayCreate(element, 1, &bound);
}

TEST(ComVariant, ArraysOfAnyElementTypeAndLowerBoundReadAsLists) {
  auto object = std::make_shared<comtest::RecordingDispatch>();
  {  // VT_ARRAY|VT_DISPATCH, which some hosts send for object lists
    VariantOwner v;
    makeArray(v, VT_DISPATCH, 2);
    LONG i = 1;
    auto served = ComPtr<IDispatch>::adopt(exportObject(object));
    SafeArrayPutElement(v.get().parray, &i, served.get());
    expectReads(v.get(), Variant(VariantList{Variant(DispatchPtr(object)), Variant(DispatchPtr{})}));
  }
  {  // texts, 1-based
    VariantOwner v;
    makeArray(v, VT_BSTR, 2);
    LONG i = 2;
    auto text = makeBstr("二");
    SafeArrayPutElement(v.get().parray, &i, text->get());
    expectReads(v.get(), Variant(VariantList{"", "二"}));
  }
  // An empty array of doubles, as IntersectWith answers "no intersection".
  VariantOwner empty;
  makeArray(empty, VT_R8, 0);
  expectReads(empty.get(), Variant(VariantList{}));
  VariantOwner cube;  // three dimensions are refused, not misread
  SAFEARRAYBOUND bounds[3] = {{2, 0}, {2, 0}, {2, 0}};
  cube.get().vt = VT_ARRAY | VT_R8;
  cube.get().parray = SafeArrayCreate(VT_R8, 3, bounds);
  expectRefused(cube.get(), DISP_E_TYPEMISMATCH);
  // Elements that are not what the VARIANT claims are refused, not misread.
  VariantOwner mislabelled;
  makeArray(mislabelled, VT_R8, 3, VT_VARIANT);
  expectRefused(mislabelled.get(), DISP_E_TYPEMISMATCH);
  VariantOwner inner;  // a by-reference VARIANT is read through
  ASSERT_TRUE(toVariant(Variant(VariantList{1.0, 2.0}), inner.get()));
  expectReads(reference(VT_VARIANT, &inner.get()), Variant(VariantList{1.0, 2.0}));
}

TEST(ComVariant, UnsupportedOrBrokenValuesAreErrorsNotGuesses) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_RECORD;
  expectRefused(v, DISP_E_BADVARTYPE, "a record");
  for (VARTYPE nullReference : {VARTYPE(VT_BYREF | VT_R8), VARTYPE(VT_BYREF | VT_ARRAY | VT_R8)}) {
    v.vt = nullReference;
    v.byref = nullptr;
    expectRefused(v, DISP_E_TYPEMISMATCH, "a null reference");
  }
}

TEST(ComVariant, OutputsAreWrittenThroughEveryKindOfReference) {
  auto object = std::make_shared<comtest::RecordingDispatch>();
  {  // VT_BYREF|VT_VARIANT: the old contents are freed, the new kind taken
    VariantOwner target;
    ASSERT_TRUE(toVariant(Variant("old"), target.get()));
    VARIANT ref = reference(VT_VARIANT, &target.get());
    ASSERT_TRUE(storeThroughReference(fromDoubles(std::vector<double>{1, 2, 3}), ref));
    EXPECT_EQ(target.get().vt, VT_ARRAY | VT_R8);
  }
  {  // VT_BYREF|VT_DISPATCH: Nothing in, an object out, and back to Nothing
    ComPtr<IDispatch> slot;
    VARIANT ref = reference(VT_DISPATCH, slot.out());
    ASSERT_TRUE(storeThroughReference(Variant(object), ref));
    EXPECT_EQ(servedTarget(slot.get()), object);
    ASSERT_TRUE(storeThroughReference(Variant(), ref));
    EXPECT_EQ(slot.get(), nullptr);
  }
  // A long starts at 7: a store must replace it, a refused one leave it.
  struct Scalar {
    const char* name; VARTYPE type; Variant value; Variant expected; HRESULT refused = S_OK;
  };
  const Scalar scalars[] = {
      {"double into long rounds", VT_I4, Variant(2.5), Variant(std::int32_t{2})},
      {"text into double, point whatever the locale", VT_R8, Variant("1.5"), Variant(1.5)},
      {"number into text", VT_BSTR, Variant(std::int32_t{12}), Variant("12")},
      {"bool into bool", VT_BOOL, Variant(true), Variant(true)},
      {"text that is no number", VT_I4, Variant("abc"), Variant(std::int32_t{7}), DISP_E_TYPEMISMATCH},
  };
  for (const auto& s : scalars) {
    VariantOwner storage;
    storage.get().vt = s.type;  // zeroed payload: a valid empty value of that type
    if (s.type == VT_I4) storage.get().lVal = 7;
    VARIANT ref = reference(s.type, &storage.get().bVal);
    auto stored = storeThroughReference(s.value, ref);
    EXPECT_EQ(stored ? S_OK : stored.error().code, s.refused) << s.name;
    expectReads(storage.get(), s.expected, s.name);
  }
}

TEST(ComVariant, LocalObjectsKeepTheirIdentityAcrossTheBoundary) {
  auto object = std::make_shared<comtest::RecordingDispatch>();
  {
    auto first = ComPtr<IDispatch>::adopt(exportObject(object));
    auto second = ComPtr<IDispatch>::adopt(exportObject(object));
    EXPECT_EQ(first.get(), second.get());  // one wrapper per object
    EXPECT_EQ(importObject(first.get(), nullptr), object);
  }
  // With every reference gone the wrapper is gone, and a new one serves next time.
  auto third = ComPtr<IDispatch>::adopt(exportObject(object));
  EXPECT_EQ(servedTarget(third.get()), object);
}

}  // namespace
}  // namespace plotmate::com
