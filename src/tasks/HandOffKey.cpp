#include "tasks/HandOffKey.h"

#include "suite/HostDescriptor.h"
#include "suite/Privileges.h"
#include "win/System.h"

namespace tasks {

std::wstring ProtectedModeRunningPath(std::wstring_view userSid) {
  const std::wstring sid(userSid);
  return sid + L"\\Software\\Microsoft\\Internet Explorer\\InternetRegistry\\REGISTRY\\USER\\" + sid + L"\\" +
         reg::kRunning;
}

std::optional<app::RegistryKey> OpenHandOffKey(std::wstring_view executable) {
  HKEY hive = HKEY_CURRENT_USER;
  std::wstring path = reg::kRunning;
  const suite::HostProgram* program = suite::HostProgramOfExecutable(executable);
  if (program && program->protectedModeRecord && win::WindowsMajorVersion() > 5) {
    hive = HKEY_USERS;
    path = ProtectedModeRunningPath(suite::CurrentUserSid());
  }
  app::RegistryKey key;
  if (key.Open(hive, path, reg::kWrite) || key.Create(hive, path, reg::kWrite)) return key;
  return std::nullopt;
}

}  // namespace tasks
