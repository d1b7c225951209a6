// File-system lookups of the plug-in switches: an entry by name anywhere in a folder tree, and
// whether a path exists even when it cannot be opened.
#pragma once

#include <span>
#include <string>
#include <vector>

namespace suite {

// Searches `folder` depth first, in the order the file system lists entries, for a file or folder
// called `name` (ignoring case). On success `name` becomes its full path (folder + "\" + the
// entry's own spelling) and the result is true; otherwise `name` is left as it was. Folders that
// are links (junctions, symbolic links) are matched by name but not searched, so a link back up
// the tree cannot make the search endless.
[[nodiscard]] bool FindFileInTree(const std::wstring& folder, std::wstring& name);

// The same search for several names in one walk of the tree, which ends as soon as each has been
// met: found[i] tells whether FindFileInTree would have found names[i].
[[nodiscard]] std::vector<bool> FindFilesInTree(const std::wstring& folder,
                                                std::span<const std::wstring> names);

// True, with `exists` set, when `path` opens for reading and writing with read and write sharing,
// or fails only because access is refused (a folder, a read-only file, a file held open by another
// program). False, with `exists` untouched, for any other failure (not found, bad path).
[[nodiscard]] bool PathExists(const std::wstring& path, bool& exists) noexcept;

}  // namespace suite
