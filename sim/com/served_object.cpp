#include "sim/com/served_object.h"

#include <algorithm>
#include <atomic>
#include <mutex>
#include <new>
#include <string>
#include <unordered_map>
#include <vector>

#include "hosts/busy_retry.h"
#include "hosts/com/bstr.h"
#include "hosts/com/com_ptr.h"
#include "hosts/com/object_bridge.h"
#include "hosts/com/variant_convert.h"
#include "sim/com/reference_store.h"

namespace plotmate::com {

namespace {

class ServedObject;

// Every wrapper alive in this process, by the object it serves and by its own
// address. Never destroyed: wrappers may still be released during shutdown.
struct Registry {
  std::mutex lock;
  std::unordered_map<const Dispatch*, ServedObject*> byTarget;
  std::unordered_map<const void*, ServedObject*> byWrapper;
  CallGate gate;
};

Registry& registry() {
  static auto* instance = new Registry;
  return *instance;
}

// Errors a client expects as Invoke's own HRESULT rather than as an exception.
bool isDispatchLevel(std::int32_t code) {
  switch (code) {
    case DISP_E_UNKNOWNNAME:
    case DISP_E_MEMBERNOTFOUND:
    case DISP_E_BADPARAMCOUNT:
    case DISP_E_TYPEMISMATCH:
    case DISP_E_OVERFLOW:
    case DISP_E_BADVARTYPE:
    case DISP_E_NOTACOLLECTION:
    case DISP_E_PARAMNOTFOUND:
    case DISP_E_NONAMEDARGS:
      return true;
    default:
      return classifyFailure(code) == CallFailure::Busy;
  }
}

// `argCount` places a refused argument's position in rgvarg order.
HRESULT report(const Error& error, EXCEPINFO* info, UINT* argError = nullptr,
               std::size_t argCount = 0) {
  const HRESULT code = error.code < 0 ? error.code : E_FAIL;
  const bool placed = error.argument >= 0 && static_cast<std::size_t>(error.argument) < argCount;
  if (argError && placed)
    *argError = static_cast<UINT>(argCount - 1 - static_cast<std::size_t>(error.argument));
  // A refused argument is answered as the HRESULT only with its position (the
  // client names the argument from it); without one, its text goes along.
  const bool positional = code == DISP_E_TYPEMISMATCH || code == DISP_E_OVERFLOW ||
                          code == DISP_E_BADVARTYPE;
  if ((isDispatchLevel(code) && (placed || !positional)) || !info) return code;
  *info = EXCEPINFO{};
  info->scode = code;
  if (auto text = makeBstr(error.description)) info->bstrDescription = text->release();
  return DISP_E_EXCEPTION;
}

// An incoming argument. A by-reference Variant holding Empty or a
// by-reference object holding null is an output slot of that kind, so the
// member's declared parameter check sees the form the client sent; any other
// by-reference argument is read through as its value.
Result<Variant> incomingArgument(const VARIANT& in) {
  if (in.vt == (VT_BYREF | VT_VARIANT) && in.pvarVal && in.pvarVal->vt == VT_EMPTY)
    return outputVariant();
  if (in.vt == (VT_BYREF | VT_DISPATCH) && in.ppdispVal && !*in.ppdispVal) return outputObject();
  return fromVariant(in, nullptr);
}

Result<CallKind> kindOf(WORD flags, const DISPPARAMS& params) {
  if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
    if (params.cArgs == 0 || params.cNamedArgs != 1 || !params.rgdispidNamedArgs ||
        params.rgdispidNamedArgs[0] != DISPID_PROPERTYPUT)
      return fail(DISP_E_PARAMNOTFOUND, "A property write needs its value as the named argument");
    return CallKind::Put;
  }
  if (params.cNamedArgs != 0) return fail(DISP_E_NONAMEDARGS, "No named arguments");
  if (flags & DISPATCH_METHOD) return CallKind::Method;
  if (flags & DISPATCH_PROPERTYGET) return CallKind::Get;
  return fail(DISP_E_MEMBERNOTFOUND, "Member not found");
}

class ServedObject final : public IDispatch {
 public:
  explicit ServedObject(DispatchPtr target) : target_(std::move(target)) {}

  const DispatchPtr& target() const { return target_; }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    return QueryOne<IDispatch>(this, iid, IID_IDispatch, out);
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
  ULONG STDMETHODCALLTYPE Release() override {
    ULONG left = 0;
    {
      auto& reg = registry();
      std::lock_guard guard(reg.lock);
      left = --refs_;
      if (left == 0) {
        reg.byTarget.erase(target_.get());
        reg.byWrapper.erase(static_cast<IDispatch*>(this));
      }
    }
    if (left == 0) delete this;
    return left;
  }

  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
    if (info) *info = nullptr;
    return DISP_E_BADINDEX;
  }

  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID,
                                          DISPID* ids) override {
    if (!IsEqualGUID(iid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
    if (!names || !ids || count == 0 || !names[0]) return E_INVALIDARG;
    try {
      ids[0] = idFor(fromWide(names[0]));
    } catch (...) {
      return E_OUTOFMEMORY;
    }
    // Members take no named parameters.
    for (UINT i = 1; i < count; ++i) ids[i] = DISPID_UNKNOWN;
    return count == 1 ? S_OK : DISP_E_UNKNOWNNAME;
  }

  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* params,
                                   VARIANT* result, EXCEPINFO* info, UINT* argError) override {
    if (!IsEqualGUID(iid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
    if (!params) return E_INVALIDARG;
    if (id < 1 || static_cast<std::size_t>(id) > names_.size()) return DISP_E_MEMBERNOTFOUND;
    const std::string& name = names_[id - 1];
    try {
      return invokeMember(name, flags, *params, result, info, argError);
    } catch (const std::bad_alloc&) {
      return report(Error{E_OUTOFMEMORY, "Out of memory"}, info);
    } catch (...) {
      return report(Error{E_UNEXPECTED, "Internal error in " + name}, info);
    }
  }

 private:
  DISPID idFor(const std::string& name) {
    auto [it, added] = ids_.try_emplace(lowerAscii(name), static_cast<DISPID>(names_.size() + 1));
    if (added) names_.push_back(name);
    return it->second;
  }

  HRESULT invokeMember(const std::string& name, WORD flags, DISPPARAMS& params, VARIANT* result,
                       EXCEPINFO* info, UINT* argError) {
    auto kind = kindOf(flags, params);
    if (!kind) return report(kind.error(), info);
    if (auto gate = currentGate()) {
      if (HRESULT refused = gate(name); FAILED(refused)) return refused;
    }
    const std::size_t n = params.cArgs;
    std::vector<Variant> args(n);
    // rgvarg holds the last argument first.
    for (std::size_t i = 0; i < n; ++i) {
      auto arg = incomingArgument(params.rgvarg[n - 1 - i]);
      if (!arg) {
        if (argError) *argError = static_cast<UINT>(n - 1 - i);
        return arg.error().code == DISP_E_BADVARTYPE ? DISP_E_BADVARTYPE : DISP_E_TYPEMISMATCH;
      }
      args[i] = std::move(*arg);
    }
    // Only what the member changed goes back, so an argument the caller passed
    // by reference keeps its own type when it is merely read.
    const bool anyByReference = std::any_of(params.rgvarg, params.rgvarg + n,
                                            [](const VARIANT& v) { return v.vt & VT_BYREF; });
    const std::vector<Variant> before = anyByReference ? args : std::vector<Variant>{};
    auto answer = target_->invoke(name, *kind, args);
    if (!answer) return report(answer.error(), info, argError, n);
    for (std::size_t i = 0; anyByReference && i < n; ++i) {
      const VARIANT& slot = params.rgvarg[n - 1 - i];
      if (!(slot.vt & VT_BYREF) || args[i] == before[i]) continue;
      if (auto stored = storeThroughReference(args[i], slot); !stored) {
        if (argError) *argError = static_cast<UINT>(n - 1 - i);
        return report(stored.error(), info);
      }
    }
    if (!result) return S_OK;
    VariantInit(result);
    if (auto converted = toVariant(*answer, *result); !converted)
      return report(converted.error(), info);
    return S_OK;
  }

  static CallGate currentGate() {
    auto& reg = registry();
    std::lock_guard guard(reg.lock);
    return reg.gate;
  }

  std::atomic<ULONG> refs_{1};
  DispatchPtr target_;
  std::vector<std::string> names_;                // DISPID - 1 -> name as first asked for
  std::unordered_map<std::string, DISPID> ids_;  // lower-case name -> DISPID
};

}  // namespace

void serveLocalObjects() {
  static const bool installed = [] {
    setLocalObjectServer({serveObject, servedTarget});
    return true;
  }();
  (void)installed;
}

IDispatch* serveObject(const DispatchPtr& object) {
  serveLocalObjects();
  if (!object) return nullptr;
  auto& reg = registry();
  std::lock_guard guard(reg.lock);
  if (auto it = reg.byTarget.find(object.get()); it != reg.byTarget.end()) {
    it->second->AddRef();
    return it->second;
  }
  auto* wrapper = new ServedObject(object);
  reg.byTarget.emplace(object.get(), wrapper);
  reg.byWrapper.emplace(static_cast<IDispatch*>(wrapper), wrapper);
  return wrapper;
}

DispatchPtr servedTarget(IDispatch* wrapper) {
  if (!wrapper) return nullptr;
  auto& reg = registry();
  std::lock_guard guard(reg.lock);
  auto it = reg.byWrapper.find(wrapper);
  return it == reg.byWrapper.end() ? nullptr : it->second->target();
}

std::size_t servedObjectCount() {
  auto& reg = registry();
  std::lock_guard guard(reg.lock);
  return reg.byWrapper.size();
}

void setCallGate(CallGate gate) {
  auto& reg = registry();
  std::lock_guard guard(reg.lock);
  reg.gate = std::move(gate);
}

}  // namespace plotmate::com
