#include "sim/drawing/drawing_session.h"

#include "sim/drawing/command_line.h"

namespace plotmate::sim {

DrawingSession::DrawingSession() = default;
DrawingSession::~DrawingSession() = default;

std::string DrawingSession::addEntity(Entity entity) {
  std::string handle = drawing.add(std::move(entity));
  undo.recordAdded(handle);
  return handle;
}

bool DrawingSession::eraseEntity(std::string_view handle) {
  const Entity* e = drawing.find(handle);
  if (!e) return false;
  undo.recordErased(*e);
  return drawing.erase(handle);
}

Entity* DrawingSession::editEntity(std::string_view handle) {
  Entity* e = drawing.find(handle);
  if (e) undo.recordModified(*e);
  return e;
}

CommandLine& DrawingSession::commandLine() {
  if (!commandLine_) commandLine_ = std::make_unique<CommandLine>(*this);
  return *commandLine_;
}

}  // namespace plotmate::sim
