#include "hosts/com/object_bridge.h"

#include <atomic>

#include "hosts/com/com_dispatch.h"

namespace plotmate::com {

namespace {

std::atomic<IDispatch* (*)(const DispatchPtr&)> serveLocal{nullptr};
std::atomic<DispatchPtr (*)(IDispatch*)> localTarget{nullptr};

}  // namespace

void setLocalObjectServer(LocalObjectServer server) {
  serveLocal = server.serve;
  localTarget = server.target;
}

IDispatch* exportObject(const DispatchPtr& object) {
  if (!object) return nullptr;
  if (auto* remote = dynamic_cast<ComDispatch*>(object.get())) {
    remote->raw()->AddRef();
    return remote->raw();
  }
  auto serve = serveLocal.load();
  return serve ? serve(object) : nullptr;
}

DispatchPtr importObject(IDispatch* object, const HostLinkPtr& link) {
  if (!object) return nullptr;
  if (auto target = localTarget.load())
    if (auto local = target(object)) return local;
  return std::make_shared<ComDispatch>(ComPtr<IDispatch>::share(object),
                                       link ? link : makeHostLink());
}

}  // namespace plotmate::com
