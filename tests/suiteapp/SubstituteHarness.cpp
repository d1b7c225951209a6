#include "SubstituteHarness.h"

#include <cstdio>
#include <iostream>

#include "support/Driver.h"
#include "support/ScratchDir.h"
#include "support/TestPaths.h"

namespace test {

namespace fs = std::filesystem;

fs::path SubstituteProgram() {
  return BinFolder() / L"SuiteApp.exe";
}

fs::path CopySubstituteAs(const fs::path& folder, const std::wstring& name) {
  fs::create_directories(folder);
  const fs::path copy = folder / name;
  fs::copy_file(SubstituteProgram(), copy, fs::copy_options::overwrite_existing);
  return copy;
}

std::optional<std::wstring> ReadRegistryText(HKEY hive, const std::wstring& path, const std::wstring& name) {
  DWORD size = 0;
  if (::RegGetValueW(hive, path.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr, nullptr, &size) !=
      ERROR_SUCCESS)
    return std::nullopt;
  std::wstring text(size / sizeof(wchar_t) + 1, L'\0');
  size = static_cast<DWORD>(text.size() * sizeof(wchar_t));
  if (::RegGetValueW(hive, path.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr, text.data(), &size) !=
      ERROR_SUCCESS)
    return std::nullopt;
  text.resize(text.find(L'\0'));
  return text;
}

void WriteRegistryText(HKEY hive, const std::wstring& path, const std::wstring& name,
                       const std::wstring& text) {
  win::UniqueKey key;
  if (::RegCreateKeyExW(hive, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, key.put(), nullptr) !=
      ERROR_SUCCESS)
    return;
  ::RegSetValueExW(key.get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

void DeleteRegistryValue(HKEY hive, const std::wstring& path, const std::wstring& name) {
  win::UniqueKey key;
  if (::RegOpenKeyExW(hive, path.c_str(), 0, KEY_SET_VALUE, key.put()) == ERROR_SUCCESS)
    ::RegDeleteValueW(key.get(), name.c_str());
}

ScopedRegistryValue::ScopedRegistryValue(HKEY hive, std::wstring path, std::wstring name,
                                         const std::optional<std::wstring>& text)
    : hive_(hive),
      path_(std::move(path)),
      name_(std::move(name)),
      before_(ReadRegistryText(hive_, path_, name_)) {
  if (text)
    WriteRegistryText(hive_, path_, name_, *text);
  else
    DeleteRegistryValue(hive_, path_, name_);
}

ScopedRegistryValue::~ScopedRegistryValue() {
  if (before_)
    WriteRegistryText(hive_, path_, name_, *before_);
  else
    DeleteRegistryValue(hive_, path_, name_);
}

SubstituteRun::~SubstituteRun() {
  if (process_ && ::WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT) {
    ::TerminateProcess(process_.get(), 1);
    ::WaitForSingleObject(process_.get(), 5000);
  }
}

bool SubstituteRun::Start(const fs::path& program, const std::wstring& arguments,
                          const fs::path& workingFolder, bool suspended) {
  commandLine_ = L"\"" + program.wstring() + L"\"";
  if (!arguments.empty()) commandLine_ += L" " + arguments;
  workingFolder_ = workingFolder.empty() ? program.parent_path().wstring() : workingFolder.wstring();
  std::wstring command = commandLine_;  // CreateProcessW may write into it
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info{};
  // A program copied a moment ago can still be held by the copy under Wine: a few more tries.
  for (int attempt = 0;; ++attempt) {
    if (::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, suspended ? CREATE_SUSPENDED : 0,
                         nullptr, workingFolder_.c_str(), &startup, &info))
      break;
    const DWORD error = ::GetLastError();
    if (attempt == 20) {
      std::wcerr << L"cannot start " << commandLine_ << L": error " << error << L"\n";
      return false;
    }
    ::Sleep(100);
    command = commandLine_;
  }
  process_.reset(info.hProcess);
  thread_.reset(info.hThread);
  id_ = info.dwProcessId;
  return true;
}

void SubstituteRun::Resume() {
  if (thread_) ::ResumeThread(thread_.get());
}

bool SubstituteRun::WaitForExit(std::chrono::milliseconds timeout) const {
  return process_ &&
         ::WaitForSingleObject(process_.get(), static_cast<DWORD>(timeout.count())) == WAIT_OBJECT_0;
}

DWORD SubstituteRun::ExitCode() const {
  DWORD code = STILL_ACTIVE;
  if (process_) ::GetExitCodeProcess(process_.get(), &code);
  return code;
}

HWND WaitForSubstituteWindow(DWORD processId, const std::wstring& name) {
  return WaitForWindow(processId, name + kCaptionSuffix, L"#32770", 20s);
}

std::wstring ControlText(HWND dialog, int id) {
  HWND control = ::GetDlgItem(dialog, id);
  if (!control) return L"<no control>";
  wchar_t text[4096] = {};
  DWORD_PTR copied = 0;
  if (!::SendMessageTimeoutW(control, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                             10000, &copied))
    return L"<no answer>";
  return std::wstring(text, copied);
}

std::wstring Utf16(const std::string& utf8) {
  if (utf8.empty()) return {};
  const int n = ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(),
                                      static_cast<int>(utf8.size()), nullptr, 0);
  if (n <= 0) return L"<not UTF-8>";
  std::wstring out(static_cast<size_t>(n), L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(), n);
  return out;
}

std::string Utf8(const std::wstring& text) {
  if (text.empty()) return {};
  const int n = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                      nullptr, nullptr);
  std::string out(static_cast<size_t>(n), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr,
                        nullptr);
  return out;
}

std::vector<std::vector<std::wstring>> ReadJournal(const fs::path& file) {
  const std::string bytes = ReadFile(file);
  std::vector<std::vector<std::wstring>> lines;
  size_t start = 0;
  while (start < bytes.size()) {
    size_t end = bytes.find("\r\n", start);
    const bool whole = end != std::string::npos;
    if (!whole) end = bytes.size();
    const std::wstring line = Utf16(bytes.substr(start, end - start));
    std::vector<std::wstring> fields;
    for (size_t from = 0;;) {
      const size_t tab = line.find(L'\t', from);
      fields.push_back(line.substr(from, tab == std::wstring::npos ? std::wstring::npos : tab - from));
      if (tab == std::wstring::npos) break;
      from = tab + 1;
    }
    if (!whole) fields.push_back(L"<no CR LF>");
    lines.push_back(std::move(fields));
    start = whole ? end + 2 : end;
  }
  return lines;
}

std::vector<std::vector<std::wstring>> JournalLinesOf(const fs::path& file, DWORD processId) {
  std::vector<std::vector<std::wstring>> found;
  for (auto& fields : ReadJournal(file)) {
    if (fields.size() >= 7 && fields[6] == std::to_wstring(processId)) found.push_back(std::move(fields));
  }
  return found;
}

std::wstring UtcNow() {
  SYSTEMTIME now{};
  ::GetSystemTime(&now);
  wchar_t text[40];
  std::swprintf(text, 40, L"%04u-%02u-%02uT%02u:%02u:%02u.%03uZ", now.wYear, now.wMonth, now.wDay, now.wHour,
                now.wMinute, now.wSecond, now.wMilliseconds);
  return text;
}

}  // namespace test
