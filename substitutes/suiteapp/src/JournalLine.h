// One line of the journal that every start of a substitute appends to.
//
// The journal is a UTF-8 text file (no byte-order mark), one line per start, each line ended by
// CR LF. A line holds seven fields separated by one TAB, always in this order:
//
//   1 timestamp       UTC, "YYYY-MM-DDThh:mm:ss.mmmZ"
//   2 executable      the program's file name as started, e.g. "Batcher.exe"
//   3 app ID          the Running value name it answers for, e.g. "Batcher" or "Word"
//   4 command line    GetCommandLineW, exactly
//   5 working folder  the current directory at start
//   6 Running record  the value's text exactly as found, or "<none>" when there was none
//   7 process ID      decimal
//
// A control character inside a field (TAB, CR, LF, ...) is written as its Unicode control
// picture (U+2400 + code; U+2421 for DEL), so a start is always exactly one line and paths keep
// their backslashes as they are.
#pragma once

#include <string>
#include <string_view>

namespace suiteapp {

// Field 6 when the start centre left no record.
inline constexpr wchar_t kNoRecord[] = L"<none>";
// The record field of a copy that ended without reading its record (the ExitAtOnce setting).
inline constexpr wchar_t kRecordNotRead[] = L"<not read>";

struct JournalEntry {
  std::wstring timestamp;
  std::wstring executable;
  std::wstring appId;
  std::wstring commandLine;
  std::wstring workingFolder;
  std::wstring record;
  unsigned long processId = 0;
};

// The field as written: control characters replaced by their pictures.
[[nodiscard]] std::wstring JournalField(std::wstring_view text);
// The whole line, with its CR LF.
[[nodiscard]] std::wstring FormatJournalLine(const JournalEntry& entry);
// Field 1 from the parts of a UTC time.
[[nodiscard]] std::wstring FormatTimestamp(int year, int month, int day, int hour, int minute, int second,
                                           int millisecond);

}  // namespace suiteapp
