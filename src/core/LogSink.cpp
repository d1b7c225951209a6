#include "core/LogSink.h"

#include <objbase.h>
#include <shlobj.h>
#include <knownfolders.h>

#include <cstdarg>
#include <cstdio>
#include <cwchar>
#include <iterator>
#include <memory>
#include <optional>
#include <vector>

#include "core/RegistryKey.h"
#include "core/RegistryLayout.h"
#include "win/Handle.h"
#include "win/System.h"

namespace app {
namespace {

// The traditional first buffer: 1,024 characters, of which _vsnwprintf may fill 1,023.
constexpr size_t kFirstBufferSize = 1024;
// A format the runtime rejects never fits; stop doubling here instead of when memory runs out.
constexpr size_t kLargestBufferSize = size_t{1} << 24;

SYSTEMTIME LocalNow() {
  SYSTEMTIME now{};
  ::GetLocalTime(&now);
  return now;
}

int PrintInto(std::vector<wchar_t>& buffer, const wchar_t* format, va_list args) {
#if defined(_MSC_VER)
#pragma warning(suppress : 4996)  // the bounded legacy call is the point: it reports "too small"
#endif
  return ::_vsnwprintf(buffer.data(), buffer.size() - 1, format, args);
}

// Prints into a growing buffer; each attempt needs its own copy of the argument list. nullopt when
// the text never fits.
std::optional<std::wstring> FormatV(const wchar_t* format, va_list args) {
  if (format == nullptr) return std::wstring();
  std::vector<wchar_t> buffer(kFirstBufferSize);
  for (;;) {
    va_list attempt;
    va_copy(attempt, args);
    const int length = PrintInto(buffer, format, attempt);
    va_end(attempt);
    if (length >= 0) return std::wstring(buffer.data(), static_cast<size_t>(length));
    if (buffer.size() >= kLargestBufferSize) return std::nullopt;
    buffer.resize(buffer.size() * 2);
  }
}

std::optional<std::wstring> Format(const wchar_t* format, va_list args) noexcept {
  try {
    return FormatV(format, args);
  } catch (...) {
    return std::nullopt;
  }
}

struct CoTaskMemDeleter {
  void operator()(wchar_t* text) const noexcept { ::CoTaskMemFree(text); }
};

using KnownFolderPathFn = HRESULT(WINAPI*)(REFKNOWNFOLDERID, DWORD, HANDLE, PWSTR*);

// Vista's known-folder call, looked up at run time so the program still loads where it is missing.
// nullopt when the function is missing; an empty folder when the call fails.
std::optional<std::wstring> LocalLowFolder() {
  const win::UniqueModule shell(::LoadLibraryW(L"shell32.dll"));
  if (!shell) return std::nullopt;
  const auto getKnownFolderPath = reinterpret_cast<KnownFolderPathFn>(
      reinterpret_cast<void*>(::GetProcAddress(shell.get(), "SHGetKnownFolderPath")));
  if (getKnownFolderPath == nullptr) return std::nullopt;
  PWSTR raw = nullptr;
  const HRESULT hr = getKnownFolderPath(FOLDERID_LocalAppDataLow, 0, nullptr, &raw);
  const std::unique_ptr<wchar_t, CoTaskMemDeleter> folder(raw);  // freed even when the call failed
  if (FAILED(hr) || folder == nullptr) return std::wstring();
  return std::wstring(folder.get());
}

std::wstring AppDataFolder() {
  wchar_t buffer[MAX_PATH] = {};  // the shell's own limit for this call
  if (FAILED(::SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, buffer))) return {};
  return buffer;
}

std::wstring CommonAppDataRoot() {
  RegistryKey folders;
  if (!folders.Open(HKEY_LOCAL_MACHINE, reg::kFolders, reg::kRead)) return {};
  return folders.ReadString(reg::kCommonAppDataRootValue);
}

// Before Vista: `folder` with a backslash added when missing, then the name; "c:\" without a folder.
std::wstring LegacyLogPath(std::wstring_view folder, std::wstring_view fileName) {
  std::wstring path(folder.empty() ? std::wstring_view(L"c:\\") : folder);
  if (path.back() != L'\\') path += L'\\';
  path += fileName;
  return path;
}

}  // namespace

LogSink::LogSink() noexcept : LogSink(&LocalNow) {}

LogSink::LogSink(Clock clock) noexcept : clock_(clock ? clock : &LocalNow) {}

void LogSink::Record(const wchar_t* sourceTag, int line, const wchar_t* format, ...) noexcept {
  if (!enabled_) return;
  va_list args;
  va_start(args, format);
  const std::optional<std::wstring> text = Format(format, args);
  va_end(args);
  if (!text) return;
  try {
    Write(FormatSourceRecord(FormatStamp(clock_()), sourceTag ? sourceTag : L"", line, *text));
  } catch (...) {
    // The log never reports its own failures.
  }
}

void LogSink::Line(const wchar_t* format, ...) noexcept {
  if (!enabled_) return;
  va_list args;
  va_start(args, format);
  const std::optional<std::wstring> text = Format(format, args);
  va_end(args);
  if (!text) return;
  try {
    Write(FormatStampedLine(FormatStamp(clock_()), *text));
  } catch (...) {
  }
}

// The traditional "a+,ccs=UNICODE" text stream turned each CR LF of a record into CR CR LF. The
// characters go to the file exactly as UTF-16LE instead, behind a BOM written into an empty file.
void LogSink::Write(const std::wstring& record) const noexcept {
  const win::UniqueFile file(::CreateFileW(path_.c_str(), FILE_APPEND_DATA | FILE_READ_ATTRIBUTES,
                                           FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                                           FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return;
  try {
    std::wstring bytes;
    LARGE_INTEGER size{};
    if (::GetFileSizeEx(file.get(), &size) && size.QuadPart == 0) bytes += L'\xFEFF';
    bytes += record;
    DWORD written = 0;
    (void)::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size() * sizeof(wchar_t)), &written,
                      nullptr);
  } catch (...) {
  }
}

void LogSink::SetLogFile(std::wstring_view fileName) {
  if (win::WindowsMajorVersion() >= 6) {
    const std::optional<std::wstring> folder = LocalLowFolder();
    // Without the function, or a folder it could name, there is nowhere to put the file.
    if (!folder || folder->empty()) return;
    path_ = *folder + L"\\" + std::wstring(fileName);
    return;
  }
  std::wstring folder = AppDataFolder();
  if (folder.empty() && win::WindowsMajorVersion() < 5) folder = CommonAppDataRoot();
  path_ = LegacyLogPath(folder, fileName);
}

LogSink& Log() noexcept {
  static LogSink sink;
  return sink;
}

void ConfigureLogFromRegistry(LogSink& sink) {
  RegistryKey settings;
  if (!settings.Open(HKEY_CURRENT_USER, reg::kStartdeck, reg::kRead)) return;
  const std::wstring fileName = settings.ReadString(reg::kLogFileValue);
  if (!fileName.empty()) sink.SetLogFile(fileName);
}

void ConfigureLogFromRegistry() {
  ConfigureLogFromRegistry(Log());
}

std::wstring FormatStamp(const SYSTEMTIME& time) {
  wchar_t stamp[64] = {};  // six fields of at most five digits each
  std::swprintf(stamp, std::size(stamp), L"%.*d/%.*d/%.*d %.*d:%.*d:%.*d ", 2, int{time.wDay}, 2,
                int{time.wMonth}, 2, int{time.wYear}, 2, int{time.wHour}, 2, int{time.wMinute}, 2,
                int{time.wSecond});
  return stamp;
}

std::wstring FormatSourceRecord(std::wstring_view stamp, std::wstring_view sourceTag, int line,
                                std::wstring_view text) {
  std::wstring record(stamp);
  record += L"\r\n";
  record += sourceTag;
  record += L'(';
  record += std::to_wstring(line);
  record += L"):\r\n";
  record += text;
  record += L"\r\n";
  return record;
}

std::wstring FormatStampedLine(std::wstring_view stamp, std::wstring_view text) {
  std::wstring record(stamp);
  record += text;
  record += L"\r\n";
  return record;
}

}  // namespace app
