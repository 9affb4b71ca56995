#include "shell/window_choice.h"

namespace plotmate {

std::optional<std::size_t> ChooseWindowByTitle(std::span<const std::u16string> foldedTitles,
                                               std::u16string_view foldedWanted) {
  // An empty title would match every window by prefix: nothing to bring forward.
  if (foldedWanted.empty()) return std::nullopt;
  for (std::size_t i = 0; i < foldedTitles.size(); ++i)
    if (foldedTitles[i] == foldedWanted) return i;
  for (std::size_t i = 0; i < foldedTitles.size(); ++i)
    if (foldedTitles[i].starts_with(foldedWanted)) return i;
  return std::nullopt;
}

}  // namespace plotmate
