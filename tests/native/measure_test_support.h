#pragma once
// A desk for the measuring tools' tests: both stand-in hosts behind the
// in-process broker, the recording desktop, the kept attachments, the
// settings and the main window's state, plus a scratch working directory for
// "DistOut.txt".

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "hosts/acad.h"
#include "hosts/attach.h"
#include "measure/measure_desktop.h"
#include "shell/main_form.h"
#include "shell/settings.h"
#include "sim/drawing/acad_application.h"
#include "sim/drawing/drawing_session.h"
#include "sim/recording_platform.h"
#include "sim/sheet/excel_objects.h"
#include "sim/standin_broker.h"

namespace plotmate::measure_testing {

// The tools write "DistOut.txt" into the current directory: each test gets
// a fresh one and the previous one back afterwards.
class ScratchDirectory {
 public:
  ScratchDirectory() {
    dir_ = std::filesystem::temp_directory_path() /
           ("plotmate-measure-" + std::to_string(std::random_device{}()));
    std::filesystem::create_directories(dir_);
    previous_ = std::filesystem::current_path();
    std::filesystem::current_path(dir_);
  }
  ~ScratchDirectory() {
    std::filesystem::current_path(previous_);
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
  }
  ScratchDirectory(const ScratchDirectory&) = delete;
  ScratchDirectory& operator=(const ScratchDirectory&) = delete;

  // The output file's bytes; "(none)" when it was never created.
  std::string outputFile() const {
    std::ifstream in(dir_ / "DistOut.txt", std::ios::binary);
    if (!in) return "(none)";
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
  }
  const std::filesystem::path& path() const { return dir_; }

 private:
  std::filesystem::path dir_, previous_;
};

class MeasureDesk : public ::testing::Test {
 protected:
  ScratchDirectory scratch;
  std::shared_ptr<sim::Worksheet> sheet = std::make_shared<sim::Worksheet>();
  sim::ExcelStandIn excel = sim::makeExcelStandIn(sheet);
  sim::AcadStandIn acad = sim::makeAcadStandIn();
  sim::StandInBroker broker;
  sim::RecordingPlatform platform;
  HostSession session;
  ToolDesk desk{broker, session, platform};
  Settings settings;
  MainForm mainForm;
  AcadSelectionSet textSet;

  MeasureDesk() {
    broker.setRunning(kAcadProgId, acad.application);
    broker.setRunning(kExcelProgId, excel.application);
  }

  sim::DrawingSession& drawing() { return *acad.session; }
  // Attaches both hosts as the tool buttons do, then forgets those calls.
  void attach(bool excelRunning = true) {
    if (!excelRunning) broker.setNotRunning(kExcelProgId);
    AttachAcad(session, broker, platform);
    AttachExcel(session, broker, platform);
    platform.messages.clear();
    acad.context->log.clear();
    excel.context->log.clear();
  }

  void pickAt(double x, double y, double z = 0) { drawing().picks.push(sim::PickAnswer::at({x, y, z})); }
  void pickEntity(const std::string& handle) { drawing().picks.push(sim::PickAnswer::entity(handle)); }
  void pickSelection(std::vector<std::string> handles) {
    drawing().picks.push(sim::PickAnswer::selection(std::move(handles)));
  }
  void cancelPick() { drawing().picks.push(sim::PickAnswer::cancel()); }

  void failAcad(const char* object, const char* member, std::size_t nth = 0) {
    acad.context->faults.add({object, member, nth, {hr::kFail, "refused by the test"}});
  }

  std::string addText(std::string text, sim::EntityKind kind = sim::EntityKind::Text) {
    sim::Entity e;
    e.kind = kind;
    e.points = {{0, 0, 0}};
    e.height = 2.5;
    e.text = std::move(text);
    return drawing().addEntity(std::move(e));
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
  // The drawing host's calls as "Class.Member", in order.
  std::vector<std::string> acadCalls() const {
    std::vector<std::string> out;
    for (const auto& c : acad.context->log.entries())
      out.push_back(c.object + "." + c.member + (c.failed ? " FAILED" : ""));
    return out;
  }
  std::vector<std::string> messages() const {
    std::vector<std::string> out;
    for (const auto& m : platform.messages) out.push_back(m.title.empty() ? m.text : m.title + ": " + m.text);
    return out;
  }
  Variant cell(std::int32_t row, std::int32_t column) const { return sheet->value({row, column}); }
};

}  // namespace plotmate::measure_testing
