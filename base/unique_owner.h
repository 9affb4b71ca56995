#pragma once
// One owner for every resource closed by a single call: a handle, a font, a
// menu, a string, a variant, a lock. Move-only; the close function runs once,
// when the owner is reset or goes out of scope, and never on the empty value.
//
//   using OwnedMenu = UniqueOwner<HMENU, &DestroyMenu>;
//
// `Close` is called with the held value as an lvalue, so a close function may
// take it by value (CloseHandle) or by reference (a VARIANT cleared in place).
// `Empty()` gives the value that owns nothing; a type whose empty value is not
// its default names a function that makes it.

#include <type_traits>
#include <utility>

namespace plotmate {

template <class T>
constexpr T defaultEmpty() {
  return T{};
}

template <class T, auto Close, auto Empty = &defaultEmpty<T>>
class UniqueOwner {
 public:
  UniqueOwner() noexcept : value_(Empty()) {}
  explicit UniqueOwner(T value) noexcept : value_(std::move(value)) {}
  UniqueOwner(const UniqueOwner&) = delete;
  UniqueOwner& operator=(const UniqueOwner&) = delete;
  UniqueOwner(UniqueOwner&& other) noexcept : value_(other.release()) {}
  UniqueOwner& operator=(UniqueOwner&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  ~UniqueOwner() { close(); }

  T& get() noexcept { return value_; }
  const T& get() const noexcept { return value_; }
  bool owns() const { return !isEmpty(value_); }
  explicit operator bool() const { return owns(); }

  // Hands the value to the caller, who closes it; this owner is left empty.
  T release() noexcept { return std::exchange(value_, Empty()); }
  // Closes what is held and takes `value` instead.
  void reset(T value = Empty()) noexcept {
    close();
    value_ = std::move(value);
  }

 private:
  static bool isEmpty(const T& value) {
    if constexpr (std::is_scalar_v<T>) {
      return value == Empty();
    } else {
      return false;  // an aggregate (a VARIANT) is closed whatever it holds
    }
  }
  void close() noexcept {
    if (!isEmpty(value_)) Close(value_);
  }

  T value_;
};

}  // namespace plotmate
