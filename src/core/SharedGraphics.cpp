#include "core/SharedGraphics.h"

#include "core/SkinImage.h"

namespace app {
namespace {

struct FontRow {
  SharedFont slot;
  int height;
  int weight;
  const wchar_t* face;
};

constexpr FontRow kFonts[] = {
    {SharedFont::kTahoma18Bold, 18, FW_BOLD, L"Tahoma"},
    {SharedFont::kTahoma18, 18, FW_NORMAL, L"Tahoma"},
    {SharedFont::kTahoma16Bold, 16, FW_BOLD, L"Tahoma"},
    {SharedFont::kTahoma16, 16, FW_NORMAL, L"Tahoma"},
    {SharedFont::kTahoma14Bold, 14, FW_BOLD, L"Tahoma"},
    {SharedFont::kTahoma14, 14, FW_NORMAL, L"Tahoma"},
    {SharedFont::kTahoma13, 13, FW_NORMAL, L"Tahoma"},
    {SharedFont::kTahoma12Bold, 12, FW_BOLD, L"Tahoma"},
    {SharedFont::kTahoma12, 12, FW_NORMAL, L"Tahoma"},
    {SharedFont::kTahoma10Bold, 10, FW_BOLD, L"Tahoma"},
    {SharedFont::kTahoma10, 10, FW_NORMAL, L"Tahoma"},
    {SharedFont::kLucidaConsole14, 14, FW_NORMAL, L"Lucida Console"},
    {SharedFont::kTahoma13Second, 13, FW_NORMAL, L"Tahoma"},
};

}  // namespace

void SharedGraphics::Create(HMODULE skinModule, int dpi) {
  scale_ = win::SkinScaleFor(dpi);
  for (const FontRow& row : kFonts) {
    fonts_[static_cast<size_t>(row.slot)].reset(::CreateFontW(
        row.height, 0, 0, 0, row.weight, 0, 0, 0, DEFAULT_CHARSET, 0, 0, CLEARTYPE_QUALITY, 0, row.face));
  }
  skinModule_ = skinModule ? skinModule : ::GetModuleHandleW(nullptr);
  decoding_.emplace();
}

void SharedGraphics::SetScale(int dpi) {
  // Interim: the pictures and fonts of other scales come with the scaled art.
  scale_ = win::SkinScaleFor(dpi);
}

void SharedGraphics::ReleaseRetired() noexcept {}

void SharedGraphics::Destroy() noexcept {
  for (auto& font : fonts_) font.reset();
  for (auto& bitmap : bitmaps_) bitmap.reset();
  tried_ = {};
  decoding_.reset();
}

HFONT SharedGraphics::Font(SharedFont which) const noexcept {
  if (which == SharedFont::kDefaultGui) return static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
  const size_t index = static_cast<size_t>(which);
  return index < fonts_.size() ? fonts_[index].get() : nullptr;
}

size_t SharedGraphics::IndexOf(int id) noexcept {
  for (size_t i = 0; i < kBitmapIds.size(); ++i)
    if (kBitmapIds[i] == id) return i;
  return kBitmapIds.size();
}

HBITMAP SharedGraphics::Bitmap(int id) const noexcept {
  const size_t i = IndexOf(id);
  if (i == kBitmapIds.size() || !skinModule_) return nullptr;
  if (!tried_[i]) {
    tried_[i] = true;
    bitmaps_[i].reset(LoadSkinImage(skinModule_, id));
  }
  return bitmaps_[i].get();
}

SIZE SharedGraphics::BitmapSize(int id) const noexcept {
  if (IndexOf(id) == kBitmapIds.size() || !skinModule_) return {0, 0};
  return SkinImageSize(skinModule_, id);
}

size_t SharedGraphics::LoadedBitmapCount() const noexcept {
  size_t count = 0;
  for (const auto& bitmap : bitmaps_) count += bitmap.valid() ? 1 : 0;
  return count;
}

}  // namespace app

namespace app {

SIZE SkinBitmap::Size() const noexcept {
  if (source_) return source_->BitmapSize(id_);
  BITMAP info{};
  if (!bitmap_ || ::GetObjectW(bitmap_, sizeof(info), &info) == 0) return {0, 0};
  return {info.bmWidth, info.bmHeight < 0 ? -info.bmHeight : info.bmHeight};
}

}  // namespace app
