#pragma once
// A desktop that only records what the tools asked of it: message boxes,
// window activations and started processes, in order.

#include <string>
#include <vector>

#include "hosts/platform.h"

namespace plotmate::sim {

struct StartedProcess {
  std::string systemProgram;
  std::string commandLine;
  bool operator==(const StartedProcess&) const = default;
};

struct ShownMessage {
  std::string text;
  std::string title;
  bool operator==(const ShownMessage&) const = default;
};

class RecordingPlatform : public Platform {
 public:
  void messageBox(std::string_view text, std::string_view title = {}) override;
  void activateWindow(std::string_view title) override;
  bool startProcess(std::string_view systemProgram, std::string_view commandLine) override;
  std::string executableFolder() override { return executableFolder_; }

  std::vector<ShownMessage> messages;
  std::vector<std::string> activatedWindows;
  std::vector<StartedProcess> startedProcesses;
  bool processesStart = true;

  void setExecutableFolder(std::string folder) { executableFolder_ = std::move(folder); }

 private:
  std::string executableFolder_ = "C:\\Program Files\\Plotmate";
};

}  // namespace plotmate::sim
