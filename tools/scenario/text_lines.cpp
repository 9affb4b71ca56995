#include "tools/scenario/text_lines.h"

#include <fstream>
#include <sstream>

namespace plotmate::scenario {

Json linesJson(const std::string& bytes) {
  Json lines = Json::array();
  std::string line;
  for (char c : bytes) {
    if (c == '\r') {
      line += "\\r";
    } else if (c == '\n') {
      lines.push_back(line + "\\n");
      line.clear();
    } else {
      line += c;
    }
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

std::string fileBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

}  // namespace plotmate::scenario
