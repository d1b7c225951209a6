#include "support/LogLines.h"

#include <algorithm>

#include "support/ScratchDir.h"

namespace test {

std::vector<std::wstring> ReadLogLines(const std::filesystem::path& file) {
  constexpr size_t kStampLength = 20;
  const std::string bytes = ReadFile(file);
  std::wstring text;
  for (size_t i = 2; i + 1 < bytes.size(); i += 2)  // behind the byte-order mark
    text += static_cast<wchar_t>(static_cast<unsigned char>(bytes[i]) |
                                 (static_cast<unsigned char>(bytes[i + 1]) << 8));
  std::vector<std::wstring> lines;
  for (size_t start = 0, end; (end = text.find(L"\r\n", start)) != std::wstring::npos; start = end + 2) {
    const std::wstring line = text.substr(start, end - start);
    lines.push_back(line.substr(std::min(kStampLength, line.size())));
  }
  return lines;
}

}  // namespace test
