#include "suite/Privileges.h"

#include <windows.h>
#include <sddl.h>

#include <optional>
#include <vector>

#include "suite/Owners.h"
#include "suite/SystemLibrary.h"
#include "win/Handle.h"
#include "win/System.h"

namespace suite {
namespace {

using CheckTokenMembershipFn = BOOL(WINAPI*)(HANDLE token, PSID sid, PBOOL isMember);

bool TokenIsAdministrator() noexcept {
  SID_IDENTIFIER_AUTHORITY ntAuthority = SECURITY_NT_AUTHORITY;
  UniqueSid administrators;
  if (!::AllocateAndInitializeSid(&ntAuthority, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS, 0, 0,
                                  0, 0, 0, 0, administrators.put()))
    return false;

  const win::UniqueModule advapi = LoadSystemLibrary(L"advapi32.dll");
  if (!advapi) return false;
  const auto checkMembership = ProcAddress<CheckTokenMembershipFn>(advapi.get(), "CheckTokenMembership");
  // Before Windows 2000 there was no such call, and every user could do what an administrator can.
  BOOL member = TRUE;
  // A null token means the effective one: the thread's impersonation token or the process token.
  if (checkMembership && !checkMembership(nullptr, administrators.get(), &member)) member = FALSE;
  return member == 1;
}

}  // namespace

bool IsAdministrator() noexcept {
  if (const std::optional<bool>& forced = win::SystemFactOverrides().administrator) return *forced;
  return TokenIsAdministrator();
}

std::wstring CurrentUserSid() {
  win::UniqueHandle token;
  if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, token.put())) return {};
  DWORD size = 0;
  ::GetTokenInformation(token.get(), TokenUser, nullptr, 0, &size);
  if (size < sizeof(TOKEN_USER)) return {};
  // operator new's alignment suits TOKEN_USER, whose SID pointer points into the same buffer.
  std::vector<BYTE> buffer(size);
  if (!::GetTokenInformation(token.get(), TokenUser, buffer.data(), size, &size)) return {};
  const auto* user = reinterpret_cast<const TOKEN_USER*>(buffer.data());

  UniqueLocal<wchar_t*> text;
  if (!::ConvertSidToStringSidW(user->User.Sid, text.put())) return {};
  return text.get();
}

}  // namespace suite
