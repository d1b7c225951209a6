#include "switches/SwitchingLock.h"

#include <sddl.h>

#include "StringIds.h"
#include "core/CaughtFailure.h"
#include "core/LogSink.h"
#include "suite/Owners.h"
#include "win/MessageBox.h"
#include "win/Resources.h"

namespace switches {
namespace {

constexpr wchar_t kLockName[] = L"Local\\Korvelsoft.VNTO9.AddinSwitching";

// Whoever creates the lock, every program of the session must be able to wait on it and release it:
// a plug-ins manager started with administrator rights may make it before the start centre opens
// it. Everyone gets synchronize and modify-state (0x00100001), the system and administrators all
// access, and the low mandatory label lets processes of any integrity level use it.
constexpr wchar_t kLockSecurity[] =
    L"D:(A;;0x001F0001;;;SY)(A;;0x001F0001;;;BA)(A;;0x00100001;;;WD)S:(ML;;NW;;;LW)";
constexpr DWORD kLockAccess = SYNCHRONIZE | MUTEX_MODIFY_STATE;

HANDLE OpenOrCreateLock() noexcept {
  suite::UniqueLocal<PSECURITY_DESCRIPTOR> descriptor;
  if (!::ConvertStringSecurityDescriptorToSecurityDescriptorW(kLockSecurity, SDDL_REVISION_1,
                                                              descriptor.put(), nullptr)) {
    app::Log().Line(L"The switching lock's security cannot be built (error %lu).", ::GetLastError());
    return nullptr;
  }
  SECURITY_ATTRIBUTES attributes{sizeof(attributes), descriptor.get(), FALSE};
  // Asking only for what waiting and releasing need also opens a lock made by an elevated program.
  HANDLE mutex = ::CreateMutexExW(&attributes, kLockName, 0, kLockAccess);
  if (!mutex)
    app::Log().Line(L"The switching lock %s cannot be opened (error %lu).", kLockName, ::GetLastError());
  return mutex;
}

}  // namespace

const wchar_t* SwitchingLock::Name() noexcept {
  return kLockName;
}

SwitchingLock::SwitchingLock(DWORD waitMilliseconds) noexcept : mutex_(OpenOrCreateLock()) {
  if (!mutex_) return;
  switch (::WaitForSingleObject(mutex_.get(), waitMilliseconds)) {
    case WAIT_OBJECT_0: held_ = true; break;
    case WAIT_ABANDONED:
      held_ = abandoned_ = true;
      app::Log().Line(
          L"The switching lock was left by a program that ended while switching add-ins; what it "
          L"was switching may be half done.");
      break;
    case WAIT_TIMEOUT:
      app::Log().Line(L"Another program kept the switching lock for %lu ms; nothing is switched.",
                      waitMilliseconds);
      break;
    default: app::Log().Line(L"Waiting for the switching lock failed (error %lu).", ::GetLastError()); break;
  }
}

SwitchingLock::~SwitchingLock() {
  if (held_) ::ReleaseMutex(mutex_.get());
}

void ShowSwitchingBusy(HWND owner) noexcept {
  try {
    win::ShowMessageBox(owner, win::LoadString(IDS_SW_SWITCHING_BUSY), win::LoadString(IDS_SW_CAPTION),
                        MB_OK | MB_ICONEXCLAMATION);
  } catch (...) {
    app::LogCaughtException(L"SwitchingLock", __LINE__, L"Showing the switching-busy message");
  }
}

}  // namespace switches
