// The skin's pictures: PNG resources of the executable (type "PNG", IDs from SkinIds.h), decoded
// at load by the Windows Imaging Component into 24-bit DIB sections, the bitmaps every painter
// of the skin blits from.
#pragma once

#include <windows.h>

namespace app {

inline constexpr const wchar_t* kSkinImageType = L"PNG";

// The picture's size from its header, without decoding it; {0, 0} when `id` is not a skin picture
// of `module`.
[[nodiscard]] SIZE SkinImageSize(HMODULE module, int id) noexcept;

// A new bottom-up 24-bit DIB section with the picture's pixels, owned by the caller; null when
// `id` is not a skin picture of `module` or cannot be decoded. Uses COM on the calling thread (and
// initialises it for the call if nobody has).
[[nodiscard]] HBITMAP LoadSkinImage(HMODULE module, int id) noexcept;

}  // namespace app
