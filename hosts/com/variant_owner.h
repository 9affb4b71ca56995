#pragma once
// Owners for VARIANT and SAFEARRAY, and a scoped lock on an array's data.

#include <windows.h>

#include <oleauto.h>

#include <utility>

namespace plotmate::com {

class VariantOwner {
 public:
  VariantOwner() { VariantInit(&v_); }
  VariantOwner(const VariantOwner&) = delete;
  VariantOwner& operator=(const VariantOwner&) = delete;
  VariantOwner(VariantOwner&& other) noexcept : v_(other.v_) { VariantInit(&other.v_); }
  VariantOwner& operator=(VariantOwner&& other) noexcept {
    std::swap(v_, other.v_);
    return *this;
  }
  ~VariantOwner() { VariantClear(&v_); }

  VARIANT& get() { return v_; }
  const VARIANT& get() const { return v_; }
  // Hands the contents to the caller, leaving this empty.
  VARIANT release() {
    VARIANT r = v_;
    VariantInit(&v_);
    return r;
  }

 private:
  VARIANT v_;
};

class SafeArrayOwner {
 public:
  explicit SafeArrayOwner(SAFEARRAY* a = nullptr) : a_(a) {}
  SafeArrayOwner(const SafeArrayOwner&) = delete;
  SafeArrayOwner& operator=(const SafeArrayOwner&) = delete;
  ~SafeArrayOwner() {
    if (a_) SafeArrayDestroy(a_);
  }
  SAFEARRAY* get() const { return a_; }
  SAFEARRAY* release() { return std::exchange(a_, nullptr); }

 private:
  SAFEARRAY* a_;
};

// SafeArrayAccessData for the length of a scope.
class SafeArrayData {
 public:
  explicit SafeArrayData(SAFEARRAY* a) : a_(a) {
    if (FAILED(SafeArrayAccessData(a_, &data_))) data_ = nullptr;
  }
  SafeArrayData(const SafeArrayData&) = delete;
  SafeArrayData& operator=(const SafeArrayData&) = delete;
  ~SafeArrayData() {
    if (data_) SafeArrayUnaccessData(a_);
  }
  explicit operator bool() const { return data_ != nullptr; }
  char* bytes() const { return static_cast<char*>(data_); }

 private:
  SAFEARRAY* a_;
  void* data_ = nullptr;
};

}  // namespace plotmate::com
