#include "tasks/PanelParts.h"

#include <vector>

#include "SkinIds.h"
#include "controls/AccessKeyLabel.h"
#include "win/Resources.h"

namespace tasks {
namespace {

HMENU ControlId(int id) noexcept {
  return reinterpret_cast<HMENU>(static_cast<INT_PTR>(id));
}

}  // namespace

RECT ScaledEdges(const ControlPlace& place, win::Scale scale) noexcept {
  const RECT& box = place.box;
  RECT edges = scale.Box(box.left, box.top, box.right, box.bottom);
  if (box.right == 0) edges.right = edges.left;
  if (box.bottom == 0) edges.bottom = edges.top;
  return edges;
}

void PlaceControls(std::initializer_list<PlacedControl> controls, const app::SharedGraphics& graphics) {
  const win::Scale scale = graphics.Scale();
  for (const auto& [control, place] : controls) {
    if (!control) continue;
    const RECT edges = ScaledEdges(place, scale);
    UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
    int height = edges.bottom - edges.top;
    if (place.box.right == 0) {
      flags |= SWP_NOSIZE;
    } else if (place.box.bottom == 0) {
      RECT now{};
      ::GetWindowRect(control, &now);
      height = now.bottom - now.top;
    }
    ::SetWindowPos(control, nullptr, edges.left, edges.top, edges.right - edges.left, height, flags);
    if (place.font != app::SharedFont::kCount)
      ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(graphics.Font(place.font)), TRUE);
  }
}

void SetFieldMargins(HWND edit, win::Scale scale) noexcept {
  const int margin = scale.Px(kFieldMargin);
  ::SendMessageW(edit, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELONG(margin, margin));
}

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

namespace {

HWND MakeStatic(HWND panel, const ControlPlace& place, UINT textId, DWORD style,
                const app::SharedGraphics& graphics) {
  const std::wstring text = textId ? win::LoadString(textId) : std::wstring();
  const RECT edges = ScaledEdges(place, graphics.Scale());
  HWND label = ::CreateWindowExW(0, L"STATIC", text.c_str(), WS_CHILD | WS_VISIBLE | SS_LEFT | style,
                                 edges.left, edges.top, edges.right - edges.left, edges.bottom - edges.top,
                                 panel, ControlId(place.id), ::GetModuleHandleW(nullptr), nullptr);
  if (label && place.font != app::SharedFont::kCount)
    ::SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(graphics.Font(place.font)), FALSE);
  return label;
}

}  // namespace

HWND MakeLabel(HWND panel, const ControlPlace& place, UINT textId, const app::SharedGraphics& graphics) {
  return MakeStatic(panel, place, textId, SS_NOPREFIX, graphics);
}

HWND MakeFieldLabel(HWND panel, const ControlPlace& place, UINT textId, const app::SharedGraphics& graphics) {
  const HWND label = MakeStatic(panel, place, textId, 0, graphics);
  // Should that fail, the static draws the key underlined at all times; it still works.
  (void)ui::DrawAsAccessKeyLabel(label);
  return label;
}

bool MakePushButton(CMenuButton& button, HWND panel, const ControlPlace& place, UINT captionId,
                    const app::SharedGraphics& graphics) {
  const RECT edges = ScaledEdges(place, graphics.Scale());
  button.SetScale(graphics.Scale());
  if (!button.Create(edges.left, edges.top, graphics.Bitmap(IDB_PUSH_NORMAL), graphics.Bitmap(IDB_PUSH_HOVER),
                     graphics.Bitmap(IDB_PUSH_PRESSED), MenuButtonStyle::kPush, captionId, 0, panel,
                     place.id))
    return false;
  button.SetDisabledBitmap(graphics.Bitmap(IDB_PUSH_DISABLED));
  button.SetCaptionFont(graphics.Font(app::SharedFont::kTahoma12Bold), RGB(255, 255, 255));
  return true;
}

bool MakeComboBox(ui::skin::CCustomComboBox& combo, HWND panel, const ControlPlace& place,
                  const app::SharedGraphics& graphics) {
  const RECT edges = ScaledEdges(place, graphics.Scale());
  combo.SetScale(graphics.Scale());
  return combo.Create(edges.left, edges.top, edges.right - edges.left, panel, place.id,
                      ComboLookOf(graphics));
}

void RestyleControl(CMenuButton& button, const app::SharedGraphics& graphics) {
  button.SetFaces(graphics.Bitmap(IDB_PUSH_NORMAL), graphics.Bitmap(IDB_PUSH_HOVER),
                  graphics.Bitmap(IDB_PUSH_PRESSED));
  button.SetDisabledBitmap(graphics.Bitmap(IDB_PUSH_DISABLED));
  button.SetCaptionFont(graphics.Font(app::SharedFont::kTahoma12Bold), RGB(255, 255, 255));
}

void RestyleControl(ui::skin::CCustomComboBox& combo, const app::SharedGraphics& graphics) {
  combo.SetLook(ComboLookOf(graphics));
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
