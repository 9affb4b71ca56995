#pragma once
// A drawing in a scenario, and what the drawing host reports after a run.
//
// "drawing": {"dxf": FILE, "entities": [...], "ucs": {...},
//             "boundaryIslandsFirst": true, "noIntersection": "empty"}
// "picks": [{"point": [x, y, z]}, {"entity": "1A3"}, {"selection": ["1A3"]},
//           {"cancel": true}, {"enter": true}]

#include "sim/drawing/drawing_session.h"
#include "sim/state/state_json.h"

namespace plotmate::scenario {

// Fills the session from the scenario's "drawing" and "picks"; returns the
// notes of a loaded DXF (what it left out).
std::vector<std::string> loadDrawing(const Json& spec, const std::filesystem::path& sourceDir,
                                     sim::DrawingSession& session);
// Adds a "picks" list to the session's pick queue.
void queuePicks(const Json& picks, sim::DrawingSession& session);
Json entityJson(const sim::Entity& entity);
// Entities (unless `entities` is false), selection sets, the system variables
// the tools set, prompts and commands.
Json drawingJson(const sim::DrawingSession& session, bool entities = true);

}  // namespace plotmate::scenario
