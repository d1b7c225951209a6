#include "controls/AccessKeyLabel.h"

#include <commctrl.h>

#include <string>

#include "controls/Paint.h"
#include "win/Dc.h"
#include "win/KeyboardCues.h"

namespace ui {
namespace {

constexpr UINT_PTR kSubclassId = 0x4C41;  // "LA"

// As the static control draws a left-aligned text: the background of the parent's brush, the text
// wrapped at words with tabs expanded, and the access key's underline as the window's state says.
void Paint(HWND label, HDC dc) {
  RECT rc{};
  ::GetClientRect(label, &rc);
  const HWND parent = ::GetParent(label);
  const HWND asked = parent ? parent : label;
  auto brush = reinterpret_cast<HBRUSH>(::SendMessageW(asked, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                                       reinterpret_cast<LPARAM>(label)));
  if (!brush)
    brush = reinterpret_cast<HBRUSH>(::DefWindowProcW(asked, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                                      reinterpret_cast<LPARAM>(label)));
  if (brush) ::FillRect(dc, &rc, brush);
  if (!::IsWindowEnabled(label)) ::SetTextColor(dc, ::GetSysColor(COLOR_GRAYTEXT));
  const auto font = reinterpret_cast<HFONT>(::SendMessageW(label, WM_GETFONT, 0, 0));
  const win::SelectScope select(dc, font ? static_cast<HGDIOBJ>(font) : ::GetCurrentObject(dc, OBJ_FONT));
  const int length = ::GetWindowTextLengthW(label);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  text.resize(static_cast<size_t>(::GetWindowTextW(label, text.data(), length + 1)));
  // While access keys are hidden the text is drawn as shown, without prefix processing, so that it
  // looks exactly as a label without a key (not every DrawText hides the underline itself).
  const bool keys = win::AccessKeysShown(label);
  const std::wstring shown = keys ? text : WithoutAccessMarkers(text);
  ::DrawTextW(dc, shown.c_str(), static_cast<int>(shown.size()), &rc,
              DT_LEFT | DT_EXPANDTABS | DT_WORDBREAK | (keys ? 0u : static_cast<UINT>(DT_NOPREFIX)));
}

LRESULT CALLBACK Procedure(HWND label, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                           DWORD_PTR) noexcept {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint{};
      if (const HDC dc = ::BeginPaint(label, &paint)) {
        Paint(label, dc);
        ::EndPaint(label, &paint);
      }
      return 0;
    }
    case WM_PRINTCLIENT: Paint(label, reinterpret_cast<HDC>(wParam)); return 0;
    case WM_SETTEXT: {
      // The static draws a new text at once, past WM_PAINT: it is kept as any window keeps its text
      // and drawn with the next paint instead.
      const LRESULT result = ::DefWindowProcW(label, message, wParam, lParam);
      ::InvalidateRect(label, nullptr, TRUE);
      return result;
    }
    case WM_UPDATEUISTATE:
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE:
    case WM_ENABLE: {
      const LRESULT result = ::DefSubclassProc(label, message, wParam, lParam);
      ::InvalidateRect(label, nullptr, TRUE);
      return result;
    }
    case WM_NCDESTROY: ::RemoveWindowSubclass(label, &Procedure, kSubclassId); break;
    default: break;
  }
  return ::DefSubclassProc(label, message, wParam, lParam);
}

}  // namespace

bool DrawAsAccessKeyLabel(HWND label) noexcept {
  if (!label) return false;
  if (!::SetWindowSubclass(label, &Procedure, kSubclassId, 0)) return false;
  ::InvalidateRect(label, nullptr, TRUE);
  return true;
}

void PutLabelBefore(HWND label, HWND field) noexcept {
  if (!label || !field || label == field || ::GetParent(label) != ::GetParent(field)) return;
  const HWND above = ::GetWindow(field, GW_HWNDPREV);
  if (above == label) return;
  ::SetWindowPos(label, above ? above : HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

}  // namespace ui
