#include "sim/apps/host_server.h"

#include <windows.h>

#include <shellapi.h>

#include <charconv>
#include <cstdio>

#include "hosts/com/apartment.h"
#include "hosts/com/bstr.h"
#include "hosts/com/com_ptr.h"
#include "hosts/com/error_text.h"
#include "hosts/com/library_search.h"
#include "sim/com/running_object.h"
#include "sim/com/served_object.h"
#include "sim/apps/progid_registration.h"
#include "win32/owned_handles.h"

namespace plotmate::sim {

namespace {

DWORD serverThread = 0;

BOOL WINAPI onConsoleSignal(DWORD) {
  PostThreadMessageW(serverThread, WM_QUIT, 0, 0);
  return TRUE;
}

// Two hex digits from the profile's place in the table.
std::string profileTag(const HostProfile& profile) {
  const auto index = static_cast<unsigned>(&profile - allProfiles().data());
  const char* digits = "0123456789ABCDEF";
  return {digits[(index >> 4) & 15], digits[index & 15]};
}

int report(const char* what, const Error& error) {
  std::fprintf(stderr, "%s: %s\n", what, error.description.c_str());
  return 1;
}

Result<CLSID> parseClsid(const std::string& text) {
  CLSID clsid{};
  std::wstring wide = com::toWide(text);
  if (HRESULT hr = CLSIDFromString(wide.c_str(), &clsid); FAILED(hr))
    return fail(hr, "Not a CLSID: " + text);
  return clsid;
}

void serveUntilQuit(unsigned lifetimeSeconds) {
  if (lifetimeSeconds) SetTimer(nullptr, 0, lifetimeSeconds * 1000u, nullptr);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (msg.message == WM_TIMER && !msg.hwnd) break;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

// Right after the prefix boots, the Running Object Table answers
// RPC_S_SERVER_UNAVAILABLE until rpcss runs: a server started then waits
// for it, for a bounded time.
Result<com::RunningObject> publishWhenUp(IDispatch* object, const CLSID& clsid) {
  constexpr HRESULT kRpcUnavailable = static_cast<HRESULT>(0x800706BAu);
  for (int tries = 0;; ++tries) {
    auto running = com::publishRunningObject(object, clsid);
    if (running || running.error().code != kRpcUnavailable || tries >= 120) return running;
    Sleep(500);
  }
}

int serve(const ServerArguments& args, const CLSID& clsid, const HostFactory& makeHost) {
  auto host = makeHost(args);
  if (!host) return report("Cannot start the host", host.error());
  serverThread = GetCurrentThreadId();
  auto control = std::make_shared<ServerControl>(std::move(*host), [] { PostQuitMessage(0); });
  auto published = com::ComPtr<IDispatch>::adopt(com::serveObject(control));
  auto running = publishWhenUp(published.get(), clsid);
  if (!running) return report("Cannot register in the Running Object Table", running.error());
  SetConsoleCtrlHandler(onConsoleSignal, TRUE);
  std::printf("%s running\n", args.identity.progId.c_str());
  std::fflush(stdout);
  serveUntilQuit(args.lifetimeSeconds);
  running->reset();
  // Clients still holding the application find it gone at their next call.
  CoDisconnectObject(published.get(), 0);
  return 0;
}

std::vector<std::string> commandLineWords() {
  int count = 0;
  win32::OwnedLocal<wchar_t**> words(CommandLineToArgvW(GetCommandLineW(), &count));
  std::vector<std::string> out;
  for (int i = 1; words && i < count; ++i) out.push_back(com::fromWide(words.get()[i]));
  return out;
}

}  // namespace

Result<ServerArguments> parseServerArguments(ServerIdentity defaults,
                                             const std::vector<std::string>& words) {
  ServerArguments args;
  args.identity = std::move(defaults);
  const auto kind = args.identity.kind;
  if (kind) args.profile = &defaultProfile(*kind);
  bool progIdGiven = false, clsidGiven = false;
  for (std::size_t i = 0; i < words.size(); ++i) {
    const std::string& word = words[i];
    auto value = [&]() -> Result<std::string> {
      if (i + 1 >= words.size()) return fail(E_INVALIDARG, word + " needs a value");
      return words[++i];
    };
    if (word == "--register") {
      args.registerOnly = true;
    } else if (word == "--unregister") {
      args.unregisterOnly = true;
    } else if (word == "--visible") {
      args.visible = true;
    } else if (word == "--progid" || word == "--clsid" || word == "--lifetime" || word == "--profile") {
      PLOTMATE_TRY(v, value());
      if (word == "--progid") args.identity.progId = *v, progIdGiven = true;
      if (word == "--clsid") args.identity.clsid = *v, clsidGiven = true;
      if (word == "--profile") {
        args.profile = findProfile(*v);
        if (!args.profile || !kind || args.profile->kind != *kind)
          return fail(E_INVALIDARG, "No such profile for this host: " + *v);
      }
      if (word == "--lifetime") {
        auto [end, ec] = std::from_chars(v->data(), v->data() + v->size(), args.lifetimeSeconds);
        if (ec != std::errc() || end != v->data() + v->size())
          return fail(E_INVALIDARG, "--lifetime needs a whole number of seconds");
      }
    } else if (word.starts_with("--")) {
      return fail(E_INVALIDARG, "Unknown option " + word);
    } else {
      args.files.push_back(word);
    }
  }
  if (!progIdGiven && args.profile) {
    args.identity.progId = args.profile->progIds.front();
    for (auto progId : args.profile->progIds) args.progIds.emplace_back(progId);
  } else {
    args.progIds.push_back(args.identity.progId);
  }
  // Each program a CLSID of its own, so that two stand-ins run side by side.
  if (!clsidGiven && args.profile && args.profile != &defaultProfile(*kind))
    args.identity.clsid.replace(args.identity.clsid.size() - 3, 2, profileTag(*args.profile));
  return args;
}

int runHostServer(ServerIdentity defaults, const HostFactory& makeHost) {
  // A stand-in runs from the build tree beside test files: system libraries only, as plotmate.exe.
  (void)com::RestrictLibrarySearchToSystem();
  auto args = parseServerArguments(std::move(defaults), commandLineWords());
  if (!args) return report("Usage", args.error());
  const auto& id = args->identity;
  auto clsid = parseClsid(id.clsid);
  if (!clsid) return report("Usage", clsid.error());
  if (args->registerOnly) {
    for (const auto& progId : args->progIds)
      if (auto done = registerProgId(progId, id.clsid); !done) return report("Cannot register", done.error());
    return 0;
  }
  if (args->unregisterOnly) {
    for (const auto& progId : args->progIds)
      if (auto done = unregisterProgId(progId); !done) return report("Cannot unregister", done.error());
    return 0;
  }
  com::ComApartment apartment;
  if (!apartment.ok()) return report("COM", com::errorFromHresult(apartment.status()));
  return serve(*args, *clsid, makeHost);
}

}  // namespace plotmate::sim
