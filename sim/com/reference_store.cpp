#include "sim/com/reference_store.h"

#include <utility>

#include "hosts/com/bstr.h"
#include "hosts/com/com_ptr.h"
#include "hosts/com/variant_convert.h"
#include "hosts/com/variant_owner.h"

namespace plotmate::com {

Result<void> storeThroughReference(const Variant& value, const VARIANT& reference) {
  const VARTYPE target = reference.vt & ~VT_BYREF;
  if (!(reference.vt & VT_BYREF) || !reference.byref)
    return std::unexpected(mismatch("not a by-reference argument"));
  VariantOwner fresh;
  if (auto r = toVariant(value, fresh.get()); !r) return r;
  if (target == VT_VARIANT) {
    VariantOwner previous(std::exchange(*reference.pvarVal, fresh.release()));
    return {};
  }
  VARIANT& v = fresh.get();
  if (target == VT_DISPATCH && v.vt == VT_EMPTY) {
    v.vt = VT_DISPATCH;
    v.pdispVal = nullptr;
  }
  // Numbers and texts convert as a script would, with "." whatever the locale.
  if (v.vt != target && FAILED(VariantChangeTypeEx(&v, &v, LOCALE_INVARIANT, 0, target)))
    return std::unexpected(mismatch(typeName(v.vt) + " into " + typeName(target)));
  switch (target) {
    case VT_I2:
      *reference.piVal = v.iVal;
      return {};
    case VT_I4:
      *reference.plVal = v.lVal;
      return {};
    case VT_R4:
      *reference.pfltVal = v.fltVal;
      return {};
    case VT_R8:
      *reference.pdblVal = v.dblVal;
      return {};
    case VT_DATE:
      *reference.pdate = v.date;
      return {};
    case VT_BOOL:
      *reference.pboolVal = v.boolVal;
      return {};
    case VT_ERROR:
      *reference.pscode = v.scode;
      return {};
    // What the reference held before is freed as its owner goes.
    case VT_BSTR: {
      Bstr previous(std::exchange(*reference.pbstrVal, fresh.release().bstrVal));
      return {};
    }
    case VT_DISPATCH: {
      auto previous =
          ComPtr<IDispatch>::adopt(std::exchange(*reference.ppdispVal, fresh.release().pdispVal));
      return {};
    }
    default:
      break;
  }
  if (target & VT_ARRAY) {
    SafeArrayOwner previous(std::exchange(*reference.pparray, fresh.release().parray));
    return {};
  }
  return std::unexpected(mismatch("cannot write into " + typeName(target)));
}

}  // namespace plotmate::com
