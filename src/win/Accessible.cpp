#include "win/Accessible.h"

namespace win {

void RaiseAccessEvent(DWORD event, HWND window, long child) noexcept {
  if (window) ::NotifyWinEvent(event, window, OBJID_CLIENT, child);
}

}  // namespace win
