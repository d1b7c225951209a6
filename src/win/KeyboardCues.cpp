#include "win/KeyboardCues.h"

#include "win/Handle.h"

namespace win {
namespace {

// Wine keeps no UI state: WM_QUERYUISTATE answers 0 (both cues shown) whatever WM_CHANGEUISTATE
// asked. So what is set here is also kept on the top-level window, as a property holding the
// hidden cues (with kKept, so that "none hidden" is kept too), and a window shows a cue only when
// neither the system nor the property hides it.
constexpr wchar_t kCuesProperty[] = L"Startdeck.HiddenCues";
constexpr UINT_PTR kKept = 0x100;
constexpr UINT kBothCues = UISF_HIDEFOCUS | UISF_HIDEACCEL;

UINT HiddenCues(HWND window) noexcept {
  const auto system = static_cast<UINT>(::SendMessageW(window, WM_QUERYUISTATE, 0, 0));
  const HWND top = ::GetAncestor(window, GA_ROOT);
  const auto kept = reinterpret_cast<UINT_PTR>(top ? ::GetPropW(top, kCuesProperty) : nullptr);
  return system | static_cast<UINT>(kept & kBothCues);
}

void ChangeCues(HWND window, WORD action) noexcept {
  if (!window) return;
  ::SendMessageW(window, WM_CHANGEUISTATE, MAKEWPARAM(action, kBothCues), 0);
  const HWND top = ::GetAncestor(window, GA_ROOT);
  if (!top) return;
  ::SetPropW(top, kCuesProperty, reinterpret_cast<HANDLE>(kKept | (action == UIS_SET ? kBothCues : 0)));
  // Where the system passed the change on, this tells the controls once more; where it did not,
  // this is how they learn it.
  const WPARAM update = MAKEWPARAM(action, kBothCues);
  ::SendMessageW(top, WM_UPDATEUISTATE, update, 0);
  ::EnumChildWindows(
      top,
      [](HWND child, LPARAM change) -> BOOL {
        ::SendMessageW(child, WM_UPDATEUISTATE, static_cast<WPARAM>(change), 0);
        return TRUE;
      },
      static_cast<LPARAM>(update));
}

// The user's high-contrast setting where Windows keeps it ("Flags", a number as text).
bool StoredHighContrast() noexcept {
  constexpr wchar_t kKey[] = L"Control Panel\\Accessibility\\HighContrast";
  DWORD flags = 0;
  DWORD size = sizeof(flags);
  if (::RegGetValueW(HKEY_CURRENT_USER, kKey, L"Flags", RRF_RT_REG_DWORD, nullptr, &flags, &size) !=
      ERROR_SUCCESS) {
    wchar_t text[16] = {};
    size = sizeof(text);
    if (::RegGetValueW(HKEY_CURRENT_USER, kKey, L"Flags", RRF_RT_REG_SZ, nullptr, text, &size) !=
        ERROR_SUCCESS)
      return false;
    flags = 0;
    for (const wchar_t* digit = text; *digit >= L'0' && *digit <= L'9'; ++digit)
      flags = flags * 10 + static_cast<DWORD>(*digit - L'0');
  }
  return (flags & HCF_HIGHCONTRASTON) != 0;
}

}  // namespace

bool FocusCuesShown(HWND window) noexcept {
  return window && (HiddenCues(window) & UISF_HIDEFOCUS) == 0;
}

bool AccessKeysShown(HWND window) noexcept {
  return window && (HiddenCues(window) & UISF_HIDEACCEL) == 0;
}

void HideKeyboardCues(HWND window) noexcept {
  ChangeCues(window, UIS_SET);
}

void ShowKeyboardCues(HWND window) noexcept {
  ChangeCues(window, UIS_CLEAR);
}

void ForgetKeyboardCues(HWND window) noexcept {
  if (window) ::RemovePropW(window, kCuesProperty);
}

HBRUSH HighContrastStaticColours(HDC dc) noexcept {
  ::SetBkMode(dc, OPAQUE);
  ::SetBkColor(dc, ::GetSysColor(COLOR_WINDOW));
  ::SetTextColor(dc, ::GetSysColor(COLOR_WINDOWTEXT));
  return ::GetSysColorBrush(COLOR_WINDOW);
}

bool HighContrastOn() noexcept {
  HIGHCONTRASTW contrast{};
  contrast.cbSize = sizeof(contrast);
  if (::SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof(contrast), &contrast, 0)) {
    if (contrast.dwFlags & HCF_HIGHCONTRASTON) return true;
    if (contrast.dwFlags & HCF_AVAILABLE) return false;
  }
  // A system that does not offer the mode (Wine answers without HCF_AVAILABLE and cannot switch it
  // on) follows the user's setting as Windows stores it.
  return StoredHighContrast();
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
