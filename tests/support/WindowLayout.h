// The layout of a window as another program sees it: its rectangle, and for every visible control
// below it the place it takes in its parent's client area and the height of the font it draws its
// text with. A record is written beside each screenshot, so that the same view can be checked at
// one display scale against the design scale: the window as much larger as the scale says, no
// control cut off by its parent or lying over a sibling it should not, and fonts of the scaled
// height.
#pragma once

#include <windows.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace test {

// One visible control. `path` names it from the top window down, one "class:id" per level, with
// "#n" after a name that siblings share (the n-th of them, counted from 0).
struct ControlPlace {
  std::wstring path;
  RECT rect{};          // in the parent's client area
  SIZE parentClient{};  // the parent's client size
  int font = 0;         // the character height of the font it answers WM_GETFONT with (LOGFONT's lfHeight)
  bool hasFont = false;
};

struct WindowLayout {
  int dpi = 0;  // the DPI the system reports to the program
  RECT window{};
  std::vector<ControlPlace> controls;  // parents before their children
};

// The layout of `window` (another program's) now. Fonts are read inside that program.
[[nodiscard]] WindowLayout RecordLayout(HWND window);

// As text, one line a control, and back; nothing when the text is no layout.
[[nodiscard]] std::wstring FormatLayout(const WindowLayout& layout);
[[nodiscard]] std::optional<WindowLayout> ParseLayout(const std::wstring& text);
bool SaveLayout(const WindowLayout& layout, const std::filesystem::path& file);
[[nodiscard]] std::optional<WindowLayout> LoadLayout(const std::filesystem::path& file);

// The design heights of the program's fonts: the character heights it makes its fonts with at
// 96 DPI, the stock GUI font's among them.
inline constexpr int kDesignFontHeights[] = {10, 11, 12, 13, 14, 16, 18};
// The stock GUI font and a dialog's own font are of 8 points, 11 pixels at 96 DPI. The system
// makes them at another DPI by the point rule, which rounds otherwise than a design length does
// (at 144 DPI 16 pixels, where 11 design pixels are 17): either is a font of the scale.
inline constexpr int kStockFontHeight = 11, kStockFontPoints = 8;

// Whether a font `actual` pixels high is the font of design height `design` at `dpi` (the signs,
// character or cell height, agree).
[[nodiscard]] bool IsScaledFontHeight(int design, int actual, int dpi);

// What is wrong with a layout at any scale: a visible control reaching out of its parent's client
// area, two visible siblings overlapping (unless the pair is one of the allowed ones). One line a
// fault; none when all is well.
[[nodiscard]] std::vector<std::wstring> PlacementFaults(const WindowLayout& layout);
// What is wrong with `scaled` against the same view at the design scale: the window not of the
// design size times the scale (one pixel of slack per edge), a control missing, a control whose
// font is not the design font's height at the scale.
[[nodiscard]] std::vector<std::wstring> ScaleFaults(const WindowLayout& design, const WindowLayout& scaled);

}  // namespace test
