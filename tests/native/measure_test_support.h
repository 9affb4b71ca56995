#pragma once
// A desk for the measuring tools' tests: both stand-in hosts behind the
// in-process broker, the recording desktop, the kept attachments, the
// settings and the main window's state, plus a scratch working directory for
// "DistOut.txt".

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "hosts/acad.h"
#include "tests/native/scratch_directory.h"
#include "measure/measure_desktop.h"
#include "shell/main_form.h"
#include "shell/settings.h"
#include "sim/state/standin_desk.h"

namespace plotmate::measure_testing {

using testing_support::ScratchDirectory;

class MeasureDesk : public ::testing::Test, public sim::StandInDesk {
 protected:
  ScratchDirectory scratch;
  HostSession& session = hosts;
  ToolDesk desk{broker, session, platform};
  Settings settings;
  MainForm mainForm;
  AcadSelectionSet textSet;

  sim::DrawingSession& drawing() { return *acad.session; }
  void pickAt(double x, double y, double z = 0) { drawing().picks.push(sim::PickAnswer::at({x, y, z})); }
  void pickEntity(const std::string& handle) { drawing().picks.push(sim::PickAnswer::entity(handle)); }
  void cancelPick() { drawing().picks.push(sim::PickAnswer::cancel()); }

  std::string addText(std::string text, sim::EntityKind kind = sim::EntityKind::Text) {
    return drawing().addEntity({.kind = kind, .points = {{0, 0, 0}}, .text = std::move(text), .height = 2.5});
  }
  std::string textOf(const std::string& handle) {
    auto* e = drawing().drawing.find(handle);
    return e ? e->text : "(gone)";
  }
  // Prompts in the order shown, each with its outcome.
  std::vector<std::string> prompts() const {
    std::vector<std::string> out;
    for (const auto& p : acad.session->picks.log()) out.push_back(p.method + " " + p.prompt);
    return out;
  }
  std::vector<std::string> acadCalls() const { return calls(*acad.context); }
};

}  // namespace plotmate::measure_testing
