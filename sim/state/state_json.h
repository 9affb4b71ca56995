#pragma once
// The JSON both the scenario runner and the stand-in servers speak when they
// describe a host's state: one document type, and one way to refuse a bad one.

#include <cstdint>
#include <string>

#include <nlohmann/json.hpp>

namespace plotmate::scenario {

using Json = nlohmann::ordered_json;

// Fails the whole load or run with a message naming the field at fault
// (throws; whoever reads state catches it at its own boundary).
[[noreturn]] void scenarioError(const std::string& message);

// A field that must hold a whole number from `least` to `most`: an integer,
// or a real with no fraction ("clicks": 2.0). Anything else, and any number
// out of range, fails with a message naming the field and the range.
std::int64_t wholeNumber(const Json& value, const std::string& field, std::int64_t least,
                         std::int64_t most);

}  // namespace plotmate::scenario
