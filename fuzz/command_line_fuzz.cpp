// The drawing host's command line: any typed text, in pieces as a drafter or
// SendCommand would give it, leaves a drawing that saves and a prompt that
// holds only what the host shows.

#include <cstdint>
#include <string_view>

#include "fuzz_check.h"
#include "sim/drawing/command_line.h"
#include "sim/drawing/drawing_session.h"
#include "sim/drawing/dxf_writer.h"

using namespace plotmate::sim;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // Longer texts only repeat commands; each entity costs the drawing work.
  if (size > 2048) return 0;
  DrawingSession session;
  std::string_view text(reinterpret_cast<const char*>(data), size);
  // A NUL splits the text into separate sends, as separate SendCommand calls.
  while (!text.empty()) {
    const auto cut = text.find('\0');
    session.commandLine().send(text.substr(0, cut));
    if (cut == std::string_view::npos) break;
    text.remove_prefix(cut + 1);
  }
  // A boundary can copy every outline drawn so far, so the drawing may grow
  // with the square of the text, but never faster (a boundary traced again
  // must not copy its earlier copies).
  FUZZ_CHECK(session.drawing.size() <= (size + 1) * (size + 1));
  for (char c : session.commandLine().prompt()) FUZZ_CHECK(c != '\0');
  (void)writeDxf(session.drawing);
  return 0;
}
