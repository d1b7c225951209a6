#include "controls/MenuBackBuffer.h"

#include <algorithm>

namespace ui {
namespace {

// The thread's kept surface: its DC keeps the largest bitmap asked for selected between paints.
class KeptSurface {
 public:
  KeptSurface() = default;
  KeptSurface(const KeptSurface&) = delete;
  KeptSurface& operator=(const KeptSurface&) = delete;
  ~KeptSurface() {
    if (original_) ::SelectObject(dc_.get(), original_);
  }

  // Its DC, with at least `width` x `height` pixels, for one paint of `target`; null while another
  // paint holds it or when it cannot be made.
  HDC Take(HDC target, int width, int height) noexcept {
    if (taken_) return nullptr;
    if (!dc_) dc_.reset(::CreateCompatibleDC(target));
    if (!dc_) return nullptr;
    if (width > size_.cx || height > size_.cy) {
      const SIZE grown{std::max<LONG>(width, size_.cx), std::max<LONG>(height, size_.cy)};
      win::UniqueBitmap bitmap(::CreateCompatibleBitmap(target, grown.cx, grown.cy));
      const HGDIOBJ old = bitmap ? ::SelectObject(dc_.get(), bitmap.get()) : nullptr;
      if (!old || old == HGDI_ERROR) return nullptr;
      if (!original_) original_ = old;
      bitmap_ = std::move(bitmap);  // the smaller one, selected out above, goes
      size_ = grown;
    }
    taken_ = true;
    return dc_.get();
  }
  void Give() noexcept { taken_ = false; }

 private:
  win::UniqueMemoryDc dc_;
  win::UniqueBitmap bitmap_;
  HGDIOBJ original_ = nullptr;  // the DC's own bitmap, selected back before the DC goes
  SIZE size_{};
  bool taken_ = false;
};

thread_local KeptSurface keptSurface;

}  // namespace

MenuBackBuffer::MenuBackBuffer(HDC target, int width, int height, Surface surface) noexcept
    : target_(target), width_(width), height_(height) {
  if (surface == Surface::kKept && (dc_ = keptSurface.Take(target, width, height)) != nullptr) {
    kept_ = true;
    return;
  }
  ownDc_.reset(::CreateCompatibleDC(target));
  ownBitmap_.reset(::CreateCompatibleBitmap(target, width, height));
  select_.emplace(ownDc_.get(), ownBitmap_.get());
  if (select_->selected()) dc_ = ownDc_.get();
}

MenuBackBuffer::~MenuBackBuffer() {
  if (kept_) keptSurface.Give();
}

}  // namespace ui
