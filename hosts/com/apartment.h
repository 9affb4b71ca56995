#pragma once
// The calling thread's COM apartment for the length of a scope:
// single-threaded, as a window's thread needs.

#include <windows.h>

#include <objbase.h>

namespace plotmate::com {

class ComApartment {
 public:
  ComApartment() : hr_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;
  ~ComApartment() {
    if (SUCCEEDED(hr_)) CoUninitialize();
  }
  // S_OK or S_FALSE (already initialised the same way) mean usable.
  HRESULT status() const { return hr_; }
  bool ok() const { return SUCCEEDED(hr_); }

 private:
  HRESULT hr_;
};

}  // namespace plotmate::com
