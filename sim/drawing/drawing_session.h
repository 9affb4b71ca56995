#pragma once
// Everything one running drawing host holds: the drawing, the user's queued
// picks, system variables, the command line and its log, undo, selection
// sets and the switches tests use to reach rare host behaviour. The
// automation objects and the command line all work on one session.

#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "sim/drawing/model.h"
#include "sim/drawing/pick_queue.h"
#include "sim/drawing/selection_sets.h"
#include "sim/drawing/sysvars.h"
#include "sim/drawing/undo_journal.h"

namespace plotmate::sim {

class CommandLine;

struct CommandLog {
  std::vector<std::string> sent;        // every SendCommand text, as sent
  std::vector<std::string> transcript;  // the host's text window: prompts, answers, messages
};

// How IntersectWith answers when the two entities do not meet.
enum class NoIntersectionAnswer {
  EmptyArray,  // an array of no elements (UBound -1): what AutoCAD returns
  Empty,       // an Empty value
};

struct DrawingSession {
  DrawingSession();
  ~DrawingSession();
  DrawingSession(const DrawingSession&) = delete;
  DrawingSession& operator=(const DrawingSession&) = delete;

  Drawing drawing;
  PickQueue picks;
  SystemVariables variables;
  CommandLog commands;
  UndoJournal undo;
  SelectionSetStore selectionSets;

  double pickAperture = kDefaultPickAperture;
  // -boundary adds the islands before the outer region (the order a host may
  // produce, which the area tool reports as an error).
  bool boundaryIslandsFirst = false;
  NoIntersectionAnswer noIntersection = NoIntersectionAnswer::EmptyArray;
  std::string documentName = "Drawing1.dwg";
  std::set<std::string> highlighted;  // handles shown highlighted (Highlight true)
  bool visible = true;

  // Changes to the drawing that undo can revert.
  std::string addEntity(Entity entity);
  bool eraseEntity(std::string_view handle);
  // The entity, about to be changed (its present state is kept for undo);
  // null when it does not exist.
  Entity* editEntity(std::string_view handle);

  // The command line, created on first use; it keeps an unfinished command
  // and unterminated input between SendCommand calls, as the host does.
  CommandLine& commandLine();

 private:
  std::unique_ptr<CommandLine> commandLine_;
};

}  // namespace plotmate::sim
