// CSkinVerticleScrollbar: the list's own vertical scroll bar, drawn from the skin: up arrow at the
// top, down arrow at the bottom, a 120-pixel thumb (design pixels, as every length here) in the track
// between them. It lives inside the
// list and scrolls it through ListScrollTarget. It is no tab stop: the list's keys scroll it. Screen
// readers see a vertical scroll bar whose value is its position.
#pragma once

#include <windows.h>

#include "core/SharedGraphics.h"
#include "win/Accessible.h"
#include "win/Scale.h"
#include "win/Window.h"

namespace ui::skin {

// Arrows, track and thumb; none owned (they are the application's shared bitmaps, decoded when the
// bar is first drawn).
struct ScrollBarBitmaps {
  app::SkinBitmap up[3];    // normal, hover, pressed
  app::SkinBitmap down[3];  // normal, hover, pressed
  app::SkinBitmap track;
  app::SkinBitmap thumb[3];  // normal, hover, dragged
};

// What the scroll bar moves.
class ListScrollTarget {
 public:
  virtual void ScrollBy(int steps) = 0;
  virtual void ScrollTo(int position) = 0;

 protected:
  ~ListScrollTarget() = default;
};

class CSkinVerticleScrollbar : public win::Window, public win::AccessibleSource {
 public:
  static constexpr int kWidth = 14;
  static constexpr int kArrowHeight = 15;
  static constexpr int kThumbHeight = 120;
  static constexpr UINT_PTR kRepeatTimer = 1;  // every 50 ms while an arrow is held
  static constexpr UINT_PTR kDelayTimer = 2;   // 250 ms after the press, then the repeat starts
  static constexpr UINT kRepeatMs = 50;
  static constexpr UINT kDelayMs = 250;

  // A hidden child of `parent` at (x, y), Width() wide and `height` high.
  bool Create(HWND parent, int x, int y, int height, const ScrollBarBitmaps& bitmaps,
              ListScrollTarget& target);
  // The scale the bar is laid out at (its width, arrows and thumb); the list that holds it places it.
  void SetScale(win::Scale scale) noexcept;
  [[nodiscard]] win::Scale GetScale() const noexcept { return scale_; }
  // Other pictures (those of another scale), shown at once.
  void SetBitmaps(const ScrollBarBitmaps& bitmaps) noexcept;
  // The bar's width, an arrow's height and the thumb's height at the bar's scale.
  [[nodiscard]] int Width() const noexcept { return scale_.Px(kWidth); }
  [[nodiscard]] int ArrowHeight() const noexcept { return scale_.Px(kArrowHeight); }
  [[nodiscard]] int ThumbHeight() const noexcept { return scale_.Px(kThumbHeight); }

  // Maximum position (rows that do not fit) and the current one; both repaint.
  void SetMaximum(int maximum) noexcept;
  void SetPosition(int position) noexcept;
  [[nodiscard]] int Maximum() const noexcept { return maximum_; }
  [[nodiscard]] int Position() const noexcept { return position_; }
  // Where the thumb is drawn, in the bar's client coordinates.
  [[nodiscard]] int ThumbTop() const noexcept;
  [[nodiscard]] double PixelsPerStep() const noexcept;

  // win::AccessibleSource: the bar itself, no items.
  [[nodiscard]] std::wstring AccName(long child) const override;
  [[nodiscard]] std::wstring AccValue(long child) const override;
  [[nodiscard]] long AccRole(long child) const override;

 protected:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  [[nodiscard]] win::AccessibleSource* Accessible() noexcept override { return this; }

 private:
  enum class Part { kNone, kUp, kPageUp, kThumb, kPageDown, kDown };
  [[nodiscard]] Part HitTest(int y) const noexcept;
  [[nodiscard]] int Height() const noexcept;
  void OnButtonDown(int y);
  void OnButtonUp(int y);
  void OnMouseMove(int y);
  void Paint(HDC dc) const;

  ScrollBarBitmaps bitmaps_;
  win::Scale scale_;
  ListScrollTarget* target_ = nullptr;
  int maximum_ = 0;
  int position_ = 0;
  bool dragging_ = false;
  bool upPressed_ = false;
  bool downPressed_ = false;
  bool overThumb_ = false;
  Part pressedPart_ = Part::kNone;
  int dragOffset_ = 0;
};

}  // namespace ui::skin
