#include "sim/drawing/acad_errors.h"

#include <string>

namespace plotmate::sim {

Error pickFailed(std::string_view method, std::string_view interfaceName) {
  return {hr::kException, "Method '" + std::string(method) + "' of object '" +
                              std::string(interfaceName) + "' failed"};
}

Error userInputIsKeyword() { return {acad::kUserInputIsKeyword, "User input is a keyword"}; }

Error keyNotFound() { return {acad::kKeyNotFound, "Key not found"}; }

Error duplicateRecordName() { return {acad::kDuplicateRecordName, "Duplicate record name"}; }

Error objectErased() { return {hr::kException, "Object was erased"}; }

Error invalidArgument(std::string_view argument, std::string_view method) {
  return {hr::kInvalidArg,
          "Invalid argument " + std::string(argument) + " in " + std::string(method)};
}

Error notModelled(std::string_view what) {
  return {hr::kFail, "Not supported by the drawing stand-in: " + std::string(what)};
}

}  // namespace plotmate::sim
