#include "hosts/com/com_broker.h"

#include <windows.h>

#include <oleauto.h>

#include "hosts/com/bstr.h"
#include "hosts/com/com_dispatch.h"
#include "hosts/com/com_ptr.h"
#include "hosts/com/desktop_windows.h"
#include "hosts/com/error_text.h"

namespace plotmate::com {

Result<DispatchPtr> ComHostBroker::findRunning(std::string_view progId) {
  CLSID clsid{};
  std::wstring name = toWide(progId);
  if (HRESULT hr = CLSIDFromProgID(name.c_str(), &clsid); FAILED(hr))
    return std::unexpected(errorFromHresult(hr));
  ComPtr<IUnknown> running;
  if (HRESULT hr = GetActiveObject(clsid, nullptr, running.out()); FAILED(hr))
    return std::unexpected(errorFromHresult(hr));
  ComPtr<IDispatch> dispatch;
  if (HRESULT hr = running.query(IID_IDispatch, dispatch); FAILED(hr))
    return std::unexpected(errorFromHresult(hr));
  return std::make_shared<ComDispatch>(std::move(dispatch), makeHostLink(bound_, clock_));
}

std::optional<std::size_t> ComHostBroker::frontmost(std::span<const std::int64_t> windows) {
  return highestInZOrder(windows);
}

}  // namespace plotmate::com
