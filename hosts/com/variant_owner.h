#pragma once
// Owners for VARIANT and SAFEARRAY, and a scoped lock on an array's data.

#include <windows.h>

#include <oleauto.h>

#include "base/unique_owner.h"

namespace plotmate::com {

inline void clearVariant(VARIANT& value) { VariantClear(&value); }
// A VARIANT of our own, Empty at first (a zeroed VARIANT is VT_EMPTY),
// cleared when it goes.
using VariantOwner = UniqueOwner<VARIANT, &clearVariant>;

inline void destroySafeArray(SAFEARRAY* array) { SafeArrayDestroy(array); }
using SafeArrayOwner = UniqueOwner<SAFEARRAY*, &destroySafeArray>;

inline void unaccessData(SAFEARRAY* array) { SafeArrayUnaccessData(array); }

// SafeArrayAccessData for the length of a scope: false when the data could
// not be reached.
class SafeArrayData {
 public:
  explicit SafeArrayData(SAFEARRAY* array) {
    void* data = nullptr;
    if (FAILED(SafeArrayAccessData(array, &data))) return;
    accessed_.reset(array);
    data_ = static_cast<char*>(data);
  }
  explicit operator bool() const { return accessed_.owns(); }
  char* bytes() const { return data_; }

 private:
  UniqueOwner<SAFEARRAY*, &unaccessData> accessed_;  // the array, while its data is accessed
  char* data_ = nullptr;
};

}  // namespace plotmate::com
