// UNDO and U: revert whole steps (a command, an automation change, or an
// undo group).

#include <cmath>
#include <limits>

#include "format/number_text.h"
#include "sim/drawing/commands.h"

namespace plotmate::sim {

namespace {

void reportUndone(const CommandContext& context, std::size_t steps) {
  context.message(steps == 0 ? "Everything has been undone"
                             : "Undone " + std::to_string(steps) + (steps == 1 ? " step" : " steps"));
}

// A whole count of steps as typed. Any count past what the journal could ever
// hold undoes everything, so the largest ones are held to the largest size
// rather than cast out of range.
std::size_t stepCount(double whole) {
  constexpr auto kMost = std::numeric_limits<std::size_t>::max();
  return whole >= static_cast<double>(kMost) ? kMost : static_cast<std::size_t>(whole);
}

class UndoCommand final : public ActiveCommand {
 public:
  std::string prompt(const CommandContext&) const override {
    return "Enter the number of operations to undo or [Auto/Control/BEgin/End/Mark/Back] <1>:";
  }

  bool answer(std::string_view text, CommandContext& context) override {
    auto& session = context.session();
    if (text.empty()) {
      reportUndone(context, session.undo.undo(session.drawing, 1));
    } else if (auto n = parseNumberText(text)) {
      if (!(*n >= 1) || *n != std::floor(*n)) {
        context.message("Requires a positive integer.");
        return true;
      }
      reportUndone(context, session.undo.undo(session.drawing, stepCount(*n)));
    } else if (isKeyword(text, "BEgin", 2)) {
      session.undo.beginGroup();
    } else if (isKeyword(text, "End", 1)) {
      session.undo.endGroup();
    } else if (isKeyword(text, "Mark", 1)) {
      session.undo.mark();
    } else if (isKeyword(text, "Back", 1)) {
      reportUndone(context, session.undo.undoToMark(session.drawing));
    } else if (isKeyword(text, "Auto", 1) || isKeyword(text, "Control", 1)) {
      context.message("The UNDO settings are fixed in the drawing stand-in.");
    } else {
      context.message("Requires an integer value or option keyword.");
      return true;
    }
    return false;
  }
};

}  // namespace

std::unique_ptr<ActiveCommand> startUndo(CommandContext&) {
  return std::make_unique<UndoCommand>();
}

std::unique_ptr<ActiveCommand> runU(CommandContext& context) {
  auto& session = context.session();
  std::size_t undone = session.undo.undo(session.drawing, 1);
  context.message(undone ? "U" : "Everything has been undone");
  return nullptr;
}

}  // namespace plotmate::sim
