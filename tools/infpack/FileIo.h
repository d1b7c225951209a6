#pragma once
// Whole-file reads and all-or-nothing writes for infpack.

#include <cstdint>
#include <filesystem>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

// A failure to report to the user as is.
class ToolError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A path as UTF-8, for messages.
std::string DisplayPath(const std::filesystem::path& path);

// Throws ToolError naming the file when it is missing or cannot be read.
std::vector<std::uint8_t> ReadWholeFile(const std::filesystem::path& path);

// Writes `bytes` to a temporary file in the target's folder, then renames it over `target`, so
// the target is either the old file or the complete new one. Throws ToolError.
void ReplaceFile(const std::filesystem::path& target, std::span<const std::uint8_t> bytes);
