#include "sim/apps/progid_registration.h"

#include <windows.h>

#include <string>

#include "hosts/com/bstr.h"
#include "hosts/com/error_text.h"
#include "win32/owned_handles.h"

namespace plotmate::sim {

namespace {

std::wstring classesKey(std::string_view progId) {
  return L"Software\\Classes\\" + com::toWide(progId);
}

Result<void> check(LONG status) {
  if (status == ERROR_SUCCESS) return {};
  return std::unexpected(com::errorFromHresult(HRESULT_FROM_WIN32(status)));
}

Result<void> writeClsid(HKEY root, const std::wstring& key, const std::wstring& clsid) {
  win32::OwnedRegistryKey handle;
  PLOTMATE_RETURN_IF_FAILED(check(RegCreateKeyExW(root, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                                                  nullptr, &handle.get(), nullptr)));
  auto bytes = static_cast<DWORD>((clsid.size() + 1) * sizeof(wchar_t));
  return check(RegSetValueExW(handle.get(), nullptr, 0, REG_SZ,
                              reinterpret_cast<const BYTE*>(clsid.c_str()), bytes));
}

Result<void> deleteTree(HKEY root, const std::wstring& key) {
  LONG status = RegDeleteTreeW(root, key.c_str());
  return status == ERROR_FILE_NOT_FOUND ? Result<void>{} : check(status);
}

}  // namespace

Result<void> registerProgId(std::string_view progId, std::string_view clsid) {
  const std::wstring key = classesKey(progId) + L"\\CLSID";
  const std::wstring value = com::toWide(clsid);
  if (auto user = writeClsid(HKEY_CURRENT_USER, key, value); !user) return user;
  writeClsid(HKEY_LOCAL_MACHINE, key, value);  // may be refused; see the header
  return {};
}

Result<void> unregisterProgId(std::string_view progId) {
  const std::wstring key = classesKey(progId);
  deleteTree(HKEY_LOCAL_MACHINE, key);
  return deleteTree(HKEY_CURRENT_USER, key);
}

}  // namespace plotmate::sim
