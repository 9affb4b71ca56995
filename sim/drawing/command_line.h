#pragma once
// The drawing host's command line: text sent with SendCommand is typed into
// it, synchronously. Enter (CR or LF; CR LF counts once) ends an answer; a
// blank ends one too, except where the prompt takes free text (text lines,
// attribute values). Esc (char 27) or Ctrl+C (char 3) cancels the running
// command. Input not yet ended, and a command still waiting for answers,
// carry over to the next SendCommand as they do in the host.

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "sim/drawing/drawing_session.h"

namespace plotmate::sim {

enum class InputMode {
  Word,  // a blank or Enter ends the answer
  Line,  // only Enter ends it: the answer may hold blanks
};

class CommandContext;

// One running command: a small state machine fed one answer at a time.
class ActiveCommand {
 public:
  virtual ~ActiveCommand() = default;
  // The prompt the command waits at, as the host shows it.
  virtual std::string prompt(const CommandContext& context) const = 0;
  virtual InputMode mode() const { return InputMode::Word; }
  // Takes one answer (possibly empty); returns false once the command is done.
  virtual bool answer(std::string_view text, CommandContext& context) = 0;
};

// What commands may use: the session, the transcript and typed points.
class CommandContext {
 public:
  explicit CommandContext(DrawingSession& session) : session_(session) {}
  DrawingSession& session() const { return session_; }
  const Ucs& ucs() const { return session_.drawing.ucs; }
  // A line of the host's text window.
  void message(std::string text) const;
  // A typed point in UCS coordinates; becomes the last point (LASTPOINT).
  std::optional<Vec3> point(std::string_view typed) const;
  // The same where only a point will do: anything else gets the host's
  // "Point or option keyword required." and the prompt stands.
  std::optional<Vec3> requiredPoint(std::string_view typed) const;
  // Adds an entity on the current layer (CLAYER); returns its handle.
  std::string add(Entity entity) const;

  // Defaults commands remember from one use to the next.
  struct Memory {
    std::optional<double> circleRadius;
    double textRotationDegrees = 0;
  };
  Memory& memory() const { return memory_; }

 private:
  mutable Memory memory_;
  DrawingSession& session_;
};

class CommandLine {
 public:
  explicit CommandLine(DrawingSession& session);
  ~CommandLine();
  CommandLine(const CommandLine&) = delete;
  CommandLine& operator=(const CommandLine&) = delete;

  // Types the text; every answer it completes is taken at once.
  void send(std::string_view text);
  // Esc: ends the running command and drops input not yet entered.
  void cancel();
  // Whether a command waits for more input.
  bool busy() const { return active_ != nullptr; }
  // The prompt the command line shows now ("Command:" when idle).
  std::string prompt() const;
  // Typed text not yet ended by Enter or a blank.
  const std::string& unfinishedInput() const { return typed_; }

 private:
  void enter(std::string answer);
  void startCommand(std::string_view typed);
  void finishCommand();
  InputMode mode() const;

  CommandContext context_;
  std::unique_ptr<ActiveCommand> active_;
  bool activeUndoable_ = false;
  std::string typed_;
  std::string lastCommand_;
};

}  // namespace plotmate::sim
