#include "sim/apps/standin_server.h"

#include <exception>

#include "sim/apps/context_controls.h"
#include "sim/args.h"

namespace plotmate::sim {

namespace {

namespace fs = std::filesystem;
using scenario::Json;

// Forwards every call to whichever host is current, so a client that
// attaches after a load reaches the fresh host.
class CurrentApplication final : public Dispatch {
 public:
  explicit CurrentApplication(std::shared_ptr<StandInSlot> slot) : slot_(std::move(slot)) {}
  Result<Variant> invoke(std::string_view name, CallKind kind, std::span<Variant> args) override {
    return slot_->application->invoke(name, kind, args);
  }

 private:
  std::shared_ptr<StandInSlot> slot_;
};

fs::path pathFromUtf8(const std::string& text) {
  return fs::path(std::u8string(text.begin(), text.end()));
}

// Runs `body`, turning whatever it throws into the member's error: nothing
// thrown ever reaches the COM boundary.
template <class Body>
Result<Variant> guarded(Body&& body) {
  try {
    return body();
  } catch (const std::exception& e) {
    return fail(hr::kInvalidArg, e.what());
  }
}

Result<Variant> loadState(StandInSlot& slot, const StandInLoader& loader, std::span<Variant> args) {
  PLOTMATE_RETURN_IF_FAILED(expectArgs(args, 1, 2));
  PLOTMATE_TRY(text, argText(args, 0));
  fs::path folder = fs::current_path();
  if (hasArg(args, 1)) {
    PLOTMATE_TRY(given, argText(args, 1));
    folder = pathFromUtf8(*given);
  }
  return guarded([&]() -> Result<Variant> {
    slot = loader(Json::parse(*text), folder);
    return Variant();
  });
}

Result<Variant> queuePicks(StandInSlot& slot, std::span<Variant> args) {
  PLOTMATE_RETURN_IF_FAILED(expectArgs(args, 1, 1));
  if (!slot.queuePicks) return fail(hr::kInvalidArg, "This host takes no picks");
  PLOTMATE_TRY(text, argText(args, 0));
  return guarded([&]() -> Result<Variant> {
    slot.queuePicks(Json::parse(*text));
    return Variant();
  });
}

Result<Variant> save(StandInSlot& slot, std::span<Variant> args) {
  PLOTMATE_RETURN_IF_FAILED(expectArgs(args, 1, 1));
  PLOTMATE_TRY(path, argText(args, 0));
  return guarded([&]() -> Result<Variant> {
    PLOTMATE_RETURN_IF_FAILED(slot.save(pathFromUtf8(*path)));
    return Variant();
  });
}

}  // namespace

ServedHost serveStandIn(StandInSlot initial, StandInLoader loader) {
  auto slot = std::make_shared<StandInSlot>(std::move(initial));
  auto controls = contextControls([slot] { return slot->context; });
  controls.push_back({"SimLoadState", [slot, loader](std::span<Variant> args) {
                        return loadState(*slot, loader, args);
                      }});
  controls.push_back({"SimState", [slot](std::span<Variant> args) -> Result<Variant> {
                        PLOTMATE_RETURN_IF_FAILED(expectArgs(args, 0, 0));
                        return guarded([&]() -> Result<Variant> { return Variant(slot->state().dump()); });
                      }});
  controls.push_back({"SimQueuePicks",
                      [slot](std::span<Variant> args) { return queuePicks(*slot, args); }});
  controls.push_back({"SimSave", [slot](std::span<Variant> args) { return save(*slot, args); }});
  return ServedHost{std::make_shared<CurrentApplication>(slot), std::move(controls)};
}

Result<StandInSlot> startingStandIn(const StandInLoader& loader,
                                    const std::vector<std::string>& files, const char* section,
                                    const char* key) {
  if (files.size() > 1) return fail(hr::kInvalidArg, "One file at most");
  Json spec = Json::object();
  if (!files.empty()) spec[section][key] = files.front();
  try {
    return loader(spec, fs::current_path());
  } catch (const std::exception& e) {
    return fail(hr::kInvalidArg, e.what());
  }
}

}  // namespace plotmate::sim
