#include "sim/declared_interface.h"

#include <cstdint>
#include <cstdio>
#include <set>

namespace plotmate::sim {

namespace {

// Enumerations a parameter may name, with the host's constant names.
struct EnumDeclaration {
  const char* name;
  std::vector<const char*> constants;  // values 0, 1, 2, ...
};

const std::vector<EnumDeclaration>& knownEnums() {
  static const std::vector<EnumDeclaration> enums{
      {"AcBooleanType", {"acUnion", "acIntersection", "acSubtraction"}},
      {"AcCoordinateSystem", {"acWorld", "acUCS", "acDisplayDCS", "acPaperSpaceDCS", "acOCS"}},
      {"AcExtendOption",
       {"acExtendNone", "acExtendThisEntity", "acExtendOtherEntity", "acExtendBoth"}},
      {"AcRegenType", {"acActiveViewport", "acAllViewports"}},
      {"AcSelect",
       {"acSelectionSetWindow", "acSelectionSetCrossing", "acSelectionSetFence",
        "acSelectionSetPrevious", "acSelectionSetLast", "acSelectionSetAll",
        "acSelectionSetWindowPolygon", "acSelectionSetCrossingPolygon"}},
  };
  return enums;
}

// A fixed GUID per name, so the written library is the same on every run.
std::string guidFor(std::string_view name) {
  auto hash = [&](std::uint64_t h) {
    for (unsigned char c : name) h = (h ^ c) * 0x100000001B3ull;
    return h;
  };
  const std::uint64_t a = hash(0xCBF29CE484222325ull);
  const std::uint64_t b = hash(0x84222325CBF29CE4ull);
  char text[40];
  std::snprintf(text, sizeof text, "%08x-%04x-4%03x-8%03x-%012llx",
                static_cast<unsigned>(a >> 32), static_cast<unsigned>((a >> 16) & 0xFFFF),
                static_cast<unsigned>(a & 0xFFF), static_cast<unsigned>(b >> 52),
                static_cast<unsigned long long>(b & 0xFFFFFFFFFFFFull));
  return text;
}

std::string typeName(ArgType type, const char* enumName) {
  switch (type) {
    case ArgType::Boolean: return "VARIANT_BOOL";
    case ArgType::Short: return "short";
    case ArgType::Long: return "long";
    case ArgType::Double: return "double";
    case ArgType::Text: return "BSTR";
    case ArgType::Object: return "IDispatch*";
    case ArgType::Variant: return "VARIANT";
    case ArgType::Enum: return enumName ? enumName : "long";
  }
  return "VARIANT";
}

std::string parameterText(const Param& p) {
  if (p.output) return "[out] " + typeName(p.type, p.enumName) + "* " + p.name;
  return std::string(p.optional ? "[in, optional] " : "[in] ") + typeName(p.type, p.enumName) +
         " " + p.name;
}

std::string functionText(const char* attributes, const std::string& name,
                         const std::vector<std::string>& params) {
  std::string line = "        ";
  if (*attributes) line += std::string("[") + attributes + "] ";
  line += "HRESULT " + name + "(";
  for (std::size_t i = 0; i < params.size(); ++i) line += (i ? ", " : "") + params[i];
  return line + ");\n";
}

std::string memberText(const DeclaredMember& member) {
  const MemberSignature& s = member.signature;
  std::vector<std::string> params;
  for (const Param& p : s.params) params.push_back(parameterText(p));
  if (!s.property) {
    if (s.value) params.push_back("[out, retval] " + typeName(*s.value, nullptr) + "* RetVal");
    return functionText("", member.name, params);
  }
  std::vector<std::string> getParams = params;
  getParams.push_back("[out, retval] " + typeName(*s.value, nullptr) + "* Value");
  std::string text = functionText("propget", member.name, getParams);
  if (member.writable) {
    params.push_back("[in] " + typeName(*s.value, nullptr) + " Value");
    text += functionText("propput", member.name, params);
  }
  return text;
}

std::set<std::string> enumsUsed(std::span<const DeclaredInterface> interfaces) {
  std::set<std::string> names;
  for (const auto& i : interfaces)
    for (const auto& m : i.members)
      for (const Param& p : m.signature.params)
        if (p.type == ArgType::Enum && p.enumName) names.insert(p.enumName);
  return names;
}

std::string enumText(const EnumDeclaration& e) {
  std::string text = "    typedef [uuid(" + guidFor(e.name) + ")] enum " + e.name + " {\n";
  for (std::size_t v = 0; v < e.constants.size(); ++v)
    text += std::string("        ") + e.constants[v] + " = " + std::to_string(v) +
            (v + 1 < e.constants.size() ? ",\n" : "\n");
  return text + "    } " + e.name + ";\n\n";
}

}  // namespace

std::string typeLibraryIdl(std::string_view library, std::span<const DeclaredInterface> interfaces) {
  std::string text =
      "// Written from the stand-in's member tables; a test fails when they differ.\n"
      "import \"oaidl.idl\";\n\n[uuid(" + guidFor(library) + "), version(1.0)]\nlibrary " +
      std::string(library) + "\n{\n    importlib(\"stdole2.tlb\");\n\n";
  const std::set<std::string> used = enumsUsed(interfaces);
  for (const auto& e : knownEnums())
    if (used.count(e.name)) text += enumText(e);
  for (const auto& i : interfaces) {
    text += "    [object, uuid(" + guidFor(i.name) + "), dual, oleautomation]\n    interface " + i.name +
            " : IDispatch\n    {\n";
    for (const auto& m : i.members) text += memberText(m);
    text += "    }\n\n";
  }
  return text + "}\n";
}

}  // namespace plotmate::sim
