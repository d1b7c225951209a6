#include "controls/CustomCheckbox.h"

#include "StringIds.h"

#include <commctrl.h>

#include "controls/Paint.h"
#include "controls/Tooltip.h"
#include "win/Handle.h"
#include "win/KeyboardCues.h"
#include "win/Resources.h"

namespace ui::skin {
namespace {

constexpr wchar_t kCheckboxClass[] = L"StartdeckCheckbox";
// The parts' identifiers inside the check box.
constexpr int kButtonId = 1;
constexpr int kLabelId = 2;

}  // namespace

bool CCustomCheckbox::Create(int x, int y, UINT labelId, HWND parent, int id, const CheckboxSkin& skin) {
  skin_ = skin;
  id_ = id;
  ticked_ = false;
  const SIZE image = ui::BitmapSize(skin.offNormal);
  if (image.cx <= 0 || image.cy <= 0) return false;  // nothing to click on
  text_ = labelId ? win::LoadString(labelId) : std::wstring();
  shownText_ = ui::WithoutAccessMarkers(text_);
  if (!CreateWindowOf(kCheckboxClass, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_TABSTOP, x, y,
                      image.cx + scale_.Px(kExtraWidth), image.cy, parent, id))
    return false;
  // The main window's tips read it here, and the dialog manager finds the access key in it.
  ::SetWindowTextW(hwnd(), text_.c_str());

  button_.SetScale(scale_);
  if (!button_.Create(0, 0, skin.offNormal, skin.offHover, skin.offPressed, MenuButtonStyle::kPush, 0, 0,
                      hwnd(), kButtonId))
    return false;
  button_.SetTabStop(false);  // the box is the stop
  button_.SetAccessibleName(shownText_);
  // SS_NOTIFY: a click on the label toggles the box, as it does on a standard Windows check box,
  // where the whole caption is part of the control and users aim at the text more than at the box.
  const int labelX = image.cx + scale_.Px(kLabelGap);
  const int labelTop = scale_.Px(1);
  label_ = ::CreateWindowExW(0, L"STATIC", text_.c_str(), WS_CHILD | WS_VISIBLE | SS_OWNERDRAW | SS_NOTIFY,
                             labelX, labelTop, scale_.Px(kLabelRight) - labelX, image.cy - labelTop, hwnd(),
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(kLabelId)),
                             ::GetModuleHandleW(nullptr), nullptr);
  if (!label_) return false;
  if (skin.labelFont) ::SendMessageW(label_, WM_SETFONT, reinterpret_cast<WPARAM>(skin.labelFont), FALSE);

  // The box's own small tip rather than the main window's: the box works on any panel, and its
  // parts are its own windows, whose mouse messages only it can hand to a tip.
  if (!skin.ownTooltip) return true;
  tooltip_ = CreateTooltip(hwnd());
  AddTip(button_.hwnd());
  AddTip(label_);
  return true;
}

void CCustomCheckbox::SetScale(win::Scale scale) {
  scale_ = scale;
  if (hwnd()) Layout();
}

void CCustomCheckbox::SetSkin(const CheckboxSkin& skin) {
  // Whether the box has a tip of its own was settled when it was made.
  const bool ownTooltip = skin_.ownTooltip;
  skin_ = skin;
  skin_.ownTooltip = ownTooltip;
  if (!hwnd()) return;
  ShowFaces();
  if (label_) ::SendMessageW(label_, WM_SETFONT, reinterpret_cast<WPARAM>(skin_.labelFont), FALSE);
  Layout();
}

void CCustomCheckbox::Layout() {
  const SIZE image = ui::BitmapSize(skin_.offNormal);
  if (image.cx <= 0 || image.cy <= 0) return;  // nothing to size by: left as it is
  ::SetWindowPos(hwnd(), nullptr, 0, 0, image.cx + scale_.Px(kExtraWidth), image.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  button_.SetScale(scale_);  // as large as its face
  const int labelX = image.cx + scale_.Px(kLabelGap);
  const int labelTop = scale_.Px(1);
  if (label_)
    ::SetWindowPos(label_, nullptr, labelX, labelTop, scale_.Px(kLabelRight) - labelX, image.cy - labelTop,
                   SWP_NOZORDER | SWP_NOACTIVATE);
  ::InvalidateRect(hwnd(), nullptr, TRUE);
}

void CCustomCheckbox::AddTip(HWND part) noexcept {
  if (!tooltip_ || !part || text_.empty()) return;
  AddTooltipTool(tooltip_, {.owner = hwnd(),
                            .id = reinterpret_cast<UINT_PTR>(part),
                            .flags = TTF_IDISHWND | TTF_SUBCLASS,
                            .text = shownText_.c_str()});
}

void CCustomCheckbox::SetTicked(bool ticked) noexcept {
  if (ticked == ticked_) return;
  ticked_ = ticked;
  ShowFaces();
  win::RaiseAccessEvent(EVENT_OBJECT_STATECHANGE, hwnd());
}

wchar_t CCustomCheckbox::AccessKey() const noexcept {
  return ui::AccessKeyOf(text_);
}

void CCustomCheckbox::ShowFaces() noexcept {
  if (ticked_)
    button_.SetFaces(skin_.onNormal, skin_.onHover, skin_.onPressed);
  else
    button_.SetFaces(skin_.offNormal, skin_.offHover, skin_.offPressed);
}

void CCustomCheckbox::Toggle() {
  ticked_ = !ticked_;
  ShowFaces();
  win::RaiseAccessEvent(EVENT_OBJECT_STATECHANGE, hwnd());
  ::SendMessageW(::GetParent(hwnd()), WM_COMMAND, MAKEWPARAM(id_, BN_CLICKED),
                 reinterpret_cast<LPARAM>(hwnd()));
}

void CCustomCheckbox::OnButton(bool down, LPARAM lParam) {
  if (down) {
    pressing_ = true;
    ::SetCapture(hwnd());
    return;
  }
  if (!pressing_) return;
  pressing_ = false;
  if (::GetCapture() == hwnd()) ::ReleaseCapture();
  RECT rc{};
  ::GetClientRect(hwnd(), &rc);
  const POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
  if (::PtInRect(&rc, at)) Toggle();
}

void CCustomCheckbox::PaintBackground(HDC dc) const noexcept {
  RECT rc{};
  ::GetClientRect(hwnd(), &rc);
  ui::PaintParentBackground(hwnd(), dc, rc);
}

HBRUSH CCustomCheckbox::LabelColors(HDC dc) const noexcept {
  // The panel shows through the label: its background is painted first, the text over it.
  RECT rc{};
  ::GetClientRect(label_, &rc);
  ui::PaintParentBackground(label_, dc, rc);
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, skin_.textColor);
  return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
}

void CCustomCheckbox::DrawLabel(const DRAWITEMSTRUCT& item) const {
  // As the static control drew it (left, tabs expanded, wrapped at words), with the access key.
  RECT rc = item.rcItem;
  const HDC dc = item.hDC;
  ui::PaintParentBackground(label_, dc, rc);
  const auto font = reinterpret_cast<HFONT>(::SendMessageW(label_, WM_GETFONT, 0, 0));
  win::SelectScope select(dc, font ? static_cast<HGDIOBJ>(font) : ::GetCurrentObject(dc, OBJ_FONT));
  const bool contrast = win::HighContrastOn();
  const int oldMode = ::SetBkMode(dc, contrast ? OPAQUE : TRANSPARENT);
  const COLORREF oldBack = ::SetBkColor(dc, contrast ? ::GetSysColor(COLOR_BTNFACE) : ::GetBkColor(dc));
  const COLORREF oldColor = ::SetTextColor(dc, contrast ? ui::ContrastTextColor(false) : skin_.textColor);
  // While access keys are hidden the label is drawn as shown, without prefix processing.
  const bool keys = win::AccessKeysShown(label_);
  const std::wstring& text = keys ? text_ : shownText_;
  ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rc,
              DT_LEFT | DT_EXPANDTABS | DT_WORDBREAK | (keys ? 0u : DT_NOPREFIX));
  ::SetTextColor(dc, oldColor);
  ::SetBkColor(dc, oldBack);
  ::SetBkMode(dc, oldMode);
}

void CCustomCheckbox::ShowFocus() noexcept {
  // The cue goes round the picture, the part that shows the state.
  button_.SetFocusCue(hwnd() && ::GetFocus() == hwnd(), 0);
}

bool CCustomCheckbox::OnKey(UINT message, WPARAM key, LPARAM lParam) {
  const bool repeat = (lParam & (1L << 30)) != 0;
  if (key == VK_RETURN && message == WM_KEYDOWN) {
    if (!repeat && !spacePressing_) Toggle();
    return true;
  }
  if (key != VK_SPACE) return false;
  if (message == WM_KEYDOWN) {
    if (repeat || spacePressing_ || pressing_) return true;
    spacePressing_ = true;
    button_.SetState(MenuButtonState::kPressed, true);
    return true;
  }
  if (!spacePressing_) return true;
  spacePressing_ = false;
  button_.SetState(MenuButtonState::kNormal, true);
  Toggle();
  return true;
}

std::wstring CCustomCheckbox::AccName(long /*child*/) const {
  return shownText_;
}

long CCustomCheckbox::AccRole(long /*child*/) const {
  return ROLE_SYSTEM_CHECKBUTTON;
}

long CCustomCheckbox::AccState(long /*child*/) const {
  return ticked_ ? STATE_SYSTEM_CHECKED : 0;
}

std::wstring CCustomCheckbox::AccDefaultAction(long /*child*/) const {
  return win::LoadString(ticked_ ? IDS_ACC_UNCHECK : IDS_ACC_CHECK);
}

bool CCustomCheckbox::AccDoDefaultAction(long /*child*/) {
  // Posted: the parent's answer to the click runs after the caller has its answer.
  return hwnd() && ::PostMessageW(hwnd(), BM_CLICK, 0, 0) != FALSE;
}

std::wstring CCustomCheckbox::AccKeyboardShortcut(long /*child*/) const {
  return ui::AccessShortcutOf(text_);
}

LRESULT CCustomCheckbox::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND: return 1;  // WM_PAINT covers every pixel
    case WM_PAINT: {
      const win::PaintScope paint(hwnd());
      PaintBackground(paint.dc());
      return 0;
    }
    case WM_PRINTCLIENT: PaintBackground(reinterpret_cast<HDC>(wParam)); return 0;
    case WM_GETFONT: return label_ ? ::SendMessageW(label_, WM_GETFONT, 0, 0) : 0;
    case app::kApplyScaleMessage: SetScale(win::Scale(static_cast<int>(wParam))); return 0;
    case WM_CTLCOLORSTATIC:
      if (reinterpret_cast<HWND>(lParam) == label_)
        return reinterpret_cast<LRESULT>(LabelColors(reinterpret_cast<HDC>(wParam)));
      break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP: OnButton(message != WM_LBUTTONUP, lParam); return 0;
    case WM_CANCELMODE:
    case WM_CAPTURECHANGED:
      if (message == WM_CANCELMODE || reinterpret_cast<HWND>(lParam) != hwnd()) {
        const bool held = pressing_;
        pressing_ = false;
        if (held && ::GetCapture() == hwnd()) ::ReleaseCapture();
      }
      if (message == WM_CANCELMODE) {
        spacePressing_ = false;
        ::SendMessageW(button_.hwnd(), WM_CANCELMODE, 0, 0);
      }
      return 0;
    case BM_GETCHECK: return ticked_ ? BST_CHECKED : BST_UNCHECKED;
    case BM_SETCHECK: SetTicked(wParam == BST_CHECKED); return 0;
    case BM_CLICK: Toggle(); return 0;
    case WM_GETDLGCODE:
      // Enter toggles the box itself.
      return ui::DialogCodeTakingEnter(DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON, lParam);
    case WM_KEYDOWN:
    case WM_KEYUP:
      if (OnKey(message, wParam, lParam)) return 0;
      break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      if (message == WM_KILLFOCUS && spacePressing_) {
        spacePressing_ = false;  // the key's up will not come here: the press is given up
        button_.SetState(MenuButtonState::kNormal, true);
      }
      ShowFocus();
      return 0;
    case WM_DRAWITEM:
      if (reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)->hwndItem != label_) break;
      DrawLabel(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      return TRUE;
    case WM_UPDATEUISTATE: {
      // The default procedure keeps the new state and tells the parts before the label is drawn by it.
      const LRESULT result = Default(message, wParam, lParam);
      if (label_) ::InvalidateRect(label_, nullptr, FALSE);
      return result;
    }
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE:
      if (label_) ::InvalidateRect(label_, nullptr, FALSE);
      break;
    case WM_COMMAND: {
      const HWND from = reinterpret_cast<HWND>(lParam);
      const WORD code = HIWORD(wParam);
      // A double click is two clicks, as on a standard check box; the button reports both itself.
      if ((from == button_.hwnd() && code == BN_CLICKED) ||
          (from == label_ && (code == STN_CLICKED || code == STN_DBLCLK))) {
        Toggle();
        return 0;
      }
      break;
    }
    default: break;
  }
  return Default(message, wParam, lParam);
}

}  // namespace ui::skin
