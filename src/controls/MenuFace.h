// How a skinned button looks: its face for its state, its caption and description placed by its
// style, the focus cue. Drawn alike by a button window of its own and by the start page, which
// paints its buttons itself.
#pragma once

#include <windows.h>

#include <string_view>

#include "win/Scale.h"

enum class MenuButtonState : int { kNormal = 0, kHover = 1, kPressed = 2, kDisabled = 3 };

enum class MenuButtonStyle : int {
  kLarge = 0,      // the start page's large button: caption left, beside the picture
  kCard = 1,       // the start page's smaller buttons: caption and description
  kTab = 2,        // ribbon tabs: caption under the picture; the pressed look is "selected"
  kPush = 3,       // plain push buttons: command to the parent only
  kPassClick = 4,  // no text; the parent sees the click first
  kPassMouse = 5,  // no text; button down and up go on to the parent
  kGlyph = 6,      // Home and Back: the glyph sits left of x = 19
};

namespace ui {

inline constexpr COLORREF kDisabledTextColor = RGB(0x96, 0x96, 0x96);

// Where a button's texts go for its style and size; empty rectangles for none.
[[nodiscard]] RECT MenuCaptionRect(MenuButtonStyle style, SIZE size, win::Scale scale) noexcept;
[[nodiscard]] RECT MenuDescriptionRect(MenuButtonStyle style, SIZE size, win::Scale scale) noexcept;

struct MenuFace {
  HBITMAP face = nullptr;  // the state's picture; without one nothing is drawn
  MenuButtonStyle style = MenuButtonStyle::kPush;
  MenuButtonState state = MenuButtonState::kNormal;
  SIZE size{};
  win::Scale scale;
  std::wstring_view caption;       // with its access-key markers
  std::wstring_view shownCaption;  // without them
  std::wstring_view description;
  HFONT captionFont = nullptr;
  COLORREF captionColor = 0;
  HFONT descriptionFont = nullptr;
  COLORREF descriptionColor = 0;
  bool accessKeysShown = false;
  int focusInset = -1;  // the focus cue's inset in design pixels; negative for no cue
};

// Draws `look` with its top-left corner at `at`, over what `dc` already shows there (the parent's
// surface, which fills the picture's magenta corners).
void DrawMenuFace(HDC dc, POINT at, const MenuFace& look);

}  // namespace ui
