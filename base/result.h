#pragma once
// Errors between layers are values, never exceptions: every host call and
// every fallible helper returns Result<T>.

#include <cstdint>
#include <expected>
#include <string>
#include <utility>

namespace plotmate {

// An HRESULT-style code with the platform's description of it. For a refused
// argument (type mismatch, overflow) `argument` is its position, 0-based in
// source order; otherwise -1.
struct Error {
  std::int32_t code = 0;
  std::string description;
  std::int32_t argument = -1;
  bool operator==(const Error&) const = default;
};

template <class T>
using Result = std::expected<T, Error>;

inline std::unexpected<Error> fail(std::int32_t code, std::string description) {
  return std::unexpected(Error{code, std::move(description)});
}

// The COM codes the tools and stand-ins speak in.
namespace hr {
inline constexpr std::int32_t kFail = static_cast<std::int32_t>(0x80004005u);
inline constexpr std::int32_t kInvalidArg = static_cast<std::int32_t>(0x80070057u);
inline constexpr std::int32_t kUnknownName = static_cast<std::int32_t>(0x80020006u);
inline constexpr std::int32_t kTypeMismatch = static_cast<std::int32_t>(0x80020005u);
inline constexpr std::int32_t kBadParamCount = static_cast<std::int32_t>(0x8002000Eu);
inline constexpr std::int32_t kMemberNotFound = static_cast<std::int32_t>(0x80020003u);
inline constexpr std::int32_t kOverflow = static_cast<std::int32_t>(0x8002000Au);
inline constexpr std::int32_t kParamNotFound = static_cast<std::int32_t>(0x80020004u);
inline constexpr std::int32_t kBadVarType = static_cast<std::int32_t>(0x80020008u);
inline constexpr std::int32_t kNotACollection = static_cast<std::int32_t>(0x80020011u);
inline constexpr std::int32_t kException = static_cast<std::int32_t>(0x80020009u);
inline constexpr std::int32_t kOperationUnavailable = static_cast<std::int32_t>(0x800401E3u);
// VB's run-time error 91: a member called on a variable that holds no object.
inline constexpr std::int32_t kObjectNotSet = static_cast<std::int32_t>(0x800A005Bu);
}  // namespace hr

}  // namespace plotmate

// Declares `name` as the result of an expression and, when it failed, returns its
// error from the enclosing function (which returns some Result<U>). The
// expression may hold top-level commas (a template's arguments).
#define PLOTMATE_TRY(name, ...) \
  auto name = (__VA_ARGS__);    \
  if (!name) return std::unexpected(std::move(name).error())

// Returns the error of a result (a name, or a call made once), when it failed,
// from the enclosing function.
#define PLOTMATE_RETURN_IF_FAILED(...)                                      \
  do {                                                                      \
    if (const auto& plotmate_result_ = (__VA_ARGS__); !plotmate_result_)    \
      return std::unexpected(plotmate_result_.error());                     \
  } while (false)
