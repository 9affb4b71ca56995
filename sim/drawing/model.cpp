#include "sim/drawing/model.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <optional>

#include "hosts/dispatch.h"

namespace plotmate::sim {

std::string_view objectName(EntityKind kind) {
  switch (kind) {
    case EntityKind::Line: return "AcDbLine";
    case EntityKind::LwPolyline: return "AcDbPolyline";
    case EntityKind::Polyline2d: return "AcDb2dPolyline";
    case EntityKind::Polyline3d: return "AcDb3dPolyline";
    case EntityKind::Circle: return "AcDbCircle";
    case EntityKind::Arc: return "AcDbArc";
    case EntityKind::Text: return "AcDbText";
    case EntityKind::MText: return "AcDbMText";
    case EntityKind::Point: return "AcDbPoint";
    case EntityKind::BlockRef: return "AcDbBlockReference";
    case EntityKind::Region: return "AcDbRegion";
  }
  return "AcDbEntity";
}

namespace {

std::optional<std::uint64_t> parseHandle(std::string_view text) {
  std::uint64_t value = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
  if (text.empty() || ec != std::errc{} || end != text.data() + text.size() || value == 0) {
    return std::nullopt;
  }
  return value;
}

std::string handleKey(std::string_view handle) {
  auto value = parseHandle(handle);
  return value ? handleText(*value) : std::string(handle);
}

}  // namespace

std::string handleText(std::uint64_t value) {
  char buffer[20];
  auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value, 16);
  std::string text(buffer, end);
  for (char& c : text) {
    if (c >= 'a' && c <= 'f') c = static_cast<char>(c - 'a' + 'A');
  }
  return text;
}

std::string Drawing::claimHandle(Entity& entity) {
  auto given = parseHandle(entity.handle);
  if (given && !byHandle_.contains(handleText(*given))) {
    entity.handle = handleText(*given);
    if (*given >= nextHandle_ && *given < UINT64_MAX) nextHandle_ = *given + 1;
  } else {
    while (byHandle_.contains(handleText(nextHandle_))) ++nextHandle_;
    entity.handle = handleText(nextHandle_++);
  }
  return entity.handle;
}

std::string Drawing::add(Entity entity) {
  std::string handle = claimHandle(entity);
  byHandle_.emplace(handle, slots_.size());
  if (orderValid_) order_.push_back(slots_.size());
  slots_.push_back(std::make_unique<Entity>(std::move(entity)));
  ++live_;
  return handle;
}

std::string Drawing::restore(Entity entity, std::size_t position) {
  const auto& live = order();
  if (position >= live.size()) return add(std::move(entity));
  // Insert before the slot of the entity now at that position; the slots
  // behind it move up by one.
  const std::size_t slot = live[position];
  std::string handle = claimHandle(entity);
  for (auto& [key, index] : byHandle_) {
    if (index >= slot) ++index;
  }
  byHandle_.emplace(handle, slot);
  slots_.insert(slots_.begin() + static_cast<std::ptrdiff_t>(slot), std::make_unique<Entity>(std::move(entity)));
  ++live_;
  orderValid_ = false;
  return handle;
}

bool Drawing::erase(std::string_view handle) {
  auto it = byHandle_.find(handleKey(handle));
  if (it == byHandle_.end()) return false;
  slots_[it->second].reset();
  byHandle_.erase(it);
  --live_;
  orderValid_ = false;
  // Compact once most slots are empty so a drawing emptied and refilled
  // does not keep growing.
  if (slots_.size() > 64 && live_ * 2 < slots_.size()) {
    std::vector<std::unique_ptr<Entity>> kept;
    kept.reserve(live_);
    for (auto& slot : slots_) {
      if (slot) {
        byHandle_[slot->handle] = kept.size();
        kept.push_back(std::move(slot));
      }
    }
    slots_ = std::move(kept);
  }
  return true;
}

void Drawing::reserveHandlesBelow(std::uint64_t next) {
  if (next > nextHandle_) nextHandle_ = next;
}

Entity* Drawing::find(std::string_view handle) {
  auto it = byHandle_.find(handleKey(handle));
  return it == byHandle_.end() ? nullptr : slots_[it->second].get();
}

const Entity* Drawing::find(std::string_view handle) const {
  auto it = byHandle_.find(handleKey(handle));
  return it == byHandle_.end() ? nullptr : slots_[it->second].get();
}

std::size_t Drawing::size() const { return live_; }

const std::vector<std::size_t>& Drawing::order() const {
  if (!orderValid_) {
    order_.clear();
    order_.reserve(live_);
    for (std::size_t i = 0; i < slots_.size(); ++i) {
      if (slots_[i]) order_.push_back(i);
    }
    orderValid_ = true;
  }
  return order_;
}

Entity* Drawing::at(std::size_t index) {
  const auto& live = order();
  return index < live.size() ? slots_[live[index]].get() : nullptr;
}

const Entity* Drawing::at(std::size_t index) const {
  const auto& live = order();
  return index < live.size() ? slots_[live[index]].get() : nullptr;
}

std::vector<const Entity*> Drawing::entities() const {
  std::vector<const Entity*> result;
  result.reserve(live_);
  for (const auto& slot : slots_) {
    if (slot) result.push_back(slot.get());
  }
  return result;
}

std::vector<Entity*> Drawing::entities() {
  std::vector<Entity*> result;
  result.reserve(live_);
  for (auto& slot : slots_) {
    if (slot) result.push_back(slot.get());
  }
  return result;
}

void Drawing::defineBlock(BlockDefinition block) {
  std::string key = lowerAscii(block.name);
  blocks_.insert_or_assign(std::move(key), std::move(block));
}

const BlockDefinition* Drawing::block(std::string_view name) const {
  auto it = blocks_.find(lowerAscii(name));
  return it == blocks_.end() ? nullptr : &it->second;
}

std::vector<const BlockDefinition*> Drawing::blocks() const {
  std::vector<const BlockDefinition*> result;
  result.reserve(blocks_.size());
  for (const auto& [key, block] : blocks_) result.push_back(&block);
  // Sorted by name so that saving a drawing is repeatable.
  std::ranges::sort(result, {}, [](const BlockDefinition* b) { return lowerAscii(b->name); });
  return result;
}

}  // namespace plotmate::sim
