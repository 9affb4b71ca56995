#pragma once
// Owner of one reference to a COM interface: Release on destruction, AddRef
// on copy. Interfaces are asked for by IID explicitly (no compiler extensions).

#include <windows.h>

#include <unknwn.h>

#include <utility>

namespace plotmate::com {

template <class T>
class ComPtr {
 public:
  ComPtr() = default;
  // Takes over a reference the caller already owns (an out parameter's).
  static ComPtr adopt(T* p) {
    ComPtr r;
    r.p_ = p;
    return r;
  }
  // Adds a reference of its own.
  static ComPtr share(T* p) {
    if (p) p->AddRef();
    return adopt(p);
  }

  ComPtr(const ComPtr& other) : p_(other.p_) {
    if (p_) p_->AddRef();
  }
  ComPtr(ComPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
  ComPtr& operator=(ComPtr other) noexcept {
    std::swap(p_, other.p_);
    return *this;
  }
  ~ComPtr() { reset(); }

  void reset() {
    if (auto p = std::exchange(p_, nullptr)) p->Release();
  }
  // For an out parameter: drops the current reference first.
  T** out() {
    reset();
    return &p_;
  }
  // Hands the reference to the caller.
  T* release() { return std::exchange(p_, nullptr); }

  T* get() const { return p_; }
  T* operator->() const { return p_; }
  explicit operator bool() const { return p_ != nullptr; }

  template <class U>
  HRESULT query(REFIID iid, ComPtr<U>& target) const {
    if (!p_) return E_POINTER;
    return p_->QueryInterface(iid, reinterpret_cast<void**>(target.out()));
  }

 private:
  T* p_ = nullptr;
};

// QueryInterface of an object of ours that offers IUnknown and one interface.
template <class Offered>
HRESULT QueryOne(Offered* self, REFIID asked, REFIID offered, void** out) {
  if (!out) return E_POINTER;
  if (IsEqualGUID(asked, IID_IUnknown) || IsEqualGUID(asked, offered)) {
    *out = self;
    self->AddRef();
    return S_OK;
  }
  *out = nullptr;
  return E_NOINTERFACE;
}

}  // namespace plotmate::com
