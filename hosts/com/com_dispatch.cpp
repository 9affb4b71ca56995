#include "hosts/com/com_dispatch.h"

#include "hosts/com/bstr.h"
#include "hosts/com/error_text.h"
#include "hosts/com/message_filter.h"
#include "hosts/com/outgoing_arguments.h"
#include "hosts/com/variant_convert.h"

namespace plotmate::com {

namespace {

// A member the host does not know is named in the error; a refused argument
// is named by its position (the host reports its index in rgvarg, which
// holds the last argument first).
Error callError(HRESULT hr, std::string_view name, UINT argError, UINT argCount) {
  switch (hr) {
    case DISP_E_BADPARAMCOUNT:
      return argumentCountError(name);
    case DISP_E_NOTACOLLECTION:
      return notACollectionError(name);
    case DISP_E_TYPEMISMATCH:
    case DISP_E_OVERFLOW:
    case DISP_E_BADVARTYPE:
    case DISP_E_PARAMNOTFOUND:
      if (argError < argCount)
        return argumentError(hr, name, static_cast<std::int32_t>(argCount - 1 - argError));
      break;
    default:
      break;
  }
  Error error = errorFromHresult(hr);
  if (hr == DISP_E_UNKNOWNNAME || hr == DISP_E_MEMBERNOTFOUND)
    error.description += ": " + std::string(name);
  return error;
}

// One try, with the thread's message filter told not to wait either.
template <class Attempt>
auto triedOnce(Attempt& attempt) -> decltype(attempt()) {
  NoBusyWait once;
  return attempt();
}

}  // namespace

ComDispatch::ComDispatch(ComPtr<IDispatch> target, HostLinkPtr link)
    : target_(std::move(target)), link_(std::move(link)) {}

template <class Attempt>
auto ComDispatch::guarded(Attempt&& attempt) -> decltype(attempt()) {
  if (link_->gone) return std::unexpected(*link_->gone);
  // Once the host has stayed busy for the whole bound, later calls through
  // the link are tried once and not waited for again: a run that goes on
  // past a refused call then ends within one bound, not one bound per call.
  auto result = link_->stayedBusy ? triedOnce(attempt)
                                  : retryWhileBusy(link_->bound, *link_->clock, attempt);
  if (result) return result;
  switch (classifyFailure(result.error().code)) {
    case CallFailure::Busy:
      if (!link_->stayedBusy) link_->stayedBusy = result.error();
      return std::unexpected(*link_->stayedBusy);
    case CallFailure::HostGone:
      link_->gone = hostGoneError(result.error());
      return std::unexpected(*link_->gone);
    default:
      return result;
  }
}

Result<DISPID> ComDispatch::memberId(std::string_view name) {
  std::string key = lowerAscii(name);
  if (auto it = ids_.find(key); it != ids_.end()) return it->second;
  std::wstring wide = toWide(name);
  auto id = guarded([&]() -> Result<DISPID> {
    LPOLESTR names[] = {wide.data()};
    DISPID found = DISPID_UNKNOWN;
    HRESULT hr = target_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &found);
    if (FAILED(hr)) return std::unexpected(callError(hr, name, 0, 0));
    return found;
  });
  if (!id) return id;
  ids_.emplace(std::move(key), *id);
  return id;
}

Result<Variant> ComDispatch::invoke(std::string_view name, CallKind kind,
                                    std::span<Variant> args) {
  const bool put = kind == CallKind::Put;
  if (put && args.empty()) return fail(DISP_E_BADPARAMCOUNT, "A property write needs a value");
  PLOTMATE_TRY(id, memberId(name));
  OutgoingArguments outgoing;
  PLOTMATE_RETURN_IF_FAILED(outgoing.build(args, put));
  const WORD flags = put ? DISPATCH_PROPERTYPUT : DISPATCH_METHOD | DISPATCH_PROPERTYGET;

  auto result = guarded([&]() -> Result<Variant> {
    VariantOwner answer;
    EXCEPINFO info{};
    UINT argError = ~0u;
    HRESULT hr = target_->Invoke(*id, IID_NULL, LOCALE_USER_DEFAULT, flags, outgoing.params(),
                                 put ? nullptr : &answer.get(), &info, &argError);
    if (hr == DISP_E_EXCEPTION) return std::unexpected(errorFromExcepInfo(info));
    if (FAILED(hr)) return std::unexpected(callError(hr, name, argError, outgoing.params()->cArgs));
    return fromVariant(answer.get(), link_);
  });
  if (!result) return result;
  PLOTMATE_RETURN_IF_FAILED(outgoing.copyOutputs(args, link_));
  return result;
}

}  // namespace plotmate::com
