// The skin's pictures: PNG resources of the executable (type "PNG", IDs from SkinIds.h), decoded
// at load by the Windows Imaging Component into DIB sections, the bitmaps every painter of the skin
// blits from: 8-bit with a colour table for a picture of at most 256 colours, 24-bit otherwise.
#pragma once

#include <windows.h>
#include <wrl/client.h>

#include <string>

struct IWICImagingFactory;

namespace app {

struct SkinImageDecoder;

inline constexpr const wchar_t* kSkinImageType = L"PNG";

// Where a skin picture is read from: its module, ID and resource type.
struct SkinPicture {
  HMODULE module;
  int id;
  std::wstring type;
};

// The picture's size from its header, without decoding it; {0, 0} when `id` is not a skin picture
// of `module`. `type` is the resource type: "PNG" for the program's own set, "PNG150" and the like
// for the scaled skin library's (see SkinLibrary.h).
[[nodiscard]] SIZE SkinImageSize(HMODULE module, int id, const wchar_t* type = kSkinImageType) noexcept;

// A new bottom-up DIB section with the picture's pixels, owned by the caller: 8 bits a pixel with
// the picture's colours as its table when there are no more than 256 of them, else 24; null when
// `id` is not a skin picture of `module` or cannot be decoded. Uses COM on the calling thread (and
// initialises it for the call if nobody has). A picture of the live SkinPrefetch (SkinPrefetch.h)
// is taken from it.
[[nodiscard]] HBITMAP LoadSkinImage(HMODULE module, int id, const wchar_t* type = kSkinImageType) noexcept;

// While one lives, the pictures decoded on the thread that made it, while that thread has COM of
// its own, share one imaging factory and one maker of PNG decoders: made by the first of them,
// released with the scope. Its owner ends it on the same thread, before that thread's COM ends.
// Without a scope every decode makes its own. Scopes do not nest: a second one on the same thread
// is idle.
class SkinImageFactoryScope {
 public:
  SkinImageFactoryScope() noexcept;
  ~SkinImageFactoryScope();
  SkinImageFactoryScope(const SkinImageFactoryScope&) = delete;
  SkinImageFactoryScope& operator=(const SkinImageFactoryScope&) = delete;

  // True once a decode has made the shared factory.
  [[nodiscard]] bool HoldsFactory() const noexcept { return factory_ != nullptr; }

 private:
  friend struct SkinImageDecoder;
  bool active_ = false;
  Microsoft::WRL::ComPtr<IWICImagingFactory> factory_;
  Microsoft::WRL::ComPtr<IClassFactory> pngDecoders_;
};

}  // namespace app
