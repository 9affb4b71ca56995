#include "hosts/com/bstr.h"

#include "hosts/utf16.h"

namespace plotmate::com {

std::wstring toWide(std::string_view utf8) { return utf8ToUtf16<wchar_t>(utf8); }

std::string fromWide(std::wstring_view wide) { return utf16ToUtf8<wchar_t>(wide); }

std::string fromBstr(BSTR text) {
  if (!text) return {};
  return fromWide(std::wstring_view(text, SysStringLen(text)));
}

Result<Bstr> makeBstr(std::string_view utf8) {
  std::wstring wide = toWide(utf8);
  Bstr b(SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size())));
  if (!b.get()) return fail(E_OUTOFMEMORY, "Out of memory");
  return b;
}

}  // namespace plotmate::com
