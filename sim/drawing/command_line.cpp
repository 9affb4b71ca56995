#include "sim/drawing/command_line.h"

#include <algorithm>
#include <utility>

#include "hosts/dispatch.h"
#include "sim/drawing/commands.h"
#include "sim/drawing/coords.h"
#include "sim/drawing/typed_input.h"

namespace plotmate::sim {

namespace {

constexpr char kEscape = 27;
constexpr char kCtrlC = 3;

Variant pointValue(Vec3 p) { return VariantList{Variant(p.x), Variant(p.y), Variant(p.z)}; }

std::string upperAscii(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return out;
}

}  // namespace

std::span<const CommandEntry> knownCommands() {
  static const CommandEntry entries[] = {
      {"text", startText},          {"dtext", startText},    {"dt", startText},
      {"-text", startSingleText},   {"circle", startCircle}, {"c", startCircle},
      {"point", startPoint},        {"po", startPoint},      {"line", startLine},
      {"l", startLine},             {"-insert", startInsert}, {"-i", startInsert},
      {"-boundary", startBoundary}, {"-bo", startBoundary},  {"undo", startUndo, false},
      {"u", runU, false},
  };
  return entries;
}

void CommandContext::message(std::string text) const {
  session_.commands.transcript.push_back(std::move(text));
}

std::optional<Vec3> CommandContext::point(std::string_view typed) const {
  auto p = parseTypedPoint(typed, ucs(), session_.variables.point("LASTPOINT"));
  if (p) session_.variables.assign("LASTPOINT", pointValue(*p));
  return p;
}

std::optional<Vec3> CommandContext::requiredPoint(std::string_view typed) const {
  auto p = point(typed);
  if (!p) message("Point or option keyword required.");
  return p;
}

std::string CommandContext::add(Entity entity) const {
  auto layer = session_.variables.get("CLAYER");
  if (layer && layer->is<std::string>()) entity.layer = *layer->getIf<std::string>();
  return session_.addEntity(std::move(entity));
}

CommandLine::CommandLine(DrawingSession& session) : context_(session) {}
CommandLine::~CommandLine() = default;

InputMode CommandLine::mode() const { return active_ ? active_->mode() : InputMode::Word; }

std::string CommandLine::prompt() const { return active_ ? active_->prompt(context_) : "Command:"; }

void CommandLine::send(std::string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == kEscape || c == kCtrlC) {
      cancel();
    } else if (c == '\r' || c == '\n') {
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;  // CR LF: one Enter
      enter(std::exchange(typed_, {}));
    } else if (c == ' ' && mode() == InputMode::Word) {
      enter(std::exchange(typed_, {}));
    } else {
      typed_ += c;
    }
  }
}

void CommandLine::cancel() {
  typed_.clear();
  if (!active_) return;
  context_.message("*Cancel*");
  finishCommand();
}

void CommandLine::enter(std::string answer) {
  std::string shown = prompt();
  context_.message(answer.empty() ? shown : shown + " " + answer);
  if (!active_) {
    startCommand(answer);
    return;
  }
  if (!active_->answer(answer, context_)) finishCommand();
}

void CommandLine::startCommand(std::string_view typed) {
  if (typed.empty()) {
    // Enter at the Command prompt repeats the previous command.
    if (lastCommand_.empty()) return;
    typed = lastCommand_;
  }
  // "_" (the English name) and "." (the built-in command) prefixes, in any
  // order, and "'" (transparent use) name the same command here.
  std::string_view name = typed;
  while (!name.empty() && (name.front() == '_' || name.front() == '.' || name.front() == '\''))
    name.remove_prefix(1);
  const auto commands = knownCommands();
  auto it = std::ranges::find_if(commands,
                                 [&](const CommandEntry& e) { return equalsNoCase(e.name, name); });
  if (it == commands.end()) {
    context_.message("Unknown command \"" + upperAscii(typed) + "\".  Press F1 for help.");
    return;
  }
  lastCommand_ = std::string(typed);
  activeUndoable_ = it->undoable;
  if (activeUndoable_) context_.session().undo.beginCommand();
  active_ = it->make(context_);
  if (!active_) finishCommand();
}

void CommandLine::finishCommand() {
  active_.reset();
  if (activeUndoable_) context_.session().undo.endCommand();
  activeUndoable_ = false;
}

}  // namespace plotmate::sim
