#include "controls/MenuRibbon.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "SkinIds.h"
#include "controls/MenuBackBuffer.h"
#include "controls/Paint.h"
#include "menu/TabTable.h"
#include "win/KeyboardCues.h"

namespace {

constexpr wchar_t kRibbonClass[] = L"StartdeckMenuRibbon";
constexpr COLORREF kCaptionColor = RGB(255, 255, 255);
// A translator marks where a long word may break with a soft hyphen; it shows only at a break.
constexpr wchar_t kSoftHyphen = L'\u00AD';
// The smallest face a caption is given, against its font's height: smaller is no longer legible.
constexpr double kSmallestFace = 0.7;

// The width of `text` as the tab draws it: its access-key markers take no room.
int TextWidth(HDC dc, std::wstring_view text) {
  const std::wstring shown = ui::WithoutAccessMarkers(text);
  SIZE size{};
  ::GetTextExtentPoint32W(dc, shown.c_str(), static_cast<int>(shown.size()), &size);
  return size.cx;
}

// Whether the tab's own drawing shows `text` whole within `width` (its caption rectangle, less the
// margins) and `height`: on one line when it is that narrow, otherwise wrapped at its blanks.
bool FitsAsDrawn(HDC dc, const std::wstring& text, const RECT& rect, int width, int height) {
  if (TextWidth(dc, text) <= width) return true;
  RECT wrapped = rect;
  ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &wrapped,
              DT_CENTER | DT_WORDBREAK | DT_CALCRECT);
  return wrapped.right - wrapped.left <= width && wrapped.bottom - wrapped.top <= height;
}

// `caption` broken into lines no wider than `width`: at blanks, and inside a word at its soft hyphens
// (the line then ends with "-"). Empty when a piece between two break points is wider on its own.
std::vector<std::wstring> BreakLines(HDC dc, const std::wstring& caption, int width) {
  const auto fits = [&](const std::wstring& text) { return TextWidth(dc, text) <= width; };
  std::vector<std::wstring> lines;
  std::wstring line;
  for (size_t start = 0; start < caption.size();) {
    size_t end = caption.find(L' ', start);
    if (end == std::wstring::npos) end = caption.size();
    const std::wstring word = caption.substr(start, end - start);
    start = end + 1;
    if (word.empty()) continue;
    // The word's syllables as the translator marked them.
    std::vector<std::wstring> pieces;
    for (size_t from = 0;;) {
      const size_t shy = word.find(kSoftHyphen, from);
      pieces.push_back(word.substr(from, shy == std::wstring::npos ? std::wstring::npos : shy - from));
      if (shy == std::wstring::npos) break;
      from = shy + 1;
    }
    std::wstring whole;
    for (const std::wstring& piece : pieces) whole += piece;
    // Whole, on this line or on the next.
    if (fits(line.empty() ? whole : line + L" " + whole)) {
      line = line.empty() ? whole : line + L" " + whole;
      continue;
    }
    if (!line.empty()) lines.push_back(std::exchange(line, std::wstring()));
    if (fits(whole)) {
      line = whole;
      continue;
    }
    // Too wide for any line: syllable by syllable, each line but the word's last closed with "-".
    if (pieces.size() < 2) return {};
    for (size_t i = 0; i < pieces.size(); ++i) {
      const std::wstring hyphen = i + 1 == pieces.size() ? L"" : L"-";
      if (fits(line + pieces[i] + hyphen)) {
        line += pieces[i];
        continue;
      }
      if (line.empty()) return {};
      lines.push_back(line + L"-");
      line = pieces[i];
      if (!fits(line + hyphen)) return {};
    }
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

std::wstring Joined(const std::vector<std::wstring>& lines) {
  std::wstring text;
  for (const std::wstring& line : lines) text += (text.empty() ? L"" : L"\n") + line;
  return text;
}

int LineHeight(HDC dc) noexcept {
  TEXTMETRICW metrics{};
  ::GetTextMetricsW(dc, &metrics);
  return metrics.tmHeight;
}

}  // namespace

bool CMenuRibbon::Create(int x, int y, HWND parent, int controlId, HFONT font, bool visible) {
  font_ = font;
  // The tabs load their faces themselves, each when it is first shown.
  const SIZE tab = ui::SkinBitmapSize(ui::TabInRibbonSlot(0)->ribbonFaces[0], scale_);
  const DWORD style = WS_CHILD | WS_CLIPCHILDREN | WS_TABSTOP | (visible ? WS_VISIBLE : 0);
  if (!CreateWindowOf(kRibbonClass, style, x, y, static_cast<int>(kTabCount) * tab.cx, tab.cy, parent,
                      controlId))
    return false;
  int left = 0;
  for (size_t i = 0; i < kTabCount; ++i) {
    const ui::TabRow& row = *ui::TabInRibbonSlot(i);
    const std::array<int, 4>& faces = row.ribbonFaces;
    CMenuButton& button = tabs_[i];
    button.SetScale(scale_);
    if (!button.CreateWithSkinFaces(left, 0, {faces[0], faces[1], faces[2], faces[3]}, MenuButtonStyle::kTab,
                                    row.ribbonCaptionId, 0, hwnd(), row.ribbonId))
      return false;
    button.SetTabStop(false);  // the ribbon is the one stop of the row
    captions_[i] = button.MarkedCaption();
    button.SetCaptionFont(font, kCaptionColor);
    FitCaption(i, Font());
    left += button.Size().cx;
  }
  return true;
}

HFONT CMenuRibbon::Font() const noexcept {
  return font_ ? font_ : static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
}

void CMenuRibbon::SetScale(win::Scale scale) {
  scale_ = scale;
  if (!hwnd()) return;
  for (CMenuButton& tab : tabs_) tab.SetScale(scale);
  Layout();
}

void CMenuRibbon::SetCaptionFont(HFONT font) {
  font_ = font;
  if (hwnd()) Layout();
}

void CMenuRibbon::Layout() {
  int left = 0, height = 0;
  for (CMenuButton& tab : tabs_) {
    if (!tab.hwnd()) continue;
    ::SetWindowPos(tab.hwnd(), nullptr, left, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    left += tab.Size().cx;
    height = std::max(height, static_cast<int>(tab.Size().cy));
  }
  ::SetWindowPos(hwnd(), nullptr, 0, 0, left, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  // The smaller faces of the old font or scale stay until every tab has let go of them.
  const std::vector<std::pair<int, win::UniqueFont>> retired = std::exchange(faces_, {});
  for (size_t i = 0; i < kTabCount; ++i) {
    if (!tabs_[i].hwnd()) continue;
    tabs_[i].SetCaptionFont(Font(), kCaptionColor);
    tabs_[i].SetCaption(captions_[i]);
    FitCaption(i, Font());
  }
  ::InvalidateRect(hwnd(), nullptr, FALSE);
}

void CMenuRibbon::FitCaption(size_t index, HFONT font) {
  CMenuButton& tab = tabs_[index];
  captionFonts_[index] = font;
  tab.SetAccessibleName({});
  std::wstring caption = tab.MarkedCaption();
  const bool marked = caption.find(kSoftHyphen) != std::wstring::npos;
  std::wstring plain = caption;
  std::erase(plain, kSoftHyphen);
  const RECT rect = tab.CaptionRect();
  const int width = rect.right - rect.left - 2 * scale_.Px(kCaptionMargin);
  const int height = rect.bottom - rect.top;
  win::UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
  if (!dc || width <= 0 || caption.empty()) return;

  std::wstring shown;
  HFONT face = font;
  {
    win::SelectScope select(dc.get(), font);
    if (FitsAsDrawn(dc.get(), plain, rect, width, height)) {
      // As it always was: the tab draws it itself.
      if (marked) tab.SetCaption(plain);
      return;
    }
  }
  // Lines of its own at the ribbon's font, else at ever smaller faces of it.
  LOGFONTW logFont{};
  ::GetObjectW(font, sizeof(logFont), &logFont);
  const int full = std::abs(logFont.lfHeight) > 0 ? std::abs(logFont.lfHeight) : scale_.Px(12);
  const int smallest = static_cast<int>(std::ceil(full * kSmallestFace));
  for (int size = full; size >= smallest; --size) {
    face = size == full ? font : SmallerFace(font, size);
    if (!face) break;
    win::SelectScope select(dc.get(), face);
    const std::vector<std::wstring> lines = BreakLines(dc.get(), caption, width);
    if (!lines.empty() && static_cast<int>(lines.size()) * LineHeight(dc.get()) <= height) {
      shown = Joined(lines);
      break;
    }
    face = nullptr;
  }
  if (!face) return;  // nothing fits: left as it was
  captionFonts_[index] = face;
  tab.SetCaptionFont(face, kCaptionColor);
  tab.SetCaption(shown);
  // Screen readers read the caption as one text; the dialog manager finds its access key there.
  ::SetWindowTextW(tab.hwnd(), plain.c_str());
  tab.SetAccessibleName(plain);
}

HFONT CMenuRibbon::SmallerFace(HFONT font, int height) {
  LOGFONTW logFont{};
  if (!::GetObjectW(font, sizeof(logFont), &logFont)) return nullptr;
  logFont.lfHeight = logFont.lfHeight < 0 ? -height : height;
  logFont.lfWidth = 0;
  for (const auto& [made, face] : faces_)
    if (made == height) return face.get();
  win::UniqueFont face(::CreateFontIndirectW(&logFont));
  if (!face) return nullptr;
  faces_.emplace_back(height, std::move(face));
  return faces_.back().second.get();
}

HFONT CMenuRibbon::CaptionFont(int id) const noexcept {
  const ui::TabRow* row = ui::TabOfRibbonId(id);
  return row ? captionFonts_[static_cast<size_t>(row->ribbonSlot)] : nullptr;
}

CMenuButton* CMenuRibbon::Tab(int id) noexcept {
  const ui::TabRow* row = ui::TabOfRibbonId(id);
  return row ? &tabs_[static_cast<size_t>(row->ribbonSlot)] : nullptr;
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
  focusSlot_ = static_cast<size_t>(ui::TabOfRibbonId(id)->ribbonSlot);
  ShowCue();
  win::RaiseAccessEvent(EVENT_OBJECT_SELECTION, entered->hwnd());
  ::SendMessageW(parent, app::kTabEnteredMessage, static_cast<WPARAM>(id), 0);
}

void CMenuRibbon::Mark(int id) {
  CMenuButton* marked = Tab(id);
  if (!marked || id == selected_) return;
  if (selected_ != 0) Leave(selected_);
  selected_ = id;
  marked->SetState(MenuButtonState::kPressed, true);
  focusSlot_ = static_cast<size_t>(ui::TabOfRibbonId(id)->ribbonSlot);
  ShowCue();
  win::RaiseAccessEvent(EVENT_OBJECT_SELECTION, marked->hwnd());
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

bool CMenuRibbon::Enabled(size_t slot) const noexcept {
  const CMenuButton& tab = tabs_[slot];
  return tab.hwnd() && ::IsWindowVisible(tab.hwnd()) && tab.State() != MenuButtonState::kDisabled;
}

void CMenuRibbon::SelectNext(bool backwards) {
  const int count = static_cast<int>(kTabCount);
  const ui::TabRow* row = selected_ ? ui::TabOfRibbonId(selected_) : nullptr;
  // With no tab selected, the first step lands on the first (or last) tab.
  const int start = row ? row->ribbonSlot : (backwards ? count : -1);
  const int step = backwards ? -1 : 1;
  for (int k = 1; k <= count; ++k) {
    const int slot = ((start + step * k) % count + count) % count;
    if (!Enabled(static_cast<size_t>(slot))) continue;
    MoveTo(static_cast<size_t>(slot));
    return;
  }
}

void CMenuRibbon::MoveTo(size_t slot) {
  const HWND self = hwnd();
  const bool focused = ::GetFocus() == self;
  focusSlot_ = slot;
  ShowCue();
  CMenuButton& tab = tabs_[slot];
  if (tab.Id() != selected_) tab.Click();
  // The main window may show a panel that takes the focus: the arrows keep it on the row.
  if (focused && ::IsWindow(self) && ::IsWindowVisible(self) && ::GetFocus() != self) ::SetFocus(self);
}

void CMenuRibbon::ShowCue() {
  const bool focused = hwnd() && ::GetFocus() == hwnd();
  for (size_t i = 0; i < kTabCount; ++i) tabs_[i].SetFocusCue(focused && i == focusSlot_);
  if (focused && tabs_[focusSlot_].hwnd())
    win::RaiseAccessEvent(EVENT_OBJECT_FOCUS, tabs_[focusSlot_].hwnd());
}

bool CMenuRibbon::OnKey(UINT message, WPARAM key, LPARAM lParam) {
  const bool repeat = (lParam & (1L << 30)) != 0;
  if (message == WM_KEYUP) {
    if (key != VK_SPACE || !spacePressing_) return false;
    spacePressing_ = false;
    tabs_[focusSlot_].Click();
    return true;
  }
  const int count = static_cast<int>(kTabCount);
  const auto nearest = [&](int from, int step) {
    for (int slot = from; slot >= 0 && slot < count; slot += step)
      if (Enabled(static_cast<size_t>(slot))) return slot;
    return -1;
  };
  int target = -1;
  switch (key) {
    case VK_LEFT: target = nearest(static_cast<int>(focusSlot_) - 1, -1); break;
    case VK_RIGHT: target = nearest(static_cast<int>(focusSlot_) + 1, 1); break;
    case VK_HOME: target = nearest(0, 1); break;
    case VK_END: target = nearest(count - 1, -1); break;
    case VK_SPACE:
      if (!repeat) spacePressing_ = true;
      return true;
    case VK_RETURN:
      if (!repeat && !spacePressing_) tabs_[focusSlot_].Click();
      return true;
    default: return false;
  }
  if (target >= 0) MoveTo(static_cast<size_t>(target));
  return true;
}

std::wstring CMenuRibbon::AccName(long /*child*/) const {
  // The row is named by the tab that is open, and by the window while none is.
  if (const ui::TabRow* row = selected_ ? ui::TabOfRibbonId(selected_) : nullptr)
    return tabs_[static_cast<size_t>(row->ribbonSlot)].AccName(CHILDID_SELF);
  const HWND root = hwnd() ? ::GetAncestor(hwnd(), GA_ROOT) : nullptr;
  const int length = root ? ::GetWindowTextLengthW(root) : 0;
  std::wstring title(static_cast<size_t>(length) + 1, L'\0');
  if (root) title.resize(static_cast<size_t>(::GetWindowTextW(root, title.data(), length + 1)));
  return ui::WithoutAccessMarkers(title);
}

long CMenuRibbon::AccRole(long /*child*/) const {
  return ROLE_SYSTEM_PAGETABLIST;
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
      Select(LOWORD(wParam));  // only a tab's command selects
      return 0;
    }
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: {
      const win::PaintScope paint(hwnd());
      RECT rc{};
      ::GetClientRect(hwnd(), &rc);
      ui::MenuBackBuffer buffer(paint.dc(), rc.right, rc.bottom);
      Paint(buffer.dc());
      buffer.Present();
      return 0;
    }
    case WM_GETFONT: return reinterpret_cast<LRESULT>(Font());
    case WM_GETDLGCODE:
      // Enter clicks the tab the ribbon stands on.
      return ui::DialogCodeTakingEnter(DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON | DLGC_WANTARROWS, lParam);
    case WM_KEYDOWN:
    case WM_KEYUP:
      if (OnKey(message, wParam, lParam)) return 0;
      break;
    case WM_SETFOCUS:
      // The keyboard comes to the selected tab, else to where it was if that can still be chosen.
      if (const ui::TabRow* row = selected_ ? ui::TabOfRibbonId(selected_) : nullptr)
        focusSlot_ = static_cast<size_t>(row->ribbonSlot);
      else if (!Enabled(focusSlot_))
        for (size_t i = 0; i < kTabCount; ++i)
          if (Enabled(i)) {
            focusSlot_ = i;
            break;
          }
      ShowCue();
      return 0;
    case WM_KILLFOCUS:
      spacePressing_ = false;
      ShowCue();
      return 0;
    case app::kApplyScaleMessage: SetScale(win::Scale(static_cast<int>(wParam))); return 0;
    case WM_PRINTCLIENT:
      // The tabs ask for what lies behind them; that is the parent's surface.
      Paint(reinterpret_cast<HDC>(wParam));
      return 0;
    default: break;
  }
  return Default(message, wParam, lParam);
}
