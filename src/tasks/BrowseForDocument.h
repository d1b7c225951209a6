// The system's open-file dialog of the document tasks.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace tasks {

// Asks for one existing file with `filter` ("description|patterns|" parts, as the hand-off object
// gives it), starting in `folder`. The chosen full path, or nullopt when the user cancels.
[[nodiscard]] std::optional<std::wstring> BrowseForDocument(HWND owner, std::wstring_view filter,
                                                            const std::wstring& folder);

// The folder part of `path`: everything up to and including its last backslash (empty without one).
[[nodiscard]] std::wstring FolderOf(std::wstring_view path);

}  // namespace tasks
