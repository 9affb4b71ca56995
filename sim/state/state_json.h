#pragma once
// The JSON both the scenario runner and the stand-in servers speak when they
// describe a host's state: one document type, and one way to refuse a bad one.

#include <string>

#include <nlohmann/json.hpp>

namespace plotmate::scenario {

using Json = nlohmann::ordered_json;

// Fails the whole load or run with a message naming the field at fault
// (throws; whoever reads state catches it at its own boundary).
[[noreturn]] void scenarioError(const std::string& message);

}  // namespace plotmate::scenario
