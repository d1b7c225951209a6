#include "StartReport.h"

#include <shellapi.h>

#include <memory>
#include <vector>

#include "Journal.h"

namespace suiteapp {
namespace {

std::wstring ModulePath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0) return {};
    if (n < path.size()) {
      path.resize(n);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

std::wstring WorkingFolder() {
  const DWORD size = ::GetCurrentDirectoryW(0, nullptr);
  if (size == 0) return {};
  std::wstring folder(size, L'\0');
  folder.resize(::GetCurrentDirectoryW(size, folder.data()));
  return folder;
}

struct ArgvDeleter {
  void operator()(void* memory) const noexcept { ::LocalFree(memory); }
};

// The arguments after the program name, split the way the C runtime would.
std::vector<std::wstring> Arguments(const wchar_t* commandLine) {
  int count = 0;
  const std::unique_ptr<wchar_t*, ArgvDeleter> argv(::CommandLineToArgvW(commandLine, &count));
  std::vector<std::wstring> arguments;
  if (!argv) return arguments;
  for (int i = 1; i < count; ++i) arguments.emplace_back(argv.get()[i]);
  return arguments;
}

std::wstring UtcTimestamp() {
  SYSTEMTIME now{};
  ::GetSystemTime(&now);
  return FormatTimestamp(now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond,
                         now.wMilliseconds);
}

// The REG_SZ value ExitAtOnce of the substitute's settings names the app ID (or host key) whose
// copies end at once, as a host that fails right after its start would.
bool ExitsAtOnce(const std::wstring& appId) {
  wchar_t named[256] = {};
  DWORD size = sizeof(named) - sizeof(wchar_t);
  if (::RegGetValueW(HKEY_CURRENT_USER, kSettingsKey, L"ExitAtOnce", RRF_RT_REG_SZ, nullptr, named, &size) !=
      ERROR_SUCCESS)
    return false;
  return !appId.empty() && ::CompareStringOrdinal(named, -1, appId.c_str(), -1, TRUE) == CSTR_EQUAL;
}

}  // namespace

StartReport GatherStartReport() {
  StartReport report;
  report.executablePath = ModulePath();
  report.identity = IdentityFor(FileTitle(report.executablePath));
  report.exitAtOnce = ExitsAtOnce(report.identity.appId);
  if (!report.exitAtOnce) report.record = ReadRunningRecord(report.identity.appId, report.identity.place);

  const wchar_t* commandLine = ::GetCommandLineW();
  report.switches = ParseSwitches(Arguments(commandLine));

  JournalEntry& entry = report.entry;
  entry.timestamp = UtcTimestamp();
  entry.executable = FileName(report.executablePath);
  entry.appId = report.identity.appId;
  entry.commandLine = commandLine;
  entry.workingFolder = WorkingFolder();
  entry.record = report.exitAtOnce ? kRecordNotRead : report.record.text.value_or(kNoRecord);
  entry.processId = ::GetCurrentProcessId();

  report.journalPath = JournalPath();
  return report;
}

void WriteJournal(StartReport& report) {
  report.journalResult = AppendToJournal(report.journalPath, FormatJournalLine(report.entry));
}

}  // namespace suiteapp
