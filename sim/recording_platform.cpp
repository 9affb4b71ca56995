#include "sim/recording_platform.h"

namespace plotmate::sim {

void RecordingPlatform::messageBox(std::string_view text, std::string_view title) {
  messages.push_back({std::string(text), std::string(title)});
}

void RecordingPlatform::activateWindow(std::string_view title) {
  activatedWindows.emplace_back(title);
}

bool RecordingPlatform::startProcess(std::string_view systemProgram, std::string_view commandLine) {
  startedProcesses.push_back({std::string(systemProgram), std::string(commandLine)});
  return processesStart;
}

}  // namespace plotmate::sim
