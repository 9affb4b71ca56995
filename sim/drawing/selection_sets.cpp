#include "sim/drawing/selection_sets.h"

#include <algorithm>

#include "hosts/dispatch.h"
#include "sim/drawing/acad_errors.h"

namespace plotmate::sim {

void SelectionSet::add(const std::vector<std::string>& more) {
  for (const auto& h : more)
    if (std::ranges::find(handles, h) == handles.end()) handles.push_back(h);
}

bool SelectionSet::remove(std::string_view handle) {
  auto it = std::ranges::find_if(handles, [&](const std::string& h) { return equalsNoCase(h, handle); });
  if (it == handles.end()) return false;
  handles.erase(it);
  return true;
}

std::vector<std::string> SelectionSet::live(const Drawing& drawing) const {
  std::vector<std::string> out;
  out.reserve(handles.size());
  for (const auto& h : handles)
    if (drawing.find(h)) out.push_back(h);
  return out;
}

Result<SelectionSet*> SelectionSetStore::add(std::string_view name) {
  if (find(name)) return std::unexpected(duplicateRecordName());
  auto set = std::make_unique<SelectionSet>();
  set->id = nextId_++;
  set->name = std::string(name);
  sets_.push_back(std::move(set));
  return sets_.back().get();
}

SelectionSet* SelectionSetStore::find(std::string_view name) {
  for (auto& s : sets_)
    if (equalsNoCase(s->name, name)) return s.get();
  return nullptr;
}

SelectionSet* SelectionSetStore::byId(std::uint64_t id) {
  for (auto& s : sets_)
    if (s->id == id) return s.get();
  return nullptr;
}

SelectionSet* SelectionSetStore::at(std::size_t index) {
  return index < sets_.size() ? sets_[index].get() : nullptr;
}

bool SelectionSetStore::remove(std::uint64_t id) {
  return std::erase_if(sets_, [&](const auto& s) { return s->id == id; }) > 0;
}

std::vector<const SelectionSet*> SelectionSetStore::all() const {
  std::vector<const SelectionSet*> out;
  for (const auto& s : sets_) out.push_back(s.get());
  return out;
}

}  // namespace plotmate::sim
