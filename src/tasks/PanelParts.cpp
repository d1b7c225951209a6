#include "tasks/PanelParts.h"

#include <vector>

#include "SkinIds.h"
#include "core/SharedGraphics.h"
#include "win/Resources.h"

namespace tasks {

ui::skin::PanelLook PanelLookOf(const app::SharedGraphics& graphics) {
  ui::skin::PanelLook look;
  look.background = graphics.Bitmap(IDB_PANEL_BACKGROUND);
  look.titleFont = graphics.Font(app::SharedFont::kTahoma14Bold);
  look.bodyFont = graphics.Font(app::SharedFont::kTahoma12);
  return look;
}

ui::skin::ComboLook ComboLookOf(const app::SharedGraphics& graphics) {
  return {graphics.Font(app::SharedFont::kTahoma12),
          {graphics.Bitmap(IDB_COMBO_DROP_NORMAL), graphics.Bitmap(IDB_COMBO_DROP_HOVER),
           graphics.Bitmap(IDB_COMBO_DROP_PRESSED), graphics.Bitmap(IDB_COMBO_DROP_DISABLED)}};
}

HWND MakeLabel(HWND panel, int id, RECT place, UINT textId, HFONT font) {
  const std::wstring text = textId ? win::LoadString(textId) : std::wstring();
  HWND label = ::CreateWindowExW(0, L"STATIC", text.c_str(), WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX,
                                 place.left, place.top, place.right, place.bottom, panel,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                 ::GetModuleHandleW(nullptr), nullptr);
  if (label && font) ::SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return label;
}

bool MakePushButton(CMenuButton& button, HWND panel, POINT at, int id, UINT captionId,
                    const app::SharedGraphics& graphics) {
  if (!button.Create(at.x, at.y, graphics.Bitmap(IDB_PUSH_NORMAL), graphics.Bitmap(IDB_PUSH_HOVER),
                     graphics.Bitmap(IDB_PUSH_PRESSED), MenuButtonStyle::kPush, captionId, 0, panel, id))
    return false;
  button.SetDisabledBitmap(graphics.Bitmap(IDB_PUSH_DISABLED));
  button.SetCaptionFont(graphics.Font(app::SharedFont::kTahoma12Bold), RGB(255, 255, 255));
  return true;
}

void ShowControls(std::initializer_list<HWND> controls, bool show) noexcept {
  for (HWND control : controls)
    if (control) ::ShowWindow(control, show ? SW_SHOW : SW_HIDE);
}

std::wstring TextOf(HWND window) {
  const int length = ::GetWindowTextLengthW(window);
  if (length <= 0) return {};
  std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1);
  const int copied = ::GetWindowTextW(window, buffer.data(), length + 1);
  return std::wstring(buffer.data(), static_cast<size_t>(copied > 0 ? copied : 0));
}

std::wstring ComboAppList::Text(int index) const {
  return combo_.TextAt(index);
}

}  // namespace tasks
