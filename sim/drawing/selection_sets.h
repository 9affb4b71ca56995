#pragma once
// The document's named selection sets: what SelectionSets and each
// SelectionSet object work on. Objects refer to a set by its id, so an object
// kept after its set was deleted fails instead of reaching a new set that
// happens to have the same name.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "base/result.h"
#include "sim/drawing/model.h"

namespace plotmate::sim {

struct SelectionSet {
  std::uint64_t id = 0;
  std::string name;
  std::vector<std::string> handles;  // in the order selected, each once

  // Adds the handles not already in the set, keeping their order.
  void add(const std::vector<std::string>& more);
  // Removes a handle; false when it was not in the set.
  bool remove(std::string_view handle);
  // Members whose entity still exists (an erased entity drops out).
  std::vector<std::string> live(const Drawing& drawing) const;
};

class SelectionSetStore {
 public:
  // A new empty set; fails ("Duplicate record name") when the name, compared
  // without regard to case, is taken, as the host's Add does.
  Result<SelectionSet*> add(std::string_view name);
  SelectionSet* find(std::string_view name);
  SelectionSet* byId(std::uint64_t id);
  SelectionSet* at(std::size_t index);
  std::size_t size() const { return sets_.size(); }
  bool remove(std::uint64_t id);
  // Every set in creation order (for reports).
  std::vector<const SelectionSet*> all() const;

 private:
  std::vector<std::unique_ptr<SelectionSet>> sets_;
  std::uint64_t nextId_ = 1;
};

}  // namespace plotmate::sim
