#include "sim/apps/standin_window.h"

namespace plotmate::sim {

std::string saveOnRequest(const SaveTarget& target) {
  const auto utf8 = target.file.u8string();
  const std::string name(utf8.begin(), utf8.end());
  if (!target.save) return "Cannot save " + name;
  auto saved = target.save(target.file);
  if (!saved) return "Cannot save " + name + ": " + saved.error().description;
  return "Saved " + name;
}

}  // namespace plotmate::sim
