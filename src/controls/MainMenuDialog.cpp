#include "controls/MainMenuDialog.h"

#include "ResourceIds.h"
#include "SkinIds.h"
#include "core/StartupTrace.h"
#include "controls/MenuBackBuffer.h"
#include "controls/Paint.h"
#include "menu/TabTable.h"
#include "win/Resources.h"

namespace {

constexpr POINT kLargePosition{20, 15};
constexpr int kGapBelowLarge = 29;  // from the large face's height to the first row of cards
constexpr int kCardsPerColumn = 3;
constexpr COLORREF kLargeCaptionColor = RGB(255, 255, 255);
constexpr COLORREF kCardCaptionColor = RGB(0, 0, 0);

}  // namespace

bool CMainMenuDialog::Create(HWND parent, int x, int y, const MainMenuFonts& fonts) {
  fonts_ = fonts;
  if (!Dialog::Create(win::ResourceModule(), IDD_START_PAGE, parent)) return false;
  ::SetWindowPos(hwnd(), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  return true;
}

CMenuButton* CMainMenuDialog::Button(int id) noexcept {
  const ui::TabRow* row = ui::TabOfStartButton(id);
  return row ? &buttons_[static_cast<size_t>(row->startSlot)] : nullptr;
}

void CMainMenuDialog::SetButtonState(int id, MenuButtonState state, bool repaint) noexcept {
  if (CMenuButton* button = Button(id)) button->SetState(state, repaint);
}

void CMainMenuDialog::SetText(const std::wstring& text) {
  text_ = text;
  if (const HWND item = ::GetDlgItem(hwnd(), IDC_START_TEXT)) ::InvalidateRect(item, nullptr, FALSE);
}

void CMainMenuDialog::OnInitDialog() {
  background_.reset(ui::LoadSkinBitmap(IDB_START_BACKGROUND));
  const SIZE page = ui::BitmapSize(background_.get());
  ::SetWindowPos(hwnd(), nullptr, 0, 0, page.cx, page.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

  // Y is where the cards start: the large button's hover face is the measure, as the faces are
  // drawn to that plan. W and H are a card's size.
  // The buttons load their other faces when they first show them.
  const HMODULE self = ::GetModuleHandleW(nullptr);
  const SIZE large = ui::BitmapResourceSize(self, ui::TabInStartSlot(0)->startFaces[1]);
  const SIZE card = ui::BitmapResourceSize(self, ui::TabInStartSlot(1)->startFaces[1]);
  const int top = large.cy + kGapBelowLarge;
  for (size_t i = 0; i < kButtonCount; ++i) {
    // The large button in slot 0, then two columns of three cards.
    const ui::TabRow& row = *ui::TabInStartSlot(i);
    const bool isLarge = i == 0;
    const int column = static_cast<int>(i - 1) / kCardsPerColumn,
              line = static_cast<int>(i - 1) % kCardsPerColumn;
    const int x = isLarge ? kLargePosition.x : 1 + column * card.cx;
    const int y = isLarge ? kLargePosition.y : top + line * (card.cy + 1);
    CMenuButton& button = buttons_[i];
    const std::array<int, 4>& faces = row.startFaces;
    button.CreateWithSkinFaces(x, y, {faces[0], faces[1], faces[2], faces[3]},
                               isLarge ? MenuButtonStyle::kLarge : MenuButtonStyle::kCard, row.captionId,
                               row.startTextId, hwnd(), row.startButtonId);
    if (isLarge) {
      button.SetCaptionFont(fonts_.large, kLargeCaptionColor);
    } else {
      button.SetCaptionFont(fonts_.caption, kCardCaptionColor);
      button.SetDescriptionFont(fonts_.description, kBlue);
    }
  }

  // The text sits in the strip between the large button and the cards, aligned with both.
  if (const HWND text = ::GetDlgItem(hwnd(), IDC_START_TEXT))
    ::SetWindowPos(text, nullptr, kLargePosition.x + 4, kLargePosition.y + large.cy,
                   page.cx - 2 * (kLargePosition.x + 4), top - (kLargePosition.y + large.cy),
                   SWP_NOZORDER | SWP_NOACTIVATE);
}

void CMainMenuDialog::PaintBackground(HDC dc, int x, int y) const {
  if (!background_) return;
  win::UniqueMemoryDc memory(::CreateCompatibleDC(dc));
  if (!memory) return;
  win::SelectScope select(memory.get(), background_.get());
  const SIZE size = ui::BitmapSize(background_.get());
  ::BitBlt(dc, x, y, size.cx, size.cy, memory.get(), 0, 0, SRCCOPY);
}

void CMainMenuDialog::DrawStaticText(const DRAWITEMSTRUCT& item) const {
  const RECT& rc = item.rcItem;
  const int width = rc.right - rc.left, height = rc.bottom - rc.top;
  ui::MenuBackBuffer buffer(item.hDC, width, height);
  // The page's own surface behind the text, shifted to the text's place.
  RECT place{};
  ::GetWindowRect(item.hwndItem, &place);
  ::MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&place), 2);
  PaintBackground(buffer.dc(), -place.left, -place.top);
  if (!text_.empty()) {
    win::SelectScope font(buffer.dc(), fonts_.text ? fonts_.text : ::GetStockObject(DEFAULT_GUI_FONT));
    ::SetBkMode(buffer.dc(), TRANSPARENT);
    ::SetTextColor(buffer.dc(), kBlue);
    RECT text{0, 0, width, height};
    ::DrawTextW(buffer.dc(), text_.c_str(), static_cast<int>(text_.size()), &text,
                DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
  }
  buffer.Present();
}

bool CMainMenuDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
  switch (message) {
    case WM_INITDIALOG:
      OnInitDialog();
      result = FALSE;  // the page takes no focus
      return true;
    case WM_ERASEBKGND:
      result = 1;  // the background bitmap covers the page
      return true;
    case WM_PAINT:
      ui::PaintBuffered(hwnd(), ui::BitmapSize(background_.get()),
                        [this](HDC dc) { PaintBackground(dc, 0, 0); });
      app::MarkStartup(L"start page's first WM_PAINT");
      return true;
    case WM_PRINTCLIENT: PaintBackground(reinterpret_cast<HDC>(wParam), 0, 0); return true;
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (item->CtlID != IDC_START_TEXT) return false;
      DrawStaticText(*item);
      result = TRUE;
      return true;
    }
    case WM_SHOWWINDOW:
      // Shown again: whatever was hovered or pressed before is over; disabled stays disabled.
      if (wParam)
        for (CMenuButton& button : buttons_)
          if (button.State() != MenuButtonState::kDisabled) button.SetState(MenuButtonState::kNormal, false);
      return false;
    case WM_COMMAND:
      // The buttons tell the main window themselves; the page has nothing to add.
      result = 0;
      return true;
    default: return false;
  }
}

void CMainMenuDialog::OnFinalMessage() {
  background_.reset();
}
