// Reading back the diagnostic log that a test pointed at a file of its own.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace test {

// The lines of a log file (UTF-16LE behind a byte-order mark), each without its stamp
// "dd/mm/yyyy hh:mm:ss ". Empty when the file is missing.
[[nodiscard]] std::vector<std::wstring> ReadLogLines(const std::filesystem::path& file);

}  // namespace test
