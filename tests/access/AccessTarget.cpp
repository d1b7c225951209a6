// A program with windows that tell screen readers about themselves, read by the accessible object's
// tests from their own process as a screen reader reads another program. It runs until its window is
// closed.
#include <windows.h>

#include "access/SampleControls.h"
#include "win/ComScope.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  const win::OleScope ole;
  if (!ole.ok()) return 2;
  sample::SampleTarget target;
  if (!target.Create(instance)) return 1;
  MSG message{};
  while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (::IsDialogMessageW(target.hwnd(), &message)) continue;
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
  return 0;
}
