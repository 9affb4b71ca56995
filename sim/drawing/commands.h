#pragma once
// The commands the stand-in's command line knows. Each factory starts its
// command and returns it, or returns null when the command finished at once.

#include <memory>
#include <span>
#include <string_view>

#include "sim/drawing/command_line.h"

namespace plotmate::sim {

using CommandFactory = std::unique_ptr<ActiveCommand> (*)(CommandContext&);

struct CommandEntry {
  std::string_view name;  // as typed, lower case (aliases are entries of their own)
  CommandFactory make;
  bool undoable = true;   // its changes form one undo step
};

// The extrusion direction of entities drawn in the current UCS: its Z axis.
Vec3 ucsNormal(const Ucs& ucs);
// An angle typed in degrees from the UCS X axis, as the radians from the X
// axis of the entity system of `normal` that text and blocks store.
double ocsRotation(const Ucs& ucs, Vec3 normal, double ucsDegrees);
// Whether an answer is one of a prompt's keywords: the whole word or the
// capitalised part the host accepts as its abbreviation.
bool isKeyword(std::string_view answer, std::string_view keyword, std::size_t shortest);

// Every command name and alias the command line accepts.
std::span<const CommandEntry> knownCommands();

// Drawing commands (draw_commands.cpp).
std::unique_ptr<ActiveCommand> startText(CommandContext& context);        // TEXT, DTEXT: lines until an empty one
std::unique_ptr<ActiveCommand> startSingleText(CommandContext& context);  // -TEXT: one line
std::unique_ptr<ActiveCommand> startCircle(CommandContext& context);
std::unique_ptr<ActiveCommand> startPoint(CommandContext& context);
std::unique_ptr<ActiveCommand> startLine(CommandContext& context);
// -INSERT (insert_command.cpp).
std::unique_ptr<ActiveCommand> startInsert(CommandContext& context);
// -BOUNDARY (boundary_command.cpp).
std::unique_ptr<ActiveCommand> startBoundary(CommandContext& context);
// UNDO and U (undo_commands.cpp).
std::unique_ptr<ActiveCommand> startUndo(CommandContext& context);
std::unique_ptr<ActiveCommand> runU(CommandContext& context);

}  // namespace plotmate::sim
