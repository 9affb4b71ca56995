#include "hosts/com/error_text.h"

#include "hosts/com/bstr.h"
#include "win32/owned_handles.h"

namespace plotmate::com {

namespace {

std::string systemText(HRESULT code) {
  win32::OwnedLocal<wchar_t*> buffer;
  DWORD length = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                    FORMAT_MESSAGE_IGNORE_INSERTS,
                                nullptr, static_cast<DWORD>(code), 0,
                                reinterpret_cast<wchar_t*>(&buffer.get()), 0, nullptr);
  std::string text;
  if (length && buffer) text = fromWide(std::wstring_view(buffer.get(), length));
  while (!text.empty() && (text.back() == '\r' || text.back() == '\n' || text.back() == ' '))
    text.pop_back();
  return text;
}

struct KnownCode {
  unsigned code;
  const char* text;
};

// The codes a host call or an attach commonly ends with.
constexpr KnownCode kKnownCodes[] = {
    {0x800401E3u, "Operation unavailable"},  // MK_E_UNAVAILABLE: not in the ROT
    {0x800401F3u, "Invalid class string"},   // CO_E_CLASSSTRING: ProgID unknown
    {0x80040154u, "Class not registered"},
    {0x80010001u, "Call was rejected by callee"},
    {0x8001010Au, "The application is busy"},
    {0x80010108u, "The object invoked has disconnected from its clients"},
    {0x800706BAu, "The RPC server is unavailable"},
    {0x800706BEu, "The remote procedure call failed"},
    {0x80020003u, "Member not found"},
    {0x80020004u, "Parameter not found"},
    {0x80020005u, "Type mismatch"},
    {0x80020006u, "Unknown name"},
    {0x80020007u, "No named arguments"},
    {0x80020008u, "Bad variable type"},
    {0x80020009u, "Exception occurred"},
    {0x8002000Au, "Out of present range"},
    {0x8002000Bu, "Invalid index"},
    {0x8002000Eu, "Invalid number of parameters"},
    {0x8002000Fu, "Parameter not optional"},
};

}  // namespace

std::string hexCode(HRESULT code) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  auto value = static_cast<unsigned long>(code);
  std::string text = "0x00000000";
  for (int i = 9; i >= 2; --i, value >>= 4) text[i] = kDigits[value & 0xF];
  return text;
}

std::string describeHresult(HRESULT code) {
  if (auto text = systemText(code); !text.empty()) return text;
  for (const auto& known : kKnownCodes)
    if (known.code == static_cast<unsigned>(code))
      return std::string(known.text) + " (" + hexCode(code) + ")";
  return "Error " + hexCode(code);
}

Error errorFromHresult(HRESULT code) { return Error{code, describeHresult(code)}; }

Error errorFromExcepInfo(EXCEPINFO& info) {
  if (info.pfnDeferredFillIn) info.pfnDeferredFillIn(&info);
  Bstr source(info.bstrSource);
  Bstr description(info.bstrDescription);
  Bstr helpFile(info.bstrHelpFile);
  info.bstrSource = info.bstrDescription = info.bstrHelpFile = nullptr;
  // A server that reports only the 16-bit wCode means an application error
  // of that number, as VB's Err.Number shows it.
  HRESULT code = info.scode ? info.scode
                 : info.wCode ? static_cast<HRESULT>(0x80040000u | info.wCode)
                              : DISP_E_EXCEPTION;
  std::string text = fromBstr(description.get());
  if (text.empty()) text = describeHresult(code);
  return Error{code, std::move(text)};
}

}  // namespace plotmate::com
