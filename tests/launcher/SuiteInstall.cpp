#include "SuiteInstall.h"

#include <atomic>
#include <chrono>
#include <cwchar>
#include <stdexcept>

#include "support/Driver.h"
#include "support/ProcessList.h"
#include "support/TestPaths.h"

namespace test {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

constexpr wchar_t kSubstituteKey[] = L"Software\\Korvelsoft\\VNTO9\\SuiteAppSubstitute";
constexpr wchar_t kJournalValue[] = L"Journal";

win::UniqueKey CreateKey(HKEY parent, const std::wstring& path) {
  win::UniqueKey key;
  if (::RegCreateKeyExW(parent, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr,
                        key.put(), nullptr) != ERROR_SUCCESS)
    throw std::runtime_error("cannot create a registry key for the test");
  return key;
}

void SetText(HKEY hive, const std::wstring& path, const std::wstring& name, const std::wstring& text) {
  const win::UniqueKey key = CreateKey(hive, path);
  ::RegSetValueExW(key.get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

std::optional<std::wstring> GetText(HKEY hive, const std::wstring& path, const std::wstring& name) {
  DWORD size = 0;
  if (::RegGetValueW(hive, path.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr, nullptr, &size) !=
      ERROR_SUCCESS)
    return std::nullopt;
  std::wstring text(size / sizeof(wchar_t) + 1, L'\0');
  size = static_cast<DWORD>(text.size() * sizeof(wchar_t));
  if (::RegGetValueW(hive, path.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr, text.data(), &size) !=
      ERROR_SUCCESS)
    return std::nullopt;
  text.resize(wcsnlen(text.c_str(), text.size()));
  return text;
}

void EmptyRunningKey() {
  ::RegDeleteTreeW(HKEY_CURRENT_USER, kRunningKeyPath);
  ::RegDeleteKeyW(HKEY_CURRENT_USER, kRunningKeyPath);
}

bool SameText(std::wstring_view a, std::wstring_view b) {
  return ::CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()),
                                TRUE) == CSTR_EQUAL;
}

std::wstring Utf16(const std::string& utf8) {
  if (utf8.empty()) return {};
  const int n = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring text(static_cast<size_t>(n), L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), text.data(), n);
  return text;
}

std::vector<std::wstring> SplitAt(const std::wstring& text, wchar_t separator) {
  std::vector<std::wstring> parts;
  for (size_t from = 0;;) {
    const size_t at = text.find(separator, from);
    parts.push_back(text.substr(from, at == std::wstring::npos ? std::wstring::npos : at - from));
    if (at == std::wstring::npos) return parts;
    from = at + 1;
  }
}

}  // namespace

MachineSandbox::MachineSandbox() {
  static std::atomic<unsigned> counter{0};
  root_ = L"Software\\StartdeckTests\\launcher-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
          std::to_wstring(++counter);
  machine_ = CreateKey(HKEY_CURRENT_USER, root_ + L"\\HKLM");
  if (::RegOverridePredefKey(HKEY_LOCAL_MACHINE, machine_.get()) != ERROR_SUCCESS)
    throw std::runtime_error("cannot redirect HKEY_LOCAL_MACHINE");
}

MachineSandbox::~MachineSandbox() {
  ::RegOverridePredefKey(HKEY_LOCAL_MACHINE, nullptr);
  machine_.reset();
  ::RegDeleteTreeW(HKEY_CURRENT_USER, root_.c_str());
  ::RegDeleteKeyW(HKEY_CURRENT_USER, root_.c_str());
}

bool SuiteInstall::SubstituteBuilt() {
  return fs::exists(BinFolder() / L"SuiteApp.exe");
}

SuiteInstall::SuiteInstall() {
  fs::create_directories(Folder());
  EmptyRunningKey();
  journalBefore_ = GetText(HKEY_CURRENT_USER, kSubstituteKey, kJournalValue);
  SetText(HKEY_CURRENT_USER, kSubstituteKey, kJournalValue, (scratch_.path() / L"journal.log").wstring());
}

SuiteInstall::~SuiteInstall() {
  EndStartedPrograms();
  EmptyRunningKey();
  if (journalBefore_) {
    SetText(HKEY_CURRENT_USER, kSubstituteKey, kJournalValue, *journalBefore_);
  } else if (win::UniqueKey key; ::RegOpenKeyExW(HKEY_CURRENT_USER, kSubstituteKey, 0, KEY_SET_VALUE,
                                                 key.put()) == ERROR_SUCCESS) {
    ::RegDeleteValueW(key.get(), kJournalValue);
  }
}

fs::path SuiteInstall::Install(const std::wstring& appId) {
  const fs::path program = Folder() / (appId + L".exe");
  fs::copy_file(BinFolder() / L"SuiteApp.exe", program, fs::copy_options::overwrite_existing);
  Register(appId, program);
  return program;
}

void SuiteInstall::Register(const std::wstring& appId, const fs::path& path) {
  SetText(HKEY_LOCAL_MACHINE, kAppsKeyPath, appId, path.wstring());
}

std::vector<JournalLine> SuiteInstall::Journal() const {
  return ReadJournal(scratch_.path() / L"journal.log");
}

std::vector<JournalLine> ReadJournal(const fs::path& file) {
  std::vector<JournalLine> lines;
  if (!fs::exists(file)) return lines;
  const std::wstring text = Utf16(ReadFile(file));
  for (const std::wstring& line : SplitAt(text, L'\n')) {
    const std::vector<std::wstring> fields =
        SplitAt(line.ends_with(L'\r') ? line.substr(0, line.size() - 1) : line, L'\t');
    if (fields.size() != 7) continue;
    lines.push_back({fields[1], fields[2], fields[3], fields[4], fields[5],
                     static_cast<DWORD>(std::wcstoul(fields[6].c_str(), nullptr, 10))});
  }
  return lines;
}

std::optional<JournalLine> SuiteInstall::WaitForStartOf(const std::wstring& executable) const {
  std::optional<JournalLine> found;
  // The wait is a safety net for a program that never comes; a start normally shows at once.
  WaitUntil(
      [&] {
        for (JournalLine& line : Journal())
          if (SameText(line.executable, executable)) found = std::move(line);
        return found.has_value();
      },
      30s);
  return found;
}

size_t SuiteInstall::RunningCopies(const std::wstring& executable) const {
  // A copy that is still starting counts too: the list waits until it can tell.
  return ProcessesIn(Folder(), executable).size();
}

void SuiteInstall::EndStartedPrograms() const {
  for (const ListedProcess& process : ProcessesIn(Folder())) {
    ::TerminateProcess(process.handle.get(), 1);
    ::WaitForSingleObject(process.handle.get(), 10000);
  }
}

std::optional<std::wstring> RunningRecord(const std::wstring& appId) {
  return GetText(HKEY_CURRENT_USER, kRunningKeyPath, appId);
}

void WriteRunningRecord(const std::wstring& appId, const std::wstring& text) {
  SetText(HKEY_CURRENT_USER, kRunningKeyPath, appId, text);
}

std::wstring ArgumentsOf(const std::wstring& commandLine) {
  size_t at = 0;
  if (!commandLine.empty() && commandLine[0] == L'"') {
    const size_t close = commandLine.find(L'"', 1);
    at = close == std::wstring::npos ? commandLine.size() : close + 1;
  } else {
    at = commandLine.find(L' ');
    if (at == std::wstring::npos) at = commandLine.size();
  }
  while (at < commandLine.size() && commandLine[at] == L' ') ++at;
  return commandLine.substr(at);
}

}  // namespace test
