#include "Records.h"

#include "Utf8.h"

namespace vanto {
namespace {

Record SplitLine(std::wstring_view line) {
  Record fields(1);
  for (size_t i = 0; i < line.size(); ++i) {
    const wchar_t c = line[i];
    if (c == L'\t') {
      fields.emplace_back();
    } else if (c == L'\\' && i + 1 < line.size()) {
      const wchar_t e = line[++i];
      // An unknown escape keeps its character, so a stray backslash costs one character at most.
      fields.back().push_back(e == L't' ? L'\t' : e == L'n' ? L'\n' : e == L'r' ? L'\r' : e);
    } else {
      fields.back().push_back(c);
    }
  }
  return fields;
}

}  // namespace

std::vector<Record> ParseRecords(std::string_view utf8) {
  const std::wstring text = FromUtf8(utf8);
  std::vector<Record> records;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find(L'\n', start);
    if (end == std::wstring::npos) end = text.size();
    std::wstring_view line(text.data() + start, end - start);
    if (!line.empty() && line.back() == L'\r') line.remove_suffix(1);
    start = end + 1;
    if (line.find_first_not_of(L" \t") == std::wstring_view::npos || line.front() == L'#') continue;
    records.push_back(SplitLine(line));
  }
  return records;
}

std::string FormatRecord(const Record& fields) {
  std::wstring line;
  for (size_t f = 0; f < fields.size(); ++f) {
    if (f > 0) line.push_back(L'\t');
    for (wchar_t c : fields[f]) {
      switch (c) {
        case L'\t': line += L"\\t"; break;
        case L'\n': line += L"\\n"; break;
        case L'\r': line += L"\\r"; break;
        case L'\\': line += L"\\\\"; break;
        default: line.push_back(c);
      }
    }
  }
  line += L"\r\n";
  return ToUtf8(line);
}

}  // namespace vanto
