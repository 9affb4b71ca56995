#pragma once
// The errors the drawing host answers with, in one place so that every
// member fails the same way for the same cause. A late-bound caller sees the
// code as Err.Number and the text as Err.Description.

#include <string_view>

#include "base/result.h"

namespace plotmate::sim {

// The host's own error codes (facility 0x20/0x21 of its automation server).
namespace acad {
// "Key not found": a collection item by a name that does not exist. The code
// is the one AutoCAD reports (-2145386476), e.g. for SelectionSets.Item("x").
inline constexpr std::int32_t kKeyNotFound = static_cast<std::int32_t>(0x80200014u);
// "Duplicate record name": Add with a name already in the collection.
inline constexpr std::int32_t kDuplicateRecordName = static_cast<std::int32_t>(0x8020005Bu);
// "User input is a keyword": a pick answered with Enter or a keyword instead
// of a point (-2145320928, as the GetPoint reference describes the message).
inline constexpr std::int32_t kUserInputIsKeyword = static_cast<std::int32_t>(0x80210020u);
}  // namespace acad

// A pick the user cancelled, or that found nothing: the host raises a bare
// failure, which VB reports as "Method 'GetEntity' of object 'IAcadUtility'
// failed" (DISP_E_EXCEPTION). Nothing is assigned to the outputs.
Error pickFailed(std::string_view method, std::string_view interfaceName);
// Enter (an empty answer) at a point or entity prompt.
Error userInputIsKeyword();
Error keyNotFound();
Error duplicateRecordName();
// A member called on an entity object whose entity was deleted (or undone).
Error objectErased();
// An argument the host refuses, named as the host names it:
// "Invalid argument VerticesList in AddLightWeightPolyline".
Error invalidArgument(std::string_view argument, std::string_view method);
// A request this stand-in does not model (a documented limitation, never a
// silent wrong answer).
Error notModelled(std::string_view what);

}  // namespace plotmate::sim
