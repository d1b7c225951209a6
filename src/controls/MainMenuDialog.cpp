#include "controls/MainMenuDialog.h"

#include <climits>

#include "ResourceIds.h"
#include "SkinIds.h"
#include "core/PrivateMessages.h"
#include "core/StartupTrace.h"
#include "controls/MenuBackBuffer.h"
#include "controls/Paint.h"
#include "menu/TabTable.h"
#include "win/KeyboardCues.h"
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

std::vector<int> CMainMenuDialog::FirstPictures() {
  std::vector<int> ids{IDB_START_BACKGROUND};
  for (size_t i = 0; i < kButtonCount; ++i) ids.push_back(ui::TabInStartSlot(i)->startFaces[0]);
  return ids;
}

CMenuButton* CMainMenuDialog::Button(int id) noexcept {
  const ui::TabRow* row = ui::TabOfStartButton(id);
  return row ? &buttons_[static_cast<size_t>(row->startSlot)] : nullptr;
}

void CMainMenuDialog::SetButtonState(int id, MenuButtonState state, bool repaint) noexcept {
  if (CMenuButton* button = Button(id)) button->SetState(state, repaint);
}

std::wstring CMainMenuDialog::AccessibleName() const {
  // The welcome line the main window shows above the page while it is on show; the page's own text
  // or the product name (the main window's title) when there is none.
  const HWND parent = ::GetParent(hwnd());
  std::wstring name = win::WindowTextOf(::GetDlgItem(parent, IDC_WELCOME_TEXT));
  if (name.empty()) name = text_;
  if (name.empty()) name = win::WindowTextOf(::GetAncestor(hwnd(), GA_ROOT));
  return win::WithoutAccessKey(name);
}

void CMainMenuDialog::SetText(const std::wstring& text) {
  text_ = text;
  if (const HWND item = ::GetDlgItem(hwnd(), IDC_START_TEXT)) ::InvalidateRect(item, nullptr, FALSE);
}

void CMainMenuDialog::OnInitDialog() {
  background_.reset(ui::LoadSkinBitmap(IDB_START_BACKGROUND, scale_));
  for (size_t i = 0; i < kButtonCount; ++i) {
    // The large button in slot 0, then two columns of three cards; Layout places them.
    const ui::TabRow& row = *ui::TabInStartSlot(i);
    const bool isLarge = i == 0;
    CMenuButton& button = buttons_[i];
    const std::array<int, 4>& faces = row.startFaces;
    button.SetScale(scale_);
    button.CreateWithSkinFaces(0, 0, {faces[0], faces[1], faces[2], faces[3]},
                               isLarge ? MenuButtonStyle::kLarge : MenuButtonStyle::kCard, row.captionId,
                               row.startTextId, hwnd(), row.startButtonId);
    button.SetArrowsToParent(true);
  }
  SetFonts(fonts_);
  Layout();
}

void CMainMenuDialog::SetFonts(const MainMenuFonts& fonts) {
  fonts_ = fonts;
  for (size_t i = 0; i < kButtonCount; ++i) {
    CMenuButton& button = buttons_[i];
    if (i == 0) {
      button.SetCaptionFont(fonts_.large, kLargeCaptionColor);
    } else {
      button.SetCaptionFont(fonts_.caption, kCardCaptionColor);
      button.SetDescriptionFont(fonts_.description, kBlue);
    }
  }
  if (const HWND item = hwnd() ? ::GetDlgItem(hwnd(), IDC_START_TEXT) : nullptr)
    ::InvalidateRect(item, nullptr, FALSE);
}

void CMainMenuDialog::SetScale(win::Scale scale) {
  if (scale == scale_ && !hwnd()) return;
  const bool changed = scale != scale_;
  scale_ = scale;
  if (!hwnd()) return;
  if (changed) background_.reset(ui::LoadSkinBitmap(IDB_START_BACKGROUND, scale_));
  for (CMenuButton& button : buttons_) button.SetScale(scale_);
  Layout();
  ::InvalidateRect(hwnd(), nullptr, FALSE);
}

void CMainMenuDialog::Layout() {
  const SIZE page = ui::BitmapSize(background_.get());
  ::SetWindowPos(hwnd(), nullptr, 0, 0, page.cx, page.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

  // Y is where the cards start: the large button's hover face is the measure, as the faces are
  // drawn to that plan. W and H are a card's size. The buttons load their faces when they first
  // show them.
  const SIZE large = ui::SkinBitmapSize(ui::TabInStartSlot(0)->startFaces[1], scale_);
  const SIZE card = ui::SkinBitmapSize(ui::TabInStartSlot(1)->startFaces[1], scale_);
  const POINT largeAt = scale_.Px(kLargePosition);
  const int top = large.cy + scale_.Px(kGapBelowLarge);
  const int gap = scale_.Px(1);
  for (size_t i = 0; i < kButtonCount; ++i) {
    const bool isLarge = i == 0;
    const int column = static_cast<int>(i - 1) / kCardsPerColumn,
              line = static_cast<int>(i - 1) % kCardsPerColumn;
    const int x = isLarge ? largeAt.x : gap + column * card.cx;
    const int y = isLarge ? largeAt.y : top + line * (card.cy + gap);
    if (buttons_[i].hwnd())
      ::SetWindowPos(buttons_[i].hwnd(), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }

  // The text sits in the strip between the large button and the cards, aligned with both.
  if (const HWND text = ::GetDlgItem(hwnd(), IDC_START_TEXT)) {
    const int inset = largeAt.x + scale_.Px(4);
    ::SetWindowPos(text, nullptr, inset, largeAt.y + large.cy, page.cx - 2 * inset,
                   top - (largeAt.y + large.cy), SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

HWND CMainMenuDialog::NextButton(HWND from, WPARAM key) const {
  const auto place = [this](HWND button) {
    RECT rc{};
    ::GetWindowRect(button, &rc);
    ::MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&rc), 2);
    return rc;
  };
  const bool across = key == VK_LEFT || key == VK_RIGHT;
  const bool back = key == VK_LEFT || key == VK_UP;
  const RECT at = place(from);
  // The buttons that lie that way: first those in line with this one, the nearest of them; else the
  // nearest with one off to the side counting as farther; on a tie the first in reading order (the
  // page's order of its buttons).
  const auto centre = [](const RECT& rc) {
    return POINT{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
  };
  const POINT from0 = centre(at);
  HWND best = nullptr;
  bool bestInLine = false;
  long bestScore = LONG_MAX;
  for (const CMenuButton& button : buttons_) {
    if (!button.hwnd() || button.hwnd() == from || button.State() == MenuButtonState::kDisabled ||
        !::IsWindowVisible(button.hwnd()))
      continue;
    const RECT to = place(button.hwnd());
    const POINT to0 = centre(to);
    const long dx = to0.x - from0.x, dy = to0.y - from0.y;
    const long along = back ? -(across ? dx : dy) : (across ? dx : dy);
    if (along <= 0) continue;
    const long aside = across ? (dy < 0 ? -dy : dy) : (dx < 0 ? -dx : dx);
    const bool inLine =
        across ? (to.top < at.bottom && at.top < to.bottom) : (to.left < at.right && at.left < to.right);
    const long score = inLine ? along : along + 2 * aside;
    if (best && bestInLine && !inLine) continue;
    if (best && bestInLine == inLine && score >= bestScore) continue;
    best = button.hwnd();
    bestInLine = inLine;
    bestScore = score;
  }
  return best;
}

void CMainMenuDialog::PaintBackground(HDC dc, int x, int y) const {
  ui::DrawBitmap(dc, background_.get(), x, y);
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
  const bool contrast = win::HighContrastOn();
  if (contrast && !text_.empty()) {
    // The skin's blue is not what the user chose: the system's text on its window colour. An empty
    // text leaves the page as it is.
    RECT whole{0, 0, width, height};
    ::FillRect(buffer.dc(), &whole, ::GetSysColorBrush(COLOR_WINDOW));
  }
  if (!text_.empty()) {
    win::SelectScope font(buffer.dc(), fonts_.text ? fonts_.text : ::GetStockObject(DEFAULT_GUI_FONT));
    ::SetBkMode(buffer.dc(), TRANSPARENT);
    ::SetTextColor(buffer.dc(), contrast ? ::GetSysColor(COLOR_WINDOWTEXT) : kBlue);
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
    case WM_PAINT: {
      // One blit of the background: nothing to buffer.
      const win::PaintScope paint(hwnd());
      PaintBackground(paint.dc(), 0, 0);
      app::MarkStartup(L"start page's first WM_PAINT");
      return true;
    }
    case WM_PRINTCLIENT: PaintBackground(reinterpret_cast<HDC>(wParam), 0, 0); return true;
    case WM_GETFONT:
      result = reinterpret_cast<INT_PTR>(fonts_.text ? fonts_.text : ::GetStockObject(DEFAULT_GUI_FONT));
      return true;
    case app::kApplyScaleMessage: SetScale(win::Scale(static_cast<int>(wParam))); return true;
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
    case WM_KEYDOWN:
      // An arrow key from one of the buttons (they hand them on).
      if (wParam == VK_LEFT || wParam == VK_RIGHT || wParam == VK_UP || wParam == VK_DOWN) {
        const HWND focus = ::GetFocus();
        if (focus && ::GetParent(focus) == hwnd())
          if (const HWND next = NextButton(focus, wParam)) ::SetFocus(next);
        result = 0;
        return true;
      }
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
