// The font probe: started as a thread inside the program under test (see FontProbe.h). It asks the
// control there: a message sent from another program may come back without the answer.
#include "support/FontProbe.h"

extern "C" __declspec(dllexport) DWORD WINAPI ReadFont(LPVOID question) {
  auto* asked = static_cast<test::FontQuestion*>(question);
  if (!asked) return 0;
  const HWND window = reinterpret_cast<HWND>(static_cast<ULONG_PTR>(asked->window));
  DWORD_PTR font = 0;
  if (!::SendMessageTimeoutW(window, WM_GETFONT, 0, 0, SMTO_ABORTIFHUNG, 5000, &font) || !font) return 0;
  asked->font = font;
  return static_cast<DWORD>(
      ::GetObjectW(reinterpret_cast<HGDIOBJ>(font), sizeof(asked->answer), &asked->answer));
}
