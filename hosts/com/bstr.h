#pragma once
// BSTR ownership and the UTF-8 <-> UTF-16 edge: every text crosses COM and
// Win32 as UTF-16 and lives inside the program as UTF-8.

#include <windows.h>

#include <oleauto.h>

#include <string>
#include <string_view>
#include <utility>

#include "base/result.h"

namespace plotmate::com {

class Bstr {
 public:
  Bstr() = default;
  static Bstr adopt(BSTR b) {
    Bstr r;
    r.b_ = b;
    return r;
  }
  Bstr(const Bstr&) = delete;
  Bstr& operator=(const Bstr&) = delete;
  Bstr(Bstr&& other) noexcept : b_(std::exchange(other.b_, nullptr)) {}
  Bstr& operator=(Bstr&& other) noexcept {
    std::swap(b_, other.b_);
    return *this;
  }
  ~Bstr() { SysFreeString(b_); }

  BSTR get() const { return b_; }
  BSTR release() { return std::exchange(b_, nullptr); }

 private:
  BSTR b_ = nullptr;
};

std::wstring toWide(std::string_view utf8);
std::string fromWide(std::wstring_view wide);
// A BSTR's whole length counts (it may hold NULs); a null BSTR is "".
std::string fromBstr(BSTR text);
// Fails only when memory runs out.
Result<Bstr> makeBstr(std::string_view utf8);

}  // namespace plotmate::com
