#include "sim/drawing/undo_journal.h"

#include <utility>

namespace plotmate::sim {

void UndoJournal::beginGroup() {
  endGroup();
  steps_.emplace_back();
  groupOpen_ = true;
}

void UndoJournal::endGroup() {
  if (!groupOpen_) return;
  groupOpen_ = false;
  if (steps_.back().actions.empty()) steps_.pop_back();  // an empty group is no step
}

void UndoJournal::beginCommand() {
  if (commandDepth_++ > 0 || groupOpen_) return;
  steps_.emplace_back();
  commandStepOpen_ = true;
}

void UndoJournal::endCommand() {
  if (commandDepth_ == 0 || --commandDepth_ > 0) return;
  if (commandStepOpen_ && steps_.back().actions.empty()) steps_.pop_back();
  commandStepOpen_ = false;
}

void UndoJournal::record(Action action) {
  if (!groupOpen_ && !commandStepOpen_) steps_.emplace_back();
  steps_.back().actions.push_back(std::move(action));
}

void UndoJournal::recordAdded(const std::string& handle) {
  record({Action::Kind::Added, handle, {}});
}

void UndoJournal::recordErased(const Entity& before) {
  record({Action::Kind::Erased, before.handle, before});
}

void UndoJournal::recordModified(const Entity& before) {
  record({Action::Kind::Modified, before.handle, before});
}

void UndoJournal::mark() {
  endGroup();
  Step step;
  step.isMark = true;
  steps_.push_back(std::move(step));
}

void UndoJournal::revert(Drawing& drawing, const Step& step) {
  for (auto it = step.actions.rbegin(); it != step.actions.rend(); ++it) {
    switch (it->kind) {
      case Action::Kind::Added:
        drawing.erase(it->handle);
        break;
      case Action::Kind::Erased:
        // Comes back under its own handle, so objects that refer to it work again.
        drawing.add(it->before);
        break;
      case Action::Kind::Modified:
        if (Entity* e = drawing.find(it->handle)) *e = it->before;
        break;
    }
  }
}

std::size_t UndoJournal::undo(Drawing& drawing, std::size_t steps) {
  endGroup();
  std::size_t done = 0;
  while (done < steps && !steps_.empty()) {
    revert(drawing, steps_.back());
    steps_.pop_back();
    ++done;
  }
  return done;
}

std::size_t UndoJournal::undoToMark(Drawing& drawing) {
  endGroup();
  std::size_t done = 0;
  while (!steps_.empty()) {
    bool wasMark = steps_.back().isMark;
    revert(drawing, steps_.back());
    steps_.pop_back();
    if (wasMark) break;
    ++done;
  }
  return done;
}

}  // namespace plotmate::sim
