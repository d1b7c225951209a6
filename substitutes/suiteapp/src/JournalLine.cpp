#include "JournalLine.h"

#include <cstdio>

namespace suiteapp {

std::wstring JournalField(std::wstring_view text) {
  std::wstring out;
  out.reserve(text.size());
  for (wchar_t c : text) {
    if (c < 0x20)
      out += static_cast<wchar_t>(0x2400 + c);
    else if (c == 0x7F)
      out += static_cast<wchar_t>(0x2421);
    else
      out += c;
  }
  return out;
}

std::wstring FormatJournalLine(const JournalEntry& entry) {
  std::wstring line;
  for (const std::wstring* field : {&entry.timestamp, &entry.executable, &entry.appId, &entry.commandLine,
                                    &entry.workingFolder, &entry.record}) {
    line += JournalField(*field);
    line += L'\t';
  }
  line += std::to_wstring(entry.processId);
  line += L"\r\n";
  return line;
}

std::wstring FormatTimestamp(int year, int month, int day, int hour, int minute, int second,
                             int millisecond) {
  wchar_t text[40];
  std::swprintf(text, sizeof(text) / sizeof(text[0]), L"%04d-%02d-%02dT%02d:%02d:%02d.%03dZ", year, month,
                day, hour, minute, second, millisecond);
  return text;
}

}  // namespace suiteapp
