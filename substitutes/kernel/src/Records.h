// The line format of every kernel file (word lists, user dictionaries, translation memories):
// UTF-8, one record a line, fields separated by tabs, with "\t", "\n", "\r" and "\\" escaped inside
// a field. Blank lines and lines starting with '#' are comments.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vanto {

using Record = std::vector<std::wstring>;

[[nodiscard]] std::vector<Record> ParseRecords(std::string_view utf8);
// One line, ending with "\r\n".
[[nodiscard]] std::string FormatRecord(const Record& fields);

}  // namespace vanto
