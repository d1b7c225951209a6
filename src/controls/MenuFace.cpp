#include "controls/MenuFace.h"

#include <algorithm>

#include "controls/Paint.h"
#include "win/KeyboardCues.h"

namespace ui {
namespace {

// One text in `rc`: on one line, vertically centred, when it fits; otherwise wrapped at words, the
// block still centred vertically, so a long caption wraps instead of being cut. `prefix` is how its
// access key shows (ui::AccessKeyDrawFlags); it is measured as it is drawn.
void DrawCaptionText(HDC dc, std::wstring_view text, const RECT& rc, bool centre, UINT prefix) {
  if (text.empty() || ::IsRectEmpty(&rc)) return;
  const UINT align = (centre ? DT_CENTER : DT_LEFT) | prefix;
  const int length = static_cast<int>(text.size());
  RECT measured = rc;
  ::DrawTextW(dc, text.data(), length, &measured, align | DT_SINGLELINE | DT_CALCRECT);
  RECT target = rc;
  if (measured.right - measured.left <= rc.right - rc.left) {
    ::DrawTextW(dc, text.data(), length, &target, align | DT_SINGLELINE | DT_VCENTER);
    return;
  }
  RECT wrapped = rc;
  ::DrawTextW(dc, text.data(), length, &wrapped, align | DT_WORDBREAK | DT_CALCRECT);
  target.top += std::max(0L, ((rc.bottom - rc.top) - (wrapped.bottom - wrapped.top)) / 2);
  ::DrawTextW(dc, text.data(), length, &target, align | DT_WORDBREAK);
}

RECT Moved(RECT rc, POINT by) noexcept {
  ::OffsetRect(&rc, by.x, by.y);
  return rc;
}

}  // namespace

RECT MenuCaptionRect(MenuButtonStyle style, SIZE size, win::Scale s) noexcept {
  const LONG w = size.cx, h = size.cy;
  switch (style) {
    case MenuButtonStyle::kLarge: return {s.Px(86), s.Px(10), w - s.Px(10), h - s.Px(10)};
    case MenuButtonStyle::kCard: return {s.Px(74), s.Px(10), w - s.Px(10), h / 2 - s.Px(1)};
    case MenuButtonStyle::kTab: return {s.Px(2), s.Px(47), w - s.Px(2), h - s.Px(10)};
    case MenuButtonStyle::kPush: return {0, 0, w, h};
    case MenuButtonStyle::kGlyph: return {s.Px(19), 0, w, h};
    case MenuButtonStyle::kPassClick:
    case MenuButtonStyle::kPassMouse: break;
  }
  return {0, 0, 0, 0};
}

RECT MenuDescriptionRect(MenuButtonStyle style, SIZE size, win::Scale s) noexcept {
  if (style != MenuButtonStyle::kCard) return {0, 0, 0, 0};
  return {s.Px(74), size.cy / 2 + s.Px(1), size.cx - s.Px(10), size.cy - s.Px(10)};
}

void DrawMenuFace(HDC dc, POINT at, const MenuFace& look) {
  if (!look.face) return;
  DrawTransparentBitmap(dc, look.face, at.x, at.y);

  const bool disabled = look.state == MenuButtonState::kDisabled;
  // In high contrast the texts take the system's colours, on the system's face behind each line, so
  // that they stay readable on any face of the skin.
  const bool contrast = win::HighContrastOn();
  const int oldMode = ::SetBkMode(dc, contrast ? OPAQUE : TRANSPARENT);
  const COLORREF oldColor = ::GetTextColor(dc);
  const COLORREF oldBack = ::SetBkColor(dc, contrast ? ::GetSysColor(COLOR_BTNFACE) : ::GetBkColor(dc));
  const auto color = [&](COLORREF own) {
    return contrast ? ContrastTextColor(disabled) : (disabled ? kDisabledTextColor : own);
  };
  const MenuButtonStyle style = look.style;
  const bool centre = style != MenuButtonStyle::kLarge && style != MenuButtonStyle::kCard &&
                      style != MenuButtonStyle::kPassClick;
  {
    win::SelectScope font(dc, look.captionFont);
    ::SetTextColor(dc, color(look.captionColor));
    // While access keys are hidden the caption is drawn as shown, without prefix processing, so that
    // it looks exactly as a caption without a key (not every DrawText hides the underline itself).
    const bool keys = look.accessKeysShown;
    DrawCaptionText(dc, keys ? look.caption : look.shownCaption,
                    Moved(MenuCaptionRect(style, look.size, look.scale), at), centre,
                    keys ? 0u : DT_NOPREFIX);
  }
  if (!look.description.empty()) {
    win::SelectScope font(dc, look.descriptionFont);
    ::SetTextColor(dc, color(look.descriptionColor));
    RECT rc = Moved(MenuDescriptionRect(style, look.size, look.scale), at);
    ::DrawTextW(dc, look.description.data(), static_cast<int>(look.description.size()), &rc,
                DT_WORDBREAK | DT_NOPREFIX);
  }
  ::SetBkColor(dc, oldBack);
  ::SetTextColor(dc, oldColor);
  ::SetBkMode(dc, oldMode);
  if (look.focusInset >= 0)
    win::DrawFocusCue(dc, {at.x, at.y, at.x + look.size.cx, at.y + look.size.cy}, look.scale,
                      look.focusInset);
}

}  // namespace ui
