// Fonts and skin bitmaps that every window of the program draws with, made for one scale: the fonts
// created at start-up, each bitmap decoded when it is first asked for; all deleted at shutdown. At
// 100 % the pictures are the program's own; at other scales they come from the scaled skin library
// beside it (SkinLibrary.h), and without that library the whole scale is 100 %.
#pragma once

#include <windows.h>

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "SkinIds.h"
#include "core/SkinImage.h"
#include "win/Handle.h"
#include "win/Scale.h"

namespace app {

enum class SharedFont : int {
  kDefaultGui = 0,  // the stock DEFAULT_GUI_FONT (not owned), or an owned copy of it at another scale
  kTahoma18Bold,
  kTahoma18,
  kTahoma16Bold,
  kTahoma16,
  kTahoma14Bold,
  kTahoma14,
  kTahoma13,
  kTahoma12Bold,
  kTahoma12,
  kTahoma10Bold,
  kTahoma10,
  kLucidaConsole14,
  kTahoma13Second,  // a second handle of the 13-pixel font, for its own users
  kCount
};

class SharedGraphics {
 public:
  // The bitmaps: every skin picture (SkinIds.h), of the main window, its start page, ribbon and
  // panels, so each is handed out at the current scale.
  static constexpr std::array<int, 116> kBitmapIds = {IDB_MAIN_BACKGROUND,
                                                      IDB_CLOSE_NORMAL,
                                                      IDB_CLOSE_HOVER,
                                                      IDB_CLOSE_PRESSED,
                                                      IDB_MINIMIZE_NORMAL,
                                                      IDB_MINIMIZE_HOVER,
                                                      IDB_MINIMIZE_PRESSED,
                                                      IDB_HELP_NORMAL,
                                                      IDB_HELP_HOVER,
                                                      IDB_HELP_PRESSED,
                                                      IDB_EXIT_NORMAL,
                                                      IDB_EXIT_HOVER,
                                                      IDB_EXIT_PRESSED,
                                                      IDB_ABOUT_NORMAL,
                                                      IDB_ABOUT_HOVER,
                                                      IDB_ABOUT_PRESSED,
                                                      IDB_LAUNCH_NORMAL,
                                                      IDB_LAUNCH_HOVER,
                                                      IDB_LAUNCH_PRESSED,
                                                      IDB_HOME_NORMAL,
                                                      IDB_HOME_HOVER,
                                                      IDB_HOME_PRESSED,
                                                      IDB_BACK_NORMAL,
                                                      IDB_BACK_HOVER,
                                                      IDB_BACK_PRESSED,
                                                      IDB_SYSMENU_RESTORE,
                                                      IDB_SYSMENU_MINIMIZE,
                                                      IDB_SYSMENU_CLOSE,
                                                      IDB_COMBO_DROP_NORMAL,
                                                      IDB_COMBO_DROP_HOVER,
                                                      IDB_COMBO_DROP_PRESSED,
                                                      IDB_COMBO_DROP_DISABLED,
                                                      IDB_SCROLL_DOWN_NORMAL,
                                                      IDB_SCROLL_DOWN_HOVER,
                                                      IDB_SCROLL_DOWN_PRESSED,
                                                      IDB_SCROLL_TRACK,
                                                      IDB_SCROLL_UP_NORMAL,
                                                      IDB_SCROLL_UP_HOVER,
                                                      IDB_SCROLL_UP_PRESSED,
                                                      IDB_SCROLL_THUMB_NORMAL,
                                                      IDB_SCROLL_THUMB_HOVER,
                                                      IDB_SCROLL_THUMB_PRESSED,
                                                      IDB_PANEL_BACKGROUND,
                                                      IDB_CHECK_OFF_NORMAL,
                                                      IDB_CHECK_OFF_HOVER,
                                                      IDB_CHECK_OFF_PRESSED,
                                                      IDB_CHECK_ON_NORMAL,
                                                      IDB_CHECK_ON_HOVER,
                                                      IDB_CHECK_ON_PRESSED,
                                                      IDB_LIST_ROWS,
                                                      IDB_LIST_ROWS_HOT,
                                                      IDB_LIST_ROWS_HOT_SCROLL,
                                                      IDB_PUSH_NORMAL,
                                                      IDB_PUSH_HOVER,
                                                      IDB_PUSH_PRESSED,
                                                      IDB_PUSH_DISABLED,
                                                      IDB_QUICK_BUTTON_NORMAL,
                                                      IDB_QUICK_BUTTON_HOVER,
                                                      IDB_QUICK_BUTTON_PRESSED,
                                                      IDB_START_BACKGROUND,
                                                      IDB_START_TRANSLATE_NORMAL,
                                                      IDB_START_TRANSLATE_HOVER,
                                                      IDB_START_TRANSLATE_PRESSED,
                                                      IDB_START_TRANSLATE_DISABLED,
                                                      IDB_START_SETUP_NORMAL,
                                                      IDB_START_SETUP_HOVER,
                                                      IDB_START_SETUP_PRESSED,
                                                      IDB_START_SETUP_DISABLED,
                                                      IDB_START_DICTIONARIES_NORMAL,
                                                      IDB_START_DICTIONARIES_HOVER,
                                                      IDB_START_DICTIONARIES_PRESSED,
                                                      IDB_START_DICTIONARIES_DISABLED,
                                                      IDB_START_LAUNCH_NORMAL,
                                                      IDB_START_LAUNCH_HOVER,
                                                      IDB_START_LAUNCH_PRESSED,
                                                      IDB_START_LAUNCH_DISABLED,
                                                      IDB_START_NET_NORMAL,
                                                      IDB_START_NET_HOVER,
                                                      IDB_START_NET_PRESSED,
                                                      IDB_START_NET_DISABLED,
                                                      IDB_START_MYVANTO_NORMAL,
                                                      IDB_START_MYVANTO_HOVER,
                                                      IDB_START_MYVANTO_PRESSED,
                                                      IDB_START_MYVANTO_DISABLED,
                                                      IDB_START_GUIDE_NORMAL,
                                                      IDB_START_GUIDE_HOVER,
                                                      IDB_START_GUIDE_PRESSED,
                                                      IDB_START_GUIDE_DISABLED,
                                                      IDB_TAB_TRANSLATION_NORMAL,
                                                      IDB_TAB_TRANSLATION_HOVER,
                                                      IDB_TAB_TRANSLATION_PRESSED,
                                                      IDB_TAB_TRANSLATION_DISABLED,
                                                      IDB_TAB_SETUP_NORMAL,
                                                      IDB_TAB_SETUP_HOVER,
                                                      IDB_TAB_SETUP_PRESSED,
                                                      IDB_TAB_SETUP_DISABLED,
                                                      IDB_TAB_DICTIONARIES_NORMAL,
                                                      IDB_TAB_DICTIONARIES_HOVER,
                                                      IDB_TAB_DICTIONARIES_PRESSED,
                                                      IDB_TAB_DICTIONARIES_DISABLED,
                                                      IDB_TAB_LAUNCH_NORMAL,
                                                      IDB_TAB_LAUNCH_HOVER,
                                                      IDB_TAB_LAUNCH_PRESSED,
                                                      IDB_TAB_LAUNCH_DISABLED,
                                                      IDB_TAB_NET_NORMAL,
                                                      IDB_TAB_NET_HOVER,
                                                      IDB_TAB_NET_PRESSED,
                                                      IDB_TAB_NET_DISABLED,
                                                      IDB_TAB_MYVANTO_NORMAL,
                                                      IDB_TAB_MYVANTO_HOVER,
                                                      IDB_TAB_MYVANTO_PRESSED,
                                                      IDB_TAB_MYVANTO_DISABLED,
                                                      IDB_TAB_GUIDE_NORMAL,
                                                      IDB_TAB_GUIDE_HOVER,
                                                      IDB_TAB_GUIDE_PRESSED,
                                                      IDB_TAB_GUIDE_DISABLED};

  // Creates the fonts for the skin scale nearest `dpi`. The 100 % bitmaps come from `skinModule`, the
  // program's own file when null (never a language library); the others from the scaled skin
  // library in the same folder. When that library is missing or lacks a picture of the scale (or
  // has one of the wrong size), everything is made at 100 % instead, and the log says so. The
  // thread that calls this keeps one imaging factory for its decodes until Destroy, which must come
  // before the thread's COM ends.
  void Create(HMODULE skinModule = nullptr, int dpi = skinscale::kDesignDpi);
  // As Create, with the pictures of the other scales from `scaledSkin` (opened by the caller and
  // kept open until Destroy; null: there is none). For a `skinModule` opened as a data file, whose
  // folder Windows does not tell.
  void CreateWithScaledSkin(HMODULE skinModule, HMODULE scaledSkin, int dpi);
  // Switches to the fonts and pictures of another scale. What was handed out before stays valid
  // until ReleaseRetired, which the window calls once it has laid everything out again.
  void SetScale(int dpi);
  void ReleaseRetired() noexcept;
  void Destroy() noexcept;

  // The scale the fonts and pictures are made for, which every window lays itself out by.
  [[nodiscard]] win::Scale Scale() const noexcept { return current_.scale; }

  [[nodiscard]] HFONT Font(SharedFont which) const noexcept;
  // Decoded at the first call for `id` (on the thread that draws); null when `id` is not one of the
  // shared bitmaps or failed to load.
  [[nodiscard]] HBITMAP Bitmap(int id) const noexcept;
  // The bitmap's size, read without decoding it; {0, 0} when there is none.
  [[nodiscard]] SIZE BitmapSize(int id) const noexcept;
  // How many of the bitmaps have been decoded so far.
  [[nodiscard]] size_t LoadedBitmapCount() const noexcept;

 private:
  // The fonts and pictures of one scale.
  struct Set {
    win::Scale scale;
    HMODULE pictures = nullptr;  // the program or the scaled skin library
    std::wstring type;           // their resource type: "PNG", "PNG150", ...
    std::array<win::UniqueFont, static_cast<size_t>(SharedFont::kCount)>
        fonts;  // kDefaultGui: a copy or none
    mutable std::array<win::UniqueBitmap, kBitmapIds.size()> bitmaps;
    mutable std::array<bool, kBitmapIds.size()> tried{};  // a bitmap that failed is not tried again
  };

  [[nodiscard]] static size_t IndexOf(int id) noexcept;
  // Create's work: the modules to draw from and the set of `dpi`.
  void Start(HMODULE skinModule, HMODULE scaledSkin, bool scaledSkinKnown, int dpi);
  [[nodiscard]] Set MakeSet(int dpi);
  // Whether the scaled library holds every picture of `scale`, each Px of the program's own size.
  [[nodiscard]] bool HasPicturesOf(win::Scale scale, const std::wstring& type) const noexcept;

  HMODULE skinModule_ = nullptr;
  HMODULE scaledSkin_ = nullptr;  // the scaled skin library, once looked up
  bool scaledSkinKnown_ = false;  // given, or looked up at the first scale other than 100 %
  win::UniqueModule ownScaledSkin_;
  std::optional<SkinImageFactoryScope> decoding_;
  Set current_;
  std::vector<Set> retired_;  // handed out before SetScale, kept until ReleaseRetired
};

// A skin bitmap as a painter keeps it: one of the shared bitmaps, decoded when it is first drawn,
// or a bitmap handed over as it is. Never owned.
class SkinBitmap {
 public:
  SkinBitmap() = default;
  SkinBitmap(HBITMAP bitmap) noexcept : bitmap_(bitmap) {}  // NOLINT(google-explicit-constructor)
  SkinBitmap(const SharedGraphics& source, int id) noexcept : source_(&source), id_(id) {}

  // The bitmap, decoded now if it is a shared one not yet decoded; null when there is none.
  [[nodiscard]] HBITMAP get() const noexcept { return source_ ? source_->Bitmap(id_) : bitmap_; }
  // Its size, without decoding a shared one.
  [[nodiscard]] SIZE Size() const noexcept;
  // Whether a bitmap was given at all (it may still fail to decode).
  explicit operator bool() const noexcept { return source_ != nullptr || bitmap_ != nullptr; }

 private:
  HBITMAP bitmap_ = nullptr;
  const SharedGraphics* source_ = nullptr;
  int id_ = 0;
};

}  // namespace app
