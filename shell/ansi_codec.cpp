#include "shell/ansi_codec.h"

#include <windows.h>

#include <charconv>
#include <climits>

namespace plotmate {

namespace {

std::string decimal(unsigned long value) {
  char buffer[24];
  auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
  return std::string(buffer, end);
}

std::unexpected<Error> conversionFailure(UINT codePage) {
  const DWORD error = GetLastError();
  return fail(static_cast<std::int32_t>(HRESULT_FROM_WIN32(error)),
              "Text could not be converted with code page " + decimal(codePage) +
                  " (system error " + decimal(error) + ").");
}

// Flags that only some code pages accept: retried without them when refused.
bool flagsRefused() {
  const DWORD error = GetLastError();
  return error == ERROR_INVALID_FLAGS || error == ERROR_INVALID_PARAMETER;
}

Result<std::wstring> widen(UINT codePage, std::string_view bytes, bool& lossy) {
  if (bytes.empty()) return std::wstring();
  if (bytes.size() > INT_MAX) return fail(hr::kInvalidArg, "Text too long to convert.");
  const int size = static_cast<int>(bytes.size());
  DWORD flags = MB_ERR_INVALID_CHARS;
  int length = MultiByteToWideChar(codePage, flags, bytes.data(), size, nullptr, 0);
  if (length == 0) {
    // Invalid bytes: convert anyway, each becoming a stand-in character.
    const bool invalidBytes = GetLastError() == ERROR_NO_UNICODE_TRANSLATION;
    if (!invalidBytes && !flagsRefused()) return conversionFailure(codePage);
    lossy = lossy || invalidBytes;
    flags = 0;
    length = MultiByteToWideChar(codePage, flags, bytes.data(), size, nullptr, 0);
    if (length == 0) return conversionFailure(codePage);
  }
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  if (MultiByteToWideChar(codePage, flags, bytes.data(), size, wide.data(), length) == 0)
    return conversionFailure(codePage);
  return wide;
}

Result<std::string> narrow(UINT codePage, std::wstring_view wide, bool& lossy) {
  if (wide.empty()) return std::string();
  if (wide.size() > INT_MAX) return fail(hr::kInvalidArg, "Text too long to convert.");
  const int size = static_cast<int>(wide.size());
  // UTF-8 has a character for everything and takes neither option.
  const bool reportable = codePage != CP_UTF8;
  DWORD flags = reportable ? WC_NO_BEST_FIT_CHARS : 0;
  BOOL usedDefault = FALSE;
  BOOL* usedDefaultOut = reportable ? &usedDefault : nullptr;
  int length = WideCharToMultiByte(codePage, flags, wide.data(), size, nullptr, 0, nullptr,
                                   usedDefaultOut);
  if (length == 0) {
    if (!flagsRefused()) return conversionFailure(codePage);
    flags = 0;
    usedDefaultOut = nullptr;
    length = WideCharToMultiByte(codePage, flags, wide.data(), size, nullptr, 0, nullptr, nullptr);
    if (length == 0) return conversionFailure(codePage);
  }
  std::string bytes(static_cast<std::size_t>(length), '\0');
  if (WideCharToMultiByte(codePage, flags, wide.data(), size, bytes.data(), length, nullptr,
                          usedDefaultOut) == 0)
    return conversionFailure(codePage);
  lossy = lossy || usedDefault;
  return bytes;
}

UINT effectiveCodePage(unsigned codePage) {
  return codePage == AnsiCodec::kSystemCodePage ? GetACP() : codePage;
}

}  // namespace

Result<ConvertedText> AnsiCodec::toFile(std::string_view utf8) const {
  const UINT codePage = effectiveCodePage(codePage_);
  if (codePage == CP_UTF8) return repairUtf8(utf8);  // a system set to UTF-8
  ConvertedText out;
  PLOTMATE_TRY(wide, widen(CP_UTF8, utf8, out.lossy));
  PLOTMATE_TRY(bytes, narrow(codePage, *wide, out.lossy));
  out.text = std::move(*bytes);
  return out;
}

Result<ConvertedText> AnsiCodec::fromFile(std::string_view bytes) const {
  const UINT codePage = effectiveCodePage(codePage_);
  if (codePage == CP_UTF8) return repairUtf8(bytes);
  ConvertedText out;
  PLOTMATE_TRY(wide, widen(codePage, bytes, out.lossy));
  PLOTMATE_TRY(utf8, narrow(CP_UTF8, *wide, out.lossy));
  out.text = std::move(*utf8);
  return out;
}

}  // namespace plotmate
