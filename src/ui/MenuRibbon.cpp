#include "ui/MenuRibbon.h"

#include "SkinIds.h"
#include "ui/MenuBackBuffer.h"
#include "ui/Paint.h"

namespace {

constexpr wchar_t kClassName[] = L"StartdeckMenuRibbon";
constexpr int kFirstTabCommand = 335;
constexpr int kLastTabCommand = 355;

struct TabRow {
  int id;
  UINT caption;
  int faces[4];  // normal, hover, pressed (selected), disabled
};

// Left to right; the order of the IDs is not the order of the tabs.
constexpr TabRow kTabs[CMenuRibbon::kTabCount] = {
    {335, 179, {IDB_TAB_TRANSLATION_NORMAL, IDB_TAB_TRANSLATION_HOVER, IDB_TAB_TRANSLATION_PRESSED,
                IDB_TAB_TRANSLATION_DISABLED}},  // "Translation"
    {338, 180, {IDB_TAB_SETUP_NORMAL, IDB_TAB_SETUP_HOVER, IDB_TAB_SETUP_PRESSED, IDB_TAB_SETUP_DISABLED}},
    {348, 181, {IDB_TAB_DICTIONARIES_NORMAL, IDB_TAB_DICTIONARIES_HOVER, IDB_TAB_DICTIONARIES_PRESSED,
                IDB_TAB_DICTIONARIES_DISABLED}},
    {353, 182, {IDB_TAB_LAUNCH_NORMAL, IDB_TAB_LAUNCH_HOVER, IDB_TAB_LAUNCH_PRESSED, IDB_TAB_LAUNCH_DISABLED}},
    {342, 185, {IDB_TAB_NET_NORMAL, IDB_TAB_NET_HOVER, IDB_TAB_NET_PRESSED, IDB_TAB_NET_DISABLED}},
    {345, 184, {IDB_TAB_MYVANTO_NORMAL, IDB_TAB_MYVANTO_HOVER, IDB_TAB_MYVANTO_PRESSED, IDB_TAB_MYVANTO_DISABLED}},
    {355, 183, {IDB_TAB_GUIDE_NORMAL, IDB_TAB_GUIDE_HOVER, IDB_TAB_GUIDE_PRESSED, IDB_TAB_GUIDE_DISABLED}},
};

constexpr COLORREF kCaptionColor = RGB(255, 255, 255);

}  // namespace

bool CMenuRibbon::Create(int x, int y, HWND parent, int controlId, HFONT font) {
  // The tabs load their faces themselves, each when it is first shown.
  const SIZE tab = ui::BitmapResourceSize(::GetModuleHandleW(nullptr), kTabs[0].faces[0]);
  if (!CreateWindowOf(kClassName, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, x, y,
                      static_cast<int>(kTabCount) * tab.cx, tab.cy, parent, controlId))
    return false;
  int left = 0;
  for (size_t i = 0; i < kTabCount; ++i) {
    const int* faces = kTabs[i].faces;
    CMenuButton& button = tabs_[i];
    if (!button.CreateWithSkinFaces(left, 0, {faces[0], faces[1], faces[2], faces[3]}, MenuButtonStyle::kTab,
                                    kTabs[i].caption, 0, hwnd(), kTabs[i].id))
      return false;
    button.SetCaptionFont(font, kCaptionColor);
    left += button.Size().cx;
  }
  return true;
}

CMenuButton* CMenuRibbon::Tab(int id) noexcept {
  for (size_t i = 0; i < kTabCount; ++i)
    if (kTabs[i].id == id) return &tabs_[i];
  return nullptr;
}

void CMenuRibbon::Select(int id) {
  if (id == selected_) return;
  CMenuButton* entered = Tab(id);
  if (!entered) return;
  const HWND parent = ::GetParent(hwnd());
  if (selected_ != 0) {
    const int left = selected_;
    Leave(left);
    ::SendMessageW(parent, app::kTabLeftMessage, static_cast<WPARAM>(left), 0);
  }
  selected_ = id;
  entered->SetState(MenuButtonState::kPressed, true);
  ::SendMessageW(parent, app::kTabEnteredMessage, static_cast<WPARAM>(id), 0);
}

void CMenuRibbon::Mark(int id) {
  CMenuButton* marked = Tab(id);
  if (!marked || id == selected_) return;
  if (selected_ != 0) Leave(selected_);
  selected_ = id;
  marked->SetState(MenuButtonState::kPressed, true);
}

void CMenuRibbon::Clear(bool force) {
  for (CMenuButton& tab : tabs_)
    if (force || tab.State() != MenuButtonState::kDisabled) tab.SetState(MenuButtonState::kNormal, true);
  selected_ = 0;
}

void CMenuRibbon::EnableTab(int id, bool enable) {
  CMenuButton* tab = Tab(id);
  if (!tab) return;
  if (!enable && id == selected_) selected_ = 0;
  tab->SetState(enable ? MenuButtonState::kNormal : MenuButtonState::kDisabled, true);
}

void CMenuRibbon::Leave(int id) noexcept {
  CMenuButton* left = Tab(id);
  if (left && left->State() != MenuButtonState::kDisabled) left->SetState(MenuButtonState::kNormal, true);
}

void CMenuRibbon::Paint(HDC dc) const {
  RECT rc{};
  ::GetClientRect(hwnd(), &rc);
  ui::PaintParentBackground(hwnd(), dc, rc);
}

LRESULT CMenuRibbon::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND: {
      const int id = LOWORD(wParam);
      if (id >= kFirstTabCommand && id <= kLastTabCommand) Select(id);
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      const HDC dc = ::BeginPaint(hwnd(), &ps);
      RECT rc{};
      ::GetClientRect(hwnd(), &rc);
      {
        ui::MenuBackBuffer buffer(dc, rc.right, rc.bottom);
        Paint(buffer.dc());
        buffer.Present();
      }
      ::EndPaint(hwnd(), &ps);
      return 0;
    }
    case WM_PRINTCLIENT:
      // The tabs ask for what lies behind them; that is the parent's surface.
      Paint(reinterpret_cast<HDC>(wParam));
      return 0;
    default:
      break;
  }
  return Default(message, wParam, lParam);
}
