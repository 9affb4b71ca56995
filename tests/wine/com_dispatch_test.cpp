// The client (ComDispatch) against the server side (served objects) in one
// process: argument order, by-reference outputs, errors, names, busy retries.

#include <gtest/gtest.h>

#include "com_test_support.h"
#include "hosts/com/apartment.h"
#include "hosts/com/bstr.h"
#include "hosts/com/com_ptr.h"
#include "hosts/com/com_dispatch.h"
#include "hosts/com/error_text.h"
#include "hosts/com/message_filter.h"
#include "sim/com/served_object.h"
#include "hosts/com/variant_owner.h"

namespace plotmate::com {
namespace {

using comtest::RecordingDispatch;
using std::chrono::milliseconds;

// Pauses cost no time; the test counts them.
class CountingClock final : public RetryClock {
 public:
  TimePoint now() override { return TimePoint(elapsed); }
  void sleep(milliseconds pause) override {
    ++pauses;
    elapsed += pause;
  }
  milliseconds elapsed{0};
  int pauses = 0;
};

struct Served {
  std::shared_ptr<RecordingDispatch> object = std::make_shared<RecordingDispatch>();
  CountingClock clock;
  ComDispatch client{ComPtr<IDispatch>::adopt(serveObject(object)),
                     makeHostLink(BusyRetryBound{milliseconds(1000)}, &clock)};
};

TEST(ComDispatch, ArgumentsArriveInSourceOrderWithTheCallKind) {
  Served s;
  std::vector<Variant> args{1.0, "two", std::int16_t{3}, Variant(Missing{})};
  ASSERT_TRUE(s.client.invoke("Method", CallKind::Method, args));
  EXPECT_EQ(s.object->lastArgs, args);
  EXPECT_EQ(s.object->lastName, "Method");
  EXPECT_EQ(s.object->lastKind, CallKind::Method);

  // A property write: the value last, after the index arguments.
  ASSERT_TRUE(s.client.put("Cells", "v", {std::int32_t{4}, std::int32_t{5}}));
  EXPECT_EQ(s.object->lastKind, CallKind::Put);
  EXPECT_EQ(s.object->lastArgs, (std::vector<Variant>{std::int32_t{4}, std::int32_t{5}, "v"}));
  // A put of Empty is a value, not an output slot.
  ASSERT_TRUE(s.client.put("Value", Variant()));
  EXPECT_EQ(s.object->lastArgs, std::vector<Variant>{Variant()});
}

TEST(ComDispatch, OutputSlotsComeBackAndInputsStayAsTheyWere) {
  Served s;
  auto entity = std::make_shared<RecordingDispatch>();
  s.object->answer = [&](std::span<Variant> args) -> Result<Variant> {
    args[0] = entity;
    args[1] = fromDoubles(std::vector<double>{1, 2, 3});
    args[2] = "changed input";  // a by-value argument: the caller's copy must not change
    return Variant();
  };
  std::vector<Variant> args{outputObject(), outputVariant(), "Pick point:"};
  ASSERT_TRUE(s.client.invoke("GetEntity", CallKind::Method, args));
  // The server saw a null object and an Empty, each by reference in its kind.
  EXPECT_EQ(s.object->lastArgs, (std::vector<Variant>{outputObject(), outputVariant(), "Pick point:"}));
  // The outputs come back, a local object as itself; the input stays.
  EXPECT_EQ(args, (std::vector<Variant>{entity, fromDoubles(std::vector<double>{1, 2, 3}),
                                        "Pick point:"}));
}

TEST(ComDispatch, ErrorsReachTheCallerWithCodeAndDescription) {
  struct Case { const char* name; Error raised; Error seen; };
  const std::int32_t kRangeFailed = static_cast<std::int32_t>(0x800A03ECu);
  const Case cases[] = {
      {"host error via EXCEPINFO", {hr::kFail, "Nothing was picked"}, {hr::kFail, "Nothing was picked"}},
      {"worksheet error code", {kRangeFailed, "Range failed"}, {kRangeFailed, "Range failed"}},
      {"type mismatch without a position keeps its text", {hr::kTypeMismatch, "Type mismatch: x"}, {hr::kTypeMismatch, "Type mismatch: x"}},
      {"argument count named by member", {hr::kBadParamCount, "Invalid number of parameters"}, {hr::kBadParamCount, "Wrong number of arguments or invalid property assignment: Frob"}},
      {"refused argument named by position", {hr::kOverflow, "Overflow", 1}, {hr::kOverflow, "Overflow: argument 2 of Frob", 1}},
      {"unknown member named", {hr::kUnknownName, "Unknown name: Frob"}, {hr::kUnknownName, describeHresult(DISP_E_UNKNOWNNAME) + ": Frob"}},
      {"a non-failure code still fails", {0, "odd"}, {hr::kFail, "odd"}},
  };
  for (const auto& c : cases) {
    Served s;
    s.object->answer = [&](std::span<Variant>) -> Result<Variant> {
      return std::unexpected(c.raised);
    };
    auto result = s.client.call("Frob", {1.0, 2.0});
    ASSERT_FALSE(result.has_value()) << c.name;
    EXPECT_EQ(result.error(), c.seen) << c.name;
  }
}

TEST(ComDispatch, AnExceptionInsideTheHostNeverCrossesTheBoundary) {
  Served s;
  s.object->answer = [](std::span<Variant>) -> Result<Variant> { throw std::runtime_error("x"); };
  auto result = s.client.call("Explode");
  ASSERT_FALSE(result.has_value());
  EXPECT_EQ(result.error(), (Error{E_UNEXPECTED, "Internal error in Explode"}));
}

TEST(ComDispatch, NamesGetOneDispidWhateverTheirCase) {
  Served s;
  ComPtr<IDispatch> raw = ComPtr<IDispatch>::share(s.client.raw());
  auto idOf = [&](const wchar_t* name) {
    std::wstring text(name);
    LPOLESTR names[] = {text.data()};
    DISPID id = DISPID_UNKNOWN;
    EXPECT_EQ(raw->GetIDsOfNames(IID_NULL, names, 1, 0, &id), S_OK);
    return id;
  };
  DISPPARAMS none{};
  auto invoke = [&](DISPID id, WORD flags, DISPPARAMS* params = nullptr) {
    return raw->Invoke(id, IID_NULL, 0, flags, params ? params : &none, nullptr, nullptr, nullptr);
  };
  const DISPID first = idOf(L"ActiveCell");
  EXPECT_GE(first, 1);  // never DISPID_VALUE
  EXPECT_EQ(idOf(L"ACTIVECELL"), first);
  EXPECT_EQ(idOf(L"activecell"), first);
  EXPECT_NE(idOf(L"Offset"), first);

  // Unknown DISPIDs and a put without its named argument are refused.
  EXPECT_EQ(invoke(DISPID_VALUE, DISPATCH_METHOD), DISP_E_MEMBERNOTFOUND);
  EXPECT_EQ(invoke(999, DISPATCH_METHOD), DISP_E_MEMBERNOTFOUND);
  VariantOwner value;
  DISPPARAMS unnamed{&value.get(), nullptr, 1, 0};
  EXPECT_EQ(invoke(first, DISPATCH_PROPERTYPUT, &unnamed), DISP_E_PARAMNOTFOUND);
  // A read that passes a property's flag only is a read.
  EXPECT_EQ(invoke(first, DISPATCH_PROPERTYGET), S_OK);
  EXPECT_EQ(s.object->lastKind, CallKind::Get);
}

TEST(ComDispatch, BusyHostIsRetriedAndAGoneHostFailsAtOnce) {
  Served s;
  int rejections = 3;
  setCallGate([&](std::string_view) -> HRESULT {
    return rejections-- > 0 ? RPC_E_CALL_REJECTED : S_OK;
  });
  EXPECT_TRUE(s.client.call("Echo", {1.0}).has_value());
  EXPECT_EQ(s.clock.pauses, 3);

  setCallGate([](std::string_view) -> HRESULT { return RPC_E_SERVERCALL_RETRYLATER; });
  s.clock.elapsed = milliseconds(0);
  auto refused = s.client.call("Echo", {1.0});
  ASSERT_FALSE(refused.has_value());
  EXPECT_EQ(refused.error().code, hr::kRetryLater);
  EXPECT_EQ(s.clock.elapsed, milliseconds(1000));

  int goneCalls = 0;
  setCallGate([&](std::string_view) -> HRESULT {
    ++goneCalls;
    return RPC_E_DISCONNECTED;
  });
  auto gone = s.client.call("Echo", {1.0});
  ASSERT_FALSE(gone.has_value());
  EXPECT_EQ(gone.error().code, hr::kDisconnected);
  EXPECT_TRUE(gone.error().description.starts_with("The program has closed or stopped answering: "));
  setCallGate(nullptr);
  // Every later call through the same attach fails without asking the host.
  auto after = s.client.call("Echo", {1.0});
  ASSERT_FALSE(after.has_value());
  EXPECT_EQ(after.error(), gone.error());
  EXPECT_EQ(goneCalls, 1);
}

TEST(ComMessageFilter, RetriesRetryLaterWithinTheBoundOnly) {
  const BusyRetryBound bound{milliseconds(30000), milliseconds(10), milliseconds(500)};
  const DWORD kGiveUp = static_cast<DWORD>(-1);
  EXPECT_EQ(retryRejectedCallAnswer(bound, 0, SERVERCALL_RETRYLATER), 500u);
  EXPECT_EQ(retryRejectedCallAnswer(bound, 29800, SERVERCALL_RETRYLATER), 200u);
  EXPECT_EQ(retryRejectedCallAnswer(bound, 30000, SERVERCALL_RETRYLATER), kGiveUp);
  EXPECT_EQ(retryRejectedCallAnswer(bound, 0, SERVERCALL_REJECTED), kGiveUp);
  {
    NoBusyWait once;  // a host that has already stayed busy for the bound
    { NoBusyWait nested; }
    EXPECT_EQ(retryRejectedCallAnswer(bound, 0, SERVERCALL_RETRYLATER), kGiveUp) << "still waived";
  }
  EXPECT_EQ(retryRejectedCallAnswer(bound, 0, SERVERCALL_RETRYLATER), 500u);

  ComApartment apartment;
  ASSERT_TRUE(apartment.ok());
  // The thread's filter, left registered.
  const auto current = [] {
    ComPtr<IMessageFilter> found, none;
    CoRegisterMessageFilter(nullptr, found.out());
    CoRegisterMessageFilter(found.get(), none.out());
    return found;
  };
  {
    ScopedMessageFilter filter(bound);
    EXPECT_TRUE(filter.registered());
    const auto ours = current();
    EXPECT_TRUE(ours);
    {
      ScopedMessageFilter inner(bound);
      EXPECT_NE(current().get(), ours.get());
    }
    EXPECT_EQ(current().get(), ours.get()) << "the inner filter puts the outer one back";
  }
  EXPECT_FALSE(current()) << "and the outer one the thread's none";
}

TEST(ComErrorText, SystemTextOrAClearFallbackWithTheCode) {
  EXPECT_EQ(hexCode(static_cast<HRESULT>(0x800401E3u)), "0x800401E3");
  for (unsigned code : {0x800401E3u, 0x800401F3u, 0x80010001u, 0x800706BAu, 0x80020006u}) {
    std::string text = describeHresult(static_cast<HRESULT>(code));
    EXPECT_FALSE(text.empty()) << std::hex << code;
    EXPECT_NE(text.back(), '\n') << std::hex << code;
  }
  EXPECT_EQ(describeHresult(static_cast<HRESULT>(0x8004ABCDu)), "Error 0x8004ABCD");

  EXCEPINFO deferred{};
  deferred.pfnDeferredFillIn = [](EXCEPINFO* info) -> HRESULT {
    info->scode = static_cast<SCODE>(0x800A0005u);
    info->bstrDescription = SysAllocString(L"Invalid procedure call");
    return S_OK;
  };
  EXPECT_EQ(errorFromExcepInfo(deferred),
            (Error{static_cast<std::int32_t>(0x800A0005u), "Invalid procedure call"}));
  EXPECT_EQ(deferred.bstrDescription, nullptr);  // taken and freed
  EXCEPINFO bare{};
  bare.wCode = 1004;
  EXPECT_EQ(errorFromExcepInfo(bare).code, static_cast<std::int32_t>(0x800403ECu));
}

}  // namespace
}  // namespace plotmate::com
