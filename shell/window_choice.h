#pragma once
// Which top-level window "activate by title" brings forward: the first whose
// title equals the wanted text, else the first whose title begins with it.
// Titles come in the desktop's order (front first), already folded to one
// case by the caller, which knows the platform's case rules.

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace plotmate {

std::optional<std::size_t> ChooseWindowByTitle(std::span<const std::u16string> foldedTitles,
                                               std::u16string_view foldedWanted);

}  // namespace plotmate
