#include "core/SharedGraphics.h"

#include "core/LogSink.h"
#include "core/SkinImage.h"
#include "core/SkinLibrary.h"

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

// The stock GUI font at `scale`: null when the stock object already has that height (always at
// 100 % on a 96-DPI system), else an owned copy with its height scaled. The stock object is made for
// the system DPI, so its design height is taken back from that first.
win::UniqueFont ScaledGuiFont(win::Scale scale) noexcept {
  const int systemDpi = win::SystemDpi();
  if (scale.dpi() == systemDpi) return {};
  LOGFONTW font{};
  if (::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof(font), &font) != sizeof(font)) return {};
  font.lfHeight = scale.FontHeight(::MulDiv(font.lfHeight, skinscale::kDesignDpi, systemDpi));
  font.lfWidth = 0;
  return win::UniqueFont(::CreateFontIndirectW(&font));
}

}  // namespace

void SharedGraphics::Create(HMODULE skinModule, int dpi) {
  Start(skinModule, nullptr, false, dpi);
}

void SharedGraphics::CreateWithScaledSkin(HMODULE skinModule, HMODULE scaledSkin, int dpi) {
  Start(skinModule, scaledSkin, true, dpi);
}

void SharedGraphics::Start(HMODULE skinModule, HMODULE scaledSkin, bool scaledSkinKnown, int dpi) {
  skinModule_ = skinModule ? skinModule : ::GetModuleHandleW(nullptr);
  scaledSkin_ = scaledSkin;
  scaledSkinKnown_ = scaledSkinKnown;
  decoding_.emplace();
  current_ = MakeSet(dpi);
}

void SharedGraphics::SetScale(int dpi) {
  if (!skinModule_) return;
  // The old set's handles may still be selected or kept by windows that have not laid themselves
  // out again yet: they stay alive until ReleaseRetired.
  retired_.push_back(std::move(current_));
  current_ = MakeSet(dpi);
}

void SharedGraphics::ReleaseRetired() noexcept {
  retired_.clear();
}

void SharedGraphics::Destroy() noexcept {
  retired_.clear();
  current_ = Set{};
  scaledSkin_ = nullptr;
  scaledSkinKnown_ = false;
  ownScaledSkin_.reset();
  decoding_.reset();
}

SharedGraphics::Set SharedGraphics::MakeSet(int dpi) {
  Set set;
  set.scale = win::SkinScaleFor(dpi);
  if (!set.scale.IsDesign()) {
    if (!scaledSkinKnown_) {
      // The running program's library is the one every control reads (and the one the first
      // paint's pictures are decoded ahead from); another skin's is opened for it alone.
      if (skinModule_ == ::GetModuleHandleW(nullptr)) {
        scaledSkin_ = ProgramScaledSkin();
      } else {
        ownScaledSkin_ = OpenScaledSkin(skinModule_);
        scaledSkin_ = ownScaledSkin_.get();
      }
      scaledSkinKnown_ = true;
    }
    set.type = SkinResourceType(kSkinImageType, set.scale);
    if (!scaledSkin_) {
      Log().Line(L"The skin at %d %% is missing (%ls); everything is drawn at 100 %%.", set.scale.Percent(),
                 kScaledSkinFile);
      set.scale = win::Scale();
    } else if (!HasPicturesOf(set.scale, set.type)) {
      Log().Line(L"%ls lacks pictures of the skin at %d %%; everything is drawn at 100 %%.", kScaledSkinFile,
                 set.scale.Percent());
      set.scale = win::Scale();
    }
  }
  if (set.scale.IsDesign()) {
    set.pictures = skinModule_;
    set.type = kSkinImageType;
  } else {
    set.pictures = scaledSkin_;
  }
  for (const FontRow& row : kFonts) {
    set.fonts[static_cast<size_t>(row.slot)].reset(::CreateFontW(set.scale.FontHeight(row.height), 0, 0, 0,
                                                                 row.weight, 0, 0, 0, DEFAULT_CHARSET, 0, 0,
                                                                 CLEARTYPE_QUALITY, 0, row.face));
  }
  set.fonts[static_cast<size_t>(SharedFont::kDefaultGui)] = ScaledGuiFont(set.scale);
  return set;
}

bool SharedGraphics::HasPicturesOf(win::Scale scale, const std::wstring& type) const noexcept {
  for (const int id : kBitmapIds) {
    const SIZE design = SkinImageSize(skinModule_, id);
    const SIZE scaled = SkinImageSize(scaledSkin_, id, type.c_str());
    if (scaled.cx == 0 || scaled.cx != scale.Px(design.cx) || scaled.cy != scale.Px(design.cy)) return false;
  }
  return true;
}

HFONT SharedGraphics::Font(SharedFont which) const noexcept {
  const size_t index = static_cast<size_t>(which);
  if (index >= current_.fonts.size()) return nullptr;
  if (which == SharedFont::kDefaultGui && !current_.fonts[index])
    return static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
  return current_.fonts[index].get();
}

size_t SharedGraphics::IndexOf(int id) noexcept {
  for (size_t i = 0; i < kBitmapIds.size(); ++i)
    if (kBitmapIds[i] == id) return i;
  return kBitmapIds.size();
}

HBITMAP SharedGraphics::Bitmap(int id) const noexcept {
  const size_t i = IndexOf(id);
  if (i == kBitmapIds.size() || !current_.pictures) return nullptr;
  if (!current_.tried[i]) {
    current_.tried[i] = true;
    current_.bitmaps[i].reset(LoadSkinImage(current_.pictures, id, current_.type.c_str()));
  }
  return current_.bitmaps[i].get();
}

SIZE SharedGraphics::BitmapSize(int id) const noexcept {
  if (IndexOf(id) == kBitmapIds.size() || !current_.pictures) return {0, 0};
  return SkinImageSize(current_.pictures, id, current_.type.c_str());
}

size_t SharedGraphics::LoadedBitmapCount() const noexcept {
  size_t count = 0;
  for (const auto& bitmap : current_.bitmaps) count += bitmap.valid() ? 1 : 0;
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
