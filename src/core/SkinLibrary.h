// The skin at scales other than 100 %: one resource-only library beside the program,
// StartdeckSkin.dll, holding the same pictures under the same IDs as the program's own set, as
// resource types named by the scale ("PNG150" for the bitmaps at 150 %, "ICO150" for the list
// icons, each a whole icon file). The 100 % set stays in the program, so a start at 100 % never
// opens the library.
#pragma once

#include <windows.h>

#include <string>

#include "win/Handle.h"
#include "win/Scale.h"

namespace app {

inline constexpr const wchar_t* kScaledSkinFile = L"StartdeckSkin.dll";

// The resource type of `base` ("PNG" or "ICO") at `scale`: "PNG150" at 144 DPI. At 100 % it is
// `base` itself, the program's own type.
[[nodiscard]] std::wstring SkinResourceType(const wchar_t* base, win::Scale scale);

// Opens StartdeckSkin.dll from the folder of `program` (a module loaded as an image: Windows does
// not name the file of one opened as a data file) as a data file for its resources; empty when it
// is missing or not a library.
[[nodiscard]] win::UniqueModule OpenScaledSkin(HMODULE program) noexcept;

// The scaled library beside the running program, opened at the first call and kept until the
// process ends; null when it is missing.
[[nodiscard]] HMODULE ProgramScaledSkin() noexcept;

// A list icon (the ICON resources of SkinIds.h) of `designSize` (16 or 32) at `scale`: at 100 % the
// program's own image, at other scales the image of Px(designSize) pixels from `scaled`. Without
// that image (no library), the program's icon is stretched to the scaled size, so a row keeps its
// layout. Owned by the caller; empty when `id` is no icon.
[[nodiscard]] win::UniqueIcon LoadSkinIcon(HMODULE program, HMODULE scaled, int id, int designSize,
                                           win::Scale scale) noexcept;
// The same from the running program and the library beside it.
[[nodiscard]] win::UniqueIcon LoadSkinIcon(int id, int designSize, win::Scale scale) noexcept;

}  // namespace app
