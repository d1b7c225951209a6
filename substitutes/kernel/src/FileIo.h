// Whole-file reads and writes for the user's data files. A write goes to a temporary file in the
// same folder first and then takes the file's place, so a reader never sees half a file.
#pragma once

#include <windows.h>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vanto {

struct FileStamp {
  std::uint64_t lastWrite = 0;
  std::uint64_t size = 0;
  bool operator==(const FileStamp&) const = default;
};

struct FolderEntry {
  std::filesystem::path path;
  FileStamp stamp;
};

// Files of `folder` matching `pattern` (e.g. L"*.vdic"), sorted by name; empty when the folder is missing.
[[nodiscard]] std::vector<FolderEntry> ListFiles(const std::filesystem::path& folder, const wchar_t* pattern);
// The file's bytes, or nothing when it cannot be read or is implausibly large.
[[nodiscard]] std::optional<std::string> ReadWholeFile(const std::filesystem::path& file);
// replace = false fails with HRESULT_FROM_WIN32(ERROR_ALREADY_EXISTS) when the file exists.
[[nodiscard]] HRESULT WriteFileAtomically(const std::filesystem::path& file, std::string_view bytes,
                                          bool replace) noexcept;
[[nodiscard]] std::optional<FileStamp> StampOf(const std::filesystem::path& file) noexcept;

}  // namespace vanto
