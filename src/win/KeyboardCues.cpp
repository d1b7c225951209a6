#include "win/KeyboardCues.h"

#include "win/Handle.h"

namespace win {

bool FocusCuesShown(HWND window) noexcept {
  return window && (::SendMessageW(window, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS) == 0;
}

bool AccessKeysShown(HWND window) noexcept {
  return window && (::SendMessageW(window, WM_QUERYUISTATE, 0, 0) & UISF_HIDEACCEL) == 0;
}

void HideKeyboardCues(HWND window) noexcept {
  if (window)
    ::SendMessageW(window, WM_CHANGEUISTATE, MAKEWPARAM(UIS_SET, UISF_HIDEFOCUS | UISF_HIDEACCEL), 0);
}

void ShowKeyboardCues(HWND window) noexcept {
  if (window)
    ::SendMessageW(window, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS | UISF_HIDEACCEL), 0);
}

bool HighContrastOn() noexcept {
  HIGHCONTRASTW contrast{};
  contrast.cbSize = sizeof(contrast);
  return ::SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof(contrast), &contrast, 0) &&
         (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

void DrawFocusCue(HDC dc, const RECT& box, Scale scale, int inset) noexcept {
  RECT cue = box;
  ::InflateRect(&cue, -scale.Px(inset), -scale.Px(inset));
  if (cue.right <= cue.left || cue.bottom <= cue.top) return;
  // Dots of two colours, one pixel each, so that the cue shows on every face of the skin: black and
  // white normally, the system's text and window colours in high contrast. One design pixel wide.
  static constexpr WORD kChecker[8] = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
  const UniqueBitmap pattern(::CreateBitmap(8, 8, 1, 1, kChecker));
  const UniqueBrush dots(pattern ? ::CreatePatternBrush(pattern.get()) : nullptr);
  if (!dots) return;
  const bool contrast = HighContrastOn();
  const COLORREF oldText = ::SetTextColor(dc, contrast ? ::GetSysColor(COLOR_WINDOWTEXT) : RGB(0, 0, 0));
  const COLORREF oldBack = ::SetBkColor(dc, contrast ? ::GetSysColor(COLOR_WINDOW) : RGB(0xFF, 0xFF, 0xFF));
  const int width = scale.Px(1);
  for (int ring = 0; ring < width && cue.right > cue.left && cue.bottom > cue.top; ++ring) {
    ::FrameRect(dc, &cue, dots.get());
    ::InflateRect(&cue, -1, -1);
  }
  ::SetTextColor(dc, oldText);
  ::SetBkColor(dc, oldBack);
}

}  // namespace win
