#include "support/ProgramLog.h"

#include <windows.h>

#include "core/LogSink.h"
#include "core/RegistryLayout.h"
#include "support/LogLines.h"

namespace test {

ProgramLog::ProgramLog(const std::wstring& fileName) {
  // The same place rule as the program's own.
  app::LogSink sink;
  sink.SetLogFile(fileName);
  file_ = sink.FilePath();
  std::error_code ignored;
  std::filesystem::remove(file_, ignored);
  ::RegSetKeyValueW(HKEY_CURRENT_USER, reg::kStartdeck, reg::kLogFileValue, REG_SZ, fileName.c_str(),
                    static_cast<DWORD>((fileName.size() + 1) * sizeof(wchar_t)));
}

ProgramLog::~ProgramLog() {
  ::RegDeleteKeyValueW(HKEY_CURRENT_USER, reg::kStartdeck, reg::kLogFileValue);
  std::error_code ignored;
  std::filesystem::remove(file_, ignored);
}

std::vector<std::wstring> ProgramLog::Lines() const {
  return ReadLogLines(file_);
}

std::wstring ProgramLog::Text() const {
  std::wstring text;
  for (const std::wstring& line : Lines()) text += line + L"\n";
  return text;
}

}  // namespace test
