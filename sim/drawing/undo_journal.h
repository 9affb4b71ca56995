#pragma once
// Undo for the drawing stand-in: every change to the drawing is recorded as
// an action; actions form steps (one command, one automation call, or a whole
// StartUndoMark/EndUndoMark group), and an undo reverts whole steps.

#include <cstddef>
#include <string>
#include <vector>

#include "sim/drawing/model.h"

namespace plotmate::sim {

class UndoJournal {
 public:
  // An undo group (StartUndoMark, UNDO Begin). As the host does, a Begin
  // while a group is open ends that group and starts a new one; an End
  // without an open group does nothing.
  void beginGroup();
  void endGroup();
  bool groupOpen() const { return groupOpen_; }

  // One command: its changes form one step unless a group is open.
  void beginCommand();
  void endCommand();

  // Changes, recorded after they happened (added, erased) or before (modified).
  void recordAdded(const std::string& handle);
  void recordErased(const Entity& before);
  void recordModified(const Entity& before);

  // UNDO Mark: a step that UNDO Back stops at.
  void mark();

  // Reverts up to `steps` steps, newest first; an open group is closed
  // first. Marks count as steps of their own. Returns the steps reverted.
  std::size_t undo(Drawing& drawing, std::size_t steps);
  // Reverts every step back to the newest mark (which is consumed), or
  // everything when there is no mark. Returns the steps reverted.
  std::size_t undoToMark(Drawing& drawing);
  // Steps that can be undone (marks included).
  std::size_t steps() const { return steps_.size(); }

 private:
  struct Action {
    enum class Kind { Added, Erased, Modified } kind;
    std::string handle;
    Entity before;  // Erased, Modified
  };
  struct Step {
    std::vector<Action> actions;
    bool isMark = false;
  };
  void record(Action action);
  static void revert(Drawing& drawing, const Step& step);
  std::vector<Step> steps_;
  bool groupOpen_ = false;
  int commandDepth_ = 0;
  bool commandStepOpen_ = false;
};

}  // namespace plotmate::sim
