#include "support/ProgramLog.h"

#include <windows.h>

#include <string>

#include "core/LogSink.h"
#include "core/RegistryLayout.h"
#include "support/LogLines.h"

namespace test {

namespace {

// "Name.log" becomes "Name-<process id>.log": test programs that CTest runs side by side each
// write, read and delete a file of their own.
std::wstring OwnFileName(const std::wstring& fileName) {
  const std::wstring pid = L"-" + std::to_wstring(::GetCurrentProcessId());
  const size_t dot = fileName.rfind(L'.');
  if (dot == std::wstring::npos) return fileName + pid;
  return fileName.substr(0, dot) + pid + fileName.substr(dot);
}

}  // namespace

ProgramLog::ProgramLog(const std::wstring& name) {
  const std::wstring fileName = OwnFileName(name);
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
