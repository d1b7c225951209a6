// A real folder link for the tests of the tree search.
#pragma once

#include <filesystem>
#include <string>

namespace suitetest {

// Makes `link` a symbolic link to the folder `target`, one the file system reports as a reparse
// point. Empty on success, otherwise why it could not be made here.
std::wstring MakeFolderLink(const std::filesystem::path& link, const std::filesystem::path& target);

// Removes the link, never what it leads to; true when it is gone.
bool RemoveFolderLink(const std::filesystem::path& link);

}  // namespace suitetest
