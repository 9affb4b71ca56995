#include "hosts/com/object_bridge.h"

#include "hosts/com/com_dispatch.h"
#include "hosts/com/served_object.h"

namespace plotmate::com {

IDispatch* exportObject(const DispatchPtr& object) {
  if (!object) return nullptr;
  if (auto* remote = dynamic_cast<ComDispatch*>(object.get())) {
    remote->raw()->AddRef();
    return remote->raw();
  }
  return serveObject(object);
}

DispatchPtr importObject(IDispatch* object, const HostLinkPtr& link) {
  if (!object) return nullptr;
  if (auto local = servedTarget(object)) return local;
  return std::make_shared<ComDispatch>(ComPtr<IDispatch>::share(object),
                                       link ? link : makeHostLink());
}

}  // namespace plotmate::com
