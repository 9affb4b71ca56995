#pragma once
// The calling thread's COM apartment for the length of a scope:
// single-threaded, as a window's thread needs.

#include <windows.h>

#include <objbase.h>

#include "base/unique_owner.h"

namespace plotmate::com {

// CoUninitialize balances every CoInitializeEx that succeeded, S_FALSE included.
inline void leaveApartment(HRESULT entered) {
  if (SUCCEEDED(entered)) CoUninitialize();
}
inline HRESULT notEntered() { return CO_E_NOTINITIALIZED; }

class ComApartment {
 public:
  ComApartment() : entered_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
  // S_OK or S_FALSE (already initialised the same way) mean usable.
  HRESULT status() const { return entered_.get(); }
  bool ok() const { return SUCCEEDED(status()); }

 private:
  UniqueOwner<HRESULT, &leaveApartment, &notEntered> entered_;
};

}  // namespace plotmate::com
