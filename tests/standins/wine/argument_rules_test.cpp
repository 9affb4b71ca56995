// The drawing stand-in's argument check against the real one: a type library
// compiled by widl from the same declarations (drawing_host.idl), driven by
// ITypeInfo::Invoke on an object whose every vtable slot accepts the call.
// For each declared member and each argument form in each position, both must
// give the same verdict: accepted, or the same error for the same argument.

#include <windows.h>

#include <oleauto.h>

#include <gtest/gtest.h>

#include <array>

#include "hosts/com/apartment.h"
#include "hosts/com/bstr.h"
#include "hosts/com/com_ptr.h"
#include "hosts/com/error_text.h"
#include "hosts/com/outgoing_arguments.h"
#include "hosts/com/variant_owner.h"
#include "sim/apps/server_process.h"
#include "sim/drawing/acad_utility.h"
#include "sim/drawing/drawing_interfaces.h"

namespace plotmate::sim {
namespace {

using com::ComPtr;

// By the time ITypeInfo::Invoke calls a vtable slot it has checked and
// converted every argument, which is all this comparison asks of it. On x64
// there is one calling convention and the caller owns the stack, so one
// function that ignores its arguments can stand in every slot.
HRESULT STDMETHODCALLTYPE acceptCall() { return S_OK; }

struct AcceptingObject { void* const* vtable; };

const AcceptingObject& acceptingObject() {
  static std::array<void*, 512> slots;
  static const AcceptingObject object = [] {
    slots.fill(reinterpret_cast<void*>(&acceptCall));
    return AcceptingObject{slots.data()};
  }();
  return object;
}

struct Verdict {
  std::int32_t code = 0;  // 0: accepted
  std::int32_t argument = -1;
};

std::string text(const Verdict& v) {
  if (v.code == 0) return "accepted";
  return com::hexCode(v.code) + (v.argument >= 0 ? " at " + std::to_string(v.argument + 1) : "");
}

Verdict ours(const DeclaredMember& member, CallKind kind, std::vector<Variant> args) {
  auto r = checkArguments(member.name, member.signature, kind, args);
  return r ? Verdict{} : Verdict{r.error().code, r.error().argument};
}

Verdict theirs(ITypeInfo& info, const DeclaredMember& member, CallKind kind,
               const std::vector<Variant>& args) {
  std::wstring wide(member.name.begin(), member.name.end());
  LPOLESTR names[] = {wide.data()};
  MEMBERID id = MEMBERID_NIL;
  if (FAILED(info.GetIDsOfNames(names, 1, &id))) return {E_FAIL, -1};
  const bool put = kind == CallKind::Put;
  com::OutgoingArguments outgoing;
  if (!outgoing.build(args, put)) return {E_INVALIDARG, -1};
  const WORD flags = put ? DISPATCH_PROPERTYPUT
                         : kind == CallKind::Get ? DISPATCH_PROPERTYGET : DISPATCH_METHOD;
  com::VariantOwner result;
  EXCEPINFO exception{};
  UINT argError = ~0u;
  HRESULT hr = info.Invoke(const_cast<AcceptingObject*>(&acceptingObject()), id, flags,
                           outgoing.params(), put ? nullptr : &result.get(), &exception, &argError);
  if (SUCCEEDED(hr)) return {};
  const UINT count = outgoing.params()->cArgs;
  const bool placed = hr != DISP_E_BADPARAMCOUNT && argError < count;
  return {hr, placed ? static_cast<std::int32_t>(count - 1 - argError) : -1};
}

// A value of each parameter's own type, so that only the form under test can
// be refused.
Variant goodValue(const Param& p, const DispatchPtr& object) {
  if (p.output) return p.type == ArgType::Object ? outputObject() : outputVariant();
  switch (p.type) {
    case ArgType::Boolean: return true;
    case ArgType::Short: return std::int16_t{1};
    case ArgType::Long:
    case ArgType::Enum: return std::int32_t{1};
    case ArgType::Double: return 1.0;
    case ArgType::Text: return "a";
    case ArgType::Object: return object;
    case ArgType::Variant: return 1.0;
  }
  return Variant();
}

struct Form { const char* label; Variant value; };

std::vector<Form> argumentForms(const DispatchPtr& object) {
  return {
      {"Empty by reference", outputVariant()},
      {"null object by reference", outputObject()},
      {"Integer", std::int16_t{7}},
      {"Long", std::int32_t{7}},
      {"Double", 2.5},
      {"Double beyond a Long", 3e9},
      {"numeric String", "12.5"},
      {"String", "text"},
      {"array of Doubles", fromDoubles(std::vector<double>{1, 2, 3})},
      {"array of Variants", VariantList{1.0, "a"}},
      {"missing", Missing{}},
      {"Empty", Variant()},
      {"Boolean", true},
      {"object", object},
      {"Nothing", DispatchPtr{}},
  };
}

std::vector<Param> argumentsOf(const DeclaredMember& member, CallKind kind) {
  std::vector<Param> params = member.signature.params;
  if (kind == CallKind::Put) params.push_back(in("Value", *member.signature.value));
  return params;
}

std::vector<CallKind> kindsOf(const DeclaredMember& member) {
  if (!member.signature.property) return {CallKind::Method};
  return member.writable ? std::vector{CallKind::Get, CallKind::Put} : std::vector{CallKind::Get};
}

// A dual interface is listed by its dispatch side, whose Invoke would call
// the object's own IDispatch; the checks to compare are the vtable side's.
ComPtr<ITypeInfo> vtableSide(const ComPtr<ITypeInfo>& info) {
  TYPEATTR* attributes = nullptr;
  if (FAILED(info->GetTypeAttr(&attributes))) return {};
  const bool dispatchSide = attributes->typekind == TKIND_DISPATCH;
  info->ReleaseTypeAttr(attributes);
  if (!dispatchSide) return info;
  HREFTYPE vtable = 0;
  ComPtr<ITypeInfo> side;
  if (FAILED(info->GetRefTypeOfImplType(static_cast<UINT>(-1), &vtable)) ||
      FAILED(info->GetRefTypeInfo(vtable, side.out())))
    return {};
  return side;
}

ComPtr<ITypeInfo> interfaceInfo(ITypeLib& library, const std::string& name) {
  for (UINT i = 0; i < library.GetTypeInfoCount(); ++i) {
    com::Bstr found;
    if (FAILED(library.GetDocumentation(static_cast<INT>(i), &found.get(), nullptr, nullptr, nullptr)))
      continue;
    const bool match = std::wstring(found.get()) == std::wstring(name.begin(), name.end());
    ComPtr<ITypeInfo> info;
    if (match && SUCCEEDED(library.GetTypeInfo(i, info.out()))) return vtableSide(info);
  }
  return {};
}

struct Tally { int compared = 0; int windowsStricter = 0; std::string disagreements; };

// Wine's dispatcher also takes a by-value argument for an output parameter of
// a type other than Variant and writes into a temporary; Windows refuses it
// with a type mismatch, and so does the stand-in.
// So does a surplus argument to a method or a property write, which Wine
// ignores and Windows refuses with DISP_E_BADPARAMCOUNT.
bool windowsStricter(const Param* tested, const Variant& form, bool surplus, const Verdict& mine,
                     const Verdict& wine) {
  if (wine.code != 0) return false;
  if (surplus) return mine.code == hr::kBadParamCount;
  return tested && tested->output && tested->type != ArgType::Variant && !form.isOutputSlot() &&
         mine.code == hr::kTypeMismatch;
}

// Wine's ITypeInfo::Invoke leaves puArgErr unset; where it names no position
// only the codes are compared (positions are pinned by the native tests and
// the COM client's tests).
bool sameVerdict(const Verdict& mine, const Verdict& wine) {
  return mine.code == wine.code && (wine.argument < 0 || mine.argument == wine.argument);
}

// One call both ways; `tested` is the parameter given the form under test.
void compareCall(ITypeInfo& info, const std::string& where, const DeclaredMember& member,
                 CallKind kind, const std::vector<Variant>& args, const Param* tested,
                 const Variant& form, Tally& tally, bool surplus = false) {
  const Verdict mine = ours(member, kind, args);
  const Verdict wine = theirs(info, member, kind, args);
  ++tally.compared;
  if (sameVerdict(mine, wine)) return;
  if (windowsStricter(tested, form, surplus, mine, wine)) {
    ++tally.windowsStricter;
    return;
  }
  tally.disagreements +=
      where + ": stand-in " + text(mine) + ", ITypeInfo::Invoke " + text(wine) + "\n";
}

void compareMember(ITypeInfo& info, const std::string& owner, const DeclaredMember& member,
                   CallKind kind, const std::vector<Form>& forms, const DispatchPtr& object,
                   Tally& tally) {
  const std::string name = owner + "." + member.name + (kind == CallKind::Put ? " (put)" : "");
  const std::vector<Param> params = argumentsOf(member, kind);
  std::vector<Variant> good;
  for (const Param& p : params) good.push_back(goodValue(p, object));
  for (std::size_t position = 0; position < params.size(); ++position)
    for (const auto& form : forms) {
      auto args = good;
      args[position] = form.value;
      compareCall(info, name + " argument " + std::to_string(position + 1) + " " + form.label,
                  member, kind, args, &params[position], form.value, tally);
    }
  // The count: each shorter list (a put always carries its value), and one
  // argument too many. Surplus arguments to a property that answers an
  // object are not a count error to ITypeInfo::Invoke: it hands them to the
  // object's default member (VB's `ActiveDocument(1)`), which the stand-in
  // does not model and the tools never use.
  for (auto fewer = good; kind != CallKind::Put && !fewer.empty();) {
    fewer.pop_back();
    compareCall(info, name + " with " + std::to_string(fewer.size()) + " arguments", member, kind,
                fewer, nullptr, Variant(), tally);
  }
  if (kind == CallKind::Get && member.signature.value == ArgType::Object) return;
  auto more = good;
  more.push_back(1.0);
  compareCall(info, name + " with one argument too many", member, kind, more, nullptr, Variant(),
              tally, true);
}

TEST(ArgumentRules, StandInAgreesWithITypeInfoInvoke) {
  com::ComApartment apartment;
  ASSERT_TRUE(apartment.ok());
  const std::wstring path = besideThisProgram(L"drawing_host.tlb");
  ComPtr<ITypeLib> library;
  ASSERT_EQ(LoadTypeLibEx(path.c_str(), REGKIND_NONE, library.out()), S_OK)
      << "the type library widl writes beside the tests";
  const DispatchPtr object =
      std::make_shared<AcadUtility>(std::make_shared<HostContext>(), nullptr);
  const auto forms = argumentForms(object);
  Tally tally;
  for (const auto& iface : drawingInterfaces()) {
    ComPtr<ITypeInfo> info = interfaceInfo(*library.get(), iface.name);
    ASSERT_TRUE(info) << iface.name;
    for (const auto& member : iface.members)
      for (CallKind kind : kindsOf(member))
        compareMember(*info.get(), iface.name, member, kind, forms, object, tally);
  }
  EXPECT_EQ(tally.disagreements, "") << "of " << tally.compared << " calls";
  EXPECT_GT(tally.compared, 900);
  // The by-value output forms, where Wine is laxer than Windows, were met.
  EXPECT_GT(tally.windowsStricter, 0);
}

}  // namespace
}  // namespace plotmate::sim
