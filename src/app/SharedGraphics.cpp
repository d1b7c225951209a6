#include "app/SharedGraphics.h"

#include "app/SkinImage.h"

namespace app {
namespace {

struct FontRow {
  SharedFont slot;
  int height;
  int weight;
  const wchar_t* face;
};

constexpr FontRow kFonts[] = {
    {SharedFont::kTahoma18Bold, 18, FW_BOLD, L"Tahoma"},  {SharedFont::kTahoma18, 18, FW_NORMAL, L"Tahoma"},
    {SharedFont::kTahoma16Bold, 16, FW_BOLD, L"Tahoma"},  {SharedFont::kTahoma16, 16, FW_NORMAL, L"Tahoma"},
    {SharedFont::kTahoma14Bold, 14, FW_BOLD, L"Tahoma"},  {SharedFont::kTahoma14, 14, FW_NORMAL, L"Tahoma"},
    {SharedFont::kTahoma13, 13, FW_NORMAL, L"Tahoma"},    {SharedFont::kTahoma12Bold, 12, FW_BOLD, L"Tahoma"},
    {SharedFont::kTahoma12, 12, FW_NORMAL, L"Tahoma"},    {SharedFont::kTahoma10Bold, 10, FW_BOLD, L"Tahoma"},
    {SharedFont::kTahoma10, 10, FW_NORMAL, L"Tahoma"},    {SharedFont::kLucidaConsole14, 14, FW_NORMAL, L"Lucida Console"},
    {SharedFont::kTahoma13Second, 13, FW_NORMAL, L"Tahoma"},
};

}  // namespace

void SharedGraphics::Create() {
  for (const FontRow& row : kFonts) {
    fonts_[static_cast<size_t>(row.slot)].reset(::CreateFontW(row.height, 0, 0, 0, row.weight, 0, 0, 0,
                                                              DEFAULT_CHARSET, 0, 0, CLEARTYPE_QUALITY, 0,
                                                              row.face));
  }
  // Skin bitmaps always come from the executable, never from a language library.
  const HINSTANCE self = ::GetModuleHandleW(nullptr);
  for (size_t i = 0; i < kBitmapIds.size(); ++i) {
    bitmaps_[i].reset(LoadSkinImage(self, kBitmapIds[i]));
  }
}

void SharedGraphics::Destroy() noexcept {
  for (auto& font : fonts_) font.reset();
  for (auto& bitmap : bitmaps_) bitmap.reset();
}

HFONT SharedGraphics::Font(SharedFont which) const noexcept {
  if (which == SharedFont::kDefaultGui) return static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
  const size_t index = static_cast<size_t>(which);
  return index < fonts_.size() ? static_cast<HFONT>(fonts_[index].get()) : nullptr;
}

HBITMAP SharedGraphics::Bitmap(int id) const noexcept {
  for (size_t i = 0; i < kBitmapIds.size(); ++i)
    if (kBitmapIds[i] == id) return static_cast<HBITMAP>(bitmaps_[i].get());
  return nullptr;
}

size_t SharedGraphics::LoadedBitmapCount() const noexcept {
  size_t count = 0;
  for (const auto& bitmap : bitmaps_) count += bitmap.valid() ? 1 : 0;
  return count;
}

}  // namespace app
