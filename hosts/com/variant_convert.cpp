#include "hosts/com/variant_convert.h"

#include <limits>
#include <optional>
#include <type_traits>

#include "hosts/com/bstr.h"
#include "hosts/com/com_ptr.h"
#include "hosts/com/error_text.h"
#include "hosts/com/object_bridge.h"
#include "hosts/com/variant_owner.h"

namespace plotmate::com {

Error mismatch(std::string what) { return Error{DISP_E_TYPEMISMATCH, "Type mismatch: " + what}; }

std::string typeName(VARTYPE vt) { return "VARIANT type 0x" + hexCode(vt).substr(6); }

namespace {

// ---- Variant -> VARIANT ---------------------------------------------------

template <class T>
bool allOf(const VariantList& list) {
  for (const auto& item : list)
    if (!item.is<T>()) return false;
  return true;
}

// Hosts want points as arrays of doubles and selection filter codes as arrays
// of integers; everything else travels as an array of VARIANT.
VARTYPE elementTypeFor(const VariantList& list) {
  if (list.empty()) return VT_VARIANT;
  if (allOf<double>(list)) return VT_R8;
  if (allOf<std::int16_t>(list)) return VT_I2;
  if (allOf<std::int32_t>(list)) return VT_I4;
  return VT_VARIANT;
}

template <class T>
void copyNumbers(const VariantList& list, char* data) {
  auto* out = reinterpret_cast<T*>(data);
  for (std::size_t i = 0; i < list.size(); ++i) out[i] = *list[i].getIf<T>();
}

Result<void> fillVariants(std::span<const Variant> items, char* data) {
  auto* out = reinterpret_cast<VARIANT*>(data);
  for (std::size_t i = 0; i < items.size(); ++i)
    if (auto r = toVariant(items[i], out[i]); !r) return r;
  return {};
}

Result<void> listToVariant(const VariantList& list, VARIANT& out) {
  VARTYPE element = elementTypeFor(list);
  SAFEARRAYBOUND bound{static_cast<ULONG>(list.size()), 0};
  SafeArrayOwner array(SafeArrayCreate(element, 1, &bound));
  if (!array.get()) return fail(E_OUTOFMEMORY, "Out of memory");
  {
    SafeArrayData data(array.get());
    if (!data) return fail(E_OUTOFMEMORY, "Out of memory");
    switch (element) {
      case VT_R8:
        copyNumbers<double>(list, data.bytes());
        break;
      case VT_I2:
        copyNumbers<std::int16_t>(list, data.bytes());
        break;
      case VT_I4:
        copyNumbers<std::int32_t>(list, data.bytes());
        break;
      default:
        if (auto r = fillVariants(list, data.bytes()); !r) return r;
    }
  }
  out.vt = VT_ARRAY | element;
  out.parray = array.release();
  return {};
}

// SAFEARRAY elements run down each column first: (r, c) sits at r + c * rows.
Result<void> gridToVariant(const VariantGrid& grid, VARIANT& out) {
  SAFEARRAYBOUND bounds[2] = {{static_cast<ULONG>(grid.rows), 1},
                              {static_cast<ULONG>(grid.columns), 1}};
  SafeArrayOwner array(SafeArrayCreate(VT_VARIANT, 2, bounds));
  if (!array.get()) return fail(E_OUTOFMEMORY, "Out of memory");
  {
    SafeArrayData data(array.get());
    if (!data) return fail(E_OUTOFMEMORY, "Out of memory");
    auto* cells = reinterpret_cast<VARIANT*>(data.bytes());
    for (std::size_t r = 0; r < grid.rows; ++r)
      for (std::size_t c = 0; c < grid.columns; ++c)
        if (auto ok = toVariant(grid.at(r, c), cells[r + c * grid.rows]); !ok) return ok;
  }
  out.vt = VT_ARRAY | VT_VARIANT;
  out.parray = array.release();
  return {};
}

struct ToVariant {
  VARIANT& out;

  Result<void> operator()(Empty) const { return {}; }
  Result<void> operator()(Missing) const {
    out.vt = VT_ERROR;
    out.scode = DISP_E_PARAMNOTFOUND;
    return {};
  }
  Result<void> operator()(bool b) const {
    out.vt = VT_BOOL;
    out.boolVal = b ? VARIANT_TRUE : VARIANT_FALSE;
    return {};
  }
  Result<void> operator()(std::int16_t i) const {
    out.vt = VT_I2;
    out.iVal = i;
    return {};
  }
  Result<void> operator()(std::int32_t i) const {
    out.vt = VT_I4;
    out.lVal = i;
    return {};
  }
  Result<void> operator()(double d) const {
    out.vt = VT_R8;
    out.dblVal = d;
    return {};
  }
  Result<void> operator()(const std::string& s) const {
    PLOTMATE_TRY(b, makeBstr(s));
    out.vt = VT_BSTR;
    out.bstrVal = b->release();
    return {};
  }
  Result<void> operator()(CellError e) const {
    out.vt = VT_ERROR;
    out.scode = e.code;
    return {};
  }
  Result<void> operator()(const VariantList& l) const { return listToVariant(l, out); }
  Result<void> operator()(const VariantGrid& g) const { return gridToVariant(g, out); }
  Result<void> operator()(const DispatchPtr& p) const {
    IDispatch* exported = exportObject(p);
    if (p && !exported) return std::unexpected(mismatch("an object of this process, which serves none"));
    out.vt = VT_DISPATCH;
    out.pdispVal = exported;
    return {};
  }
  // Only an argument list can hold an output slot (OutgoingArguments lays it
  // out by reference); as a value it has no meaning.
  Result<void> operator()(OutputSlot) const {
    return std::unexpected(mismatch("an output slot cannot be passed by value"));
  }
};

// ---- VARIANT -> Variant ---------------------------------------------------

// Integers wider than the Variant's own kinds: exact as int32 when they fit.
template <class T>
Variant wideInteger(T value) {
  if constexpr (std::is_signed_v<T>) {
    if (value >= std::numeric_limits<std::int32_t>::min() &&
        value <= std::numeric_limits<std::int32_t>::max())
      return static_cast<std::int32_t>(value);
  } else {
    if (value <= static_cast<T>(std::numeric_limits<std::int32_t>::max()))
      return static_cast<std::int32_t>(value);
  }
  return static_cast<double>(value);
}

Result<Variant> objectFrom(IUnknown* unknown, const HostLinkPtr& link) {
  if (!unknown) return Variant(DispatchPtr{});
  ComPtr<IDispatch> dispatch;
  if (FAILED(unknown->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(dispatch.out()))))
    return std::unexpected(mismatch("an object without IDispatch"));
  return Variant(importObject(dispatch.get(), link));
}

Result<Variant> arrayFrom(SAFEARRAY* array, VARTYPE element, const HostLinkPtr& link);

// A by-value VARIANT's number (or truth value), or the one a by-reference
// VARIANT points at; nothing when it holds no number.
std::optional<Variant> numberFrom(const VARIANT& in) {
  const bool ref = (in.vt & VT_BYREF) != 0;
  switch (in.vt & VT_TYPEMASK) {
    case VT_BOOL: return Variant((ref ? *in.pboolVal : in.boolVal) != VARIANT_FALSE);
    case VT_I1: return Variant(std::int16_t(ref ? *in.pcVal : in.cVal));
    case VT_UI1: return Variant(std::int16_t(ref ? *in.pbVal : in.bVal));
    case VT_I2: return Variant(std::int16_t(ref ? *in.piVal : in.iVal));
    case VT_UI2: return Variant(std::int32_t(ref ? *in.puiVal : in.uiVal));
    case VT_I4: return Variant(std::int32_t(ref ? *in.plVal : in.lVal));
    case VT_INT: return Variant(std::int32_t(ref ? *in.pintVal : in.intVal));
    case VT_UI4: return wideInteger(ref ? *in.pulVal : in.ulVal);
    case VT_UINT: return wideInteger(ref ? *in.puintVal : in.uintVal);
    case VT_I8: return wideInteger(ref ? *in.pllVal : in.llVal);
    case VT_UI8: return wideInteger(ref ? *in.pullVal : in.ullVal);
    case VT_R4: return Variant(double(ref ? *in.pfltVal : in.fltVal));
    case VT_R8: return Variant(ref ? *in.pdblVal : in.dblVal);
    case VT_DATE: return Variant(double(ref ? *in.pdate : in.date));
    case VT_CY: {
      double d = 0;
      VarR8FromCy(ref ? *in.pcyVal : in.cyVal, &d);
      return Variant(d);
    }
    case VT_DECIMAL: {
      double d = 0;
      DECIMAL value = ref ? *in.pdecVal : in.decVal;
      VarR8FromDec(&value, &d);
      return Variant(d);
    }
    default: return std::nullopt;
  }
}

// A by-value VARIANT's scalar, or the one a by-reference VARIANT points at.
Result<Variant> scalarFrom(const VARIANT& in, const HostLinkPtr& link) {
  const bool ref = (in.vt & VT_BYREF) != 0;
  if (ref && !in.byref) return std::unexpected(mismatch("a null reference"));
  if (auto number = numberFrom(in)) return *number;
  switch (in.vt & VT_TYPEMASK) {
    case VT_EMPTY:
    case VT_NULL:
      return Variant();
    case VT_BSTR:
      return Variant(fromBstr(ref ? *in.pbstrVal : in.bstrVal));
    case VT_ERROR: {
      SCODE code = ref ? *in.pscode : in.scode;
      if (code == DISP_E_PARAMNOTFOUND) return Variant(Missing{});
      return Variant(CellError{code});
    }
    case VT_DISPATCH:
      return objectFrom(ref ? *in.ppdispVal : in.pdispVal, link);
    case VT_UNKNOWN:
      return objectFrom(ref ? *in.ppunkVal : in.punkVal, link);
    case VT_VARIANT:
      if (ref && in.pvarVal) return fromVariant(*in.pvarVal, link);
      break;
    default:
      break;
  }
  return fail(DISP_E_BADVARTYPE, "Unsupported " + typeName(in.vt));
}

// Each element is read through a by-reference view of it, so every element
// type goes the same way as a by-reference scalar.
Result<Variant> elementAt(char* data, std::size_t index, std::size_t size, VARTYPE element,
                          const HostLinkPtr& link) {
  VARIANT view;
  VariantInit(&view);
  view.vt = element | VT_BYREF;
  view.byref = data + index * size;
  return scalarFrom(view, link);
}

// The size an element of each readable type has; 0 for any other type.
std::size_t elementSize(VARTYPE element) {
  switch (element) {
    case VT_I1:
    case VT_UI1:
      return 1;
    case VT_I2:
    case VT_UI2:
    case VT_BOOL:
      return 2;
    case VT_I4:
    case VT_UI4:
    case VT_INT:
    case VT_UINT:
    case VT_R4:
    case VT_ERROR:
      return 4;
    case VT_I8:
    case VT_UI8:
    case VT_R8:
    case VT_DATE:
    case VT_CY:
      return 8;
    case VT_DECIMAL:
      return sizeof(DECIMAL);
    case VT_VARIANT:
      return sizeof(VARIANT);
    case VT_BSTR:
    case VT_DISPATCH:
    case VT_UNKNOWN:
      return sizeof(void*);
    default:
      return 0;
  }
}

Result<Variant> arrayFrom(SAFEARRAY* array, VARTYPE element, const HostLinkPtr& link) {
  if (!array) return Variant(VariantList{});
  // An array whose elements are not what its VARIANT says would be misread.
  if (SafeArrayGetElemsize(array) != elementSize(element))
    return std::unexpected(mismatch("an array of " + typeName(element) + " elements"));
  const UINT dims = SafeArrayGetDim(array);
  if (dims != 1 && dims != 2)
    return std::unexpected(mismatch("an array of " + std::to_string(dims) + " dimensions"));
  std::size_t extent[2] = {0, 1};
  for (UINT d = 1; d <= dims; ++d) {
    LONG low = 0, high = -1;
    SafeArrayGetLBound(array, d, &low);
    SafeArrayGetUBound(array, d, &high);
    extent[d - 1] = high >= low ? static_cast<std::size_t>(high - low + 1) : 0;
  }
  const std::size_t size = SafeArrayGetElemsize(array);
  SafeArrayData data(array);
  if (extent[0] * extent[1] == 0 || dims == 1) {
    VariantList list;
    if (dims == 1 && extent[0] > 0) {
      if (!data) return fail(E_UNEXPECTED, "The array's data could not be read");
      list.reserve(extent[0]);
      for (std::size_t i = 0; i < extent[0]; ++i) {
        auto item = elementAt(data.bytes(), i, size, element, link);
        if (!item) return item;
        list.push_back(std::move(*item));
      }
    }
    if (dims == 1) return Variant(std::move(list));
    return Variant(VariantGrid(extent[0], extent[1]));
  }
  if (!data) return fail(E_UNEXPECTED, "The array's data could not be read");
  VariantGrid grid(extent[0], extent[1]);
  for (std::size_t c = 0; c < grid.columns; ++c)
    for (std::size_t r = 0; r < grid.rows; ++r) {
      auto item = elementAt(data.bytes(), r + c * grid.rows, size, element, link);
      if (!item) return item;
      grid.at(r, c) = std::move(*item);
    }
  return Variant(std::move(grid));
}

}  // namespace

Result<void> toVariant(const Variant& value, VARIANT& out) {
  return std::visit(ToVariant{out}, value.storage());
}

Result<Variant> fromVariant(const VARIANT& in, const HostLinkPtr& link) {
  if (in.vt & VT_ARRAY) {
    const VARTYPE element = in.vt & VT_TYPEMASK;
    if ((in.vt & VT_BYREF) && !in.pparray) return std::unexpected(mismatch("a null reference"));
    return arrayFrom((in.vt & VT_BYREF) ? *in.pparray : in.parray, element, link);
  }
  return scalarFrom(in, link);
}

}  // namespace plotmate::com
