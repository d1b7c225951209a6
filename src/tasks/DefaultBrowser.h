// Which program the system opens web pages with: the executable associated with ".html".
#pragma once

#include <string>
#include <string_view>

namespace tasks {

// The associated executable's file name (the text after its last backslash), found through an
// empty "testtempvantohtmlfile.html" in the user's temporary folder, which is deleted again.
// Empty when nothing is associated or the file cannot be made.
[[nodiscard]] std::wstring DefaultBrowserFileName();

// The text after the last backslash (all of it when there is none).
[[nodiscard]] std::wstring_view FileNameOf(std::wstring_view path) noexcept;
// File names compare as the file system does: ordinal, ignoring case.
[[nodiscard]] bool SameFileName(std::wstring_view a, std::wstring_view b) noexcept;

}  // namespace tasks
