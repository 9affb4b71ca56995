#pragma once
// A stand-in class's declared members, read from its member table, and the
// IDL of a type library holding them: the same declarations drive the
// stand-in's own argument check and a real type library, so the two can be
// compared call by call with ITypeInfo::Invoke.

#include <span>
#include <string>
#include <vector>

#include "sim/sim_object.h"

namespace plotmate::sim {

struct DeclaredMember {
  std::string name;
  bool writable = false;  // a property with a put
  MemberSignature signature;
};

struct DeclaredInterface {
  std::string name;  // "IAcadUtility"
  std::vector<DeclaredMember> members;
};

template <class T>
DeclaredInterface declaredInterface(std::string name, const MemberTable<T>& table) {
  DeclaredInterface declared{std::move(name), {}};
  for (const auto& entry : table.entries())
    if (entry.signature.declared)
      declared.members.push_back({entry.name, entry.put != nullptr, entry.signature});
  return declared;
}

// The IDL of library `library` with the interfaces (dual, as the hosts' are)
// and the enumerations their parameters name.
std::string typeLibraryIdl(std::string_view library, std::span<const DeclaredInterface> interfaces);

}  // namespace plotmate::sim
