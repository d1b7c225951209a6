#include "Journal.h"

#include <string>
#include <vector>

#include "win/Handle.h"

namespace suiteapp {
namespace {

// One name for every journal: starts are rare, so sharing the lock costs nothing.
constexpr wchar_t kMutexName[] = L"Local\\VantoSuiteAppJournal";
// A copy that dies holding the mutex must not stall the others for long; the write is an append
// either way, so going ahead without the lock still keeps lines whole.
constexpr DWORD kLockWaitMs = 10000;

std::wstring RegistryJournalPath() {
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    DWORD size = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
    const LSTATUS status = ::RegGetValueW(HKEY_CURRENT_USER, kSettingsKey, kJournalValue, RRF_RT_REG_SZ,
                                          nullptr, buffer.data(), &size);
    if (status == ERROR_MORE_DATA) {
      buffer.resize(size / sizeof(wchar_t) + 1);
      continue;
    }
    if (status != ERROR_SUCCESS) return {};
    return buffer.data();
  }
}

std::wstring TempFolder() {
  std::wstring folder(MAX_PATH + 1, L'\0');
  for (;;) {
    const DWORD n = ::GetTempPathW(static_cast<DWORD>(folder.size()), folder.data());
    if (n == 0) return {};
    if (n < folder.size()) {
      folder.resize(n);
      return folder;
    }
    folder.resize(n + 1);
  }
}

std::string Utf8(std::wstring_view text) {
  if (text.empty()) return {};
  const int n = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                      nullptr, nullptr);
  std::string out(static_cast<size_t>(n), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr,
                        nullptr);
  return out;
}

// Holds the journal mutex while it lives (when it could be had).
class JournalLock {
 public:
  JournalLock() : mutex_(::CreateMutexW(nullptr, FALSE, kMutexName)) {
    if (mutex_) {
      const DWORD wait = ::WaitForSingleObject(mutex_.get(), kLockWaitMs);
      owned_ = wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED;
    }
  }
  ~JournalLock() {
    if (owned_) ::ReleaseMutex(mutex_.get());
  }
  JournalLock(const JournalLock&) = delete;
  JournalLock& operator=(const JournalLock&) = delete;

 private:
  win::UniqueHandle mutex_;
  bool owned_ = false;
};

}  // namespace

std::wstring JournalPath() {
  std::wstring path = RegistryJournalPath();
  if (path.empty()) path = TempFolder() + kDefaultJournalName;
  return path;
}

DWORD AppendToJournal(const std::wstring& path, std::wstring_view line) noexcept {
  try {
    const std::string bytes = Utf8(line);
    JournalLock lock;
    // FILE_APPEND_DATA without FILE_WRITE_DATA: every write goes to the end of the file.
    win::UniqueFile file(::CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                       nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return ::GetLastError();
    DWORD written = 0;
    if (!::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr))
      return ::GetLastError();
    return written == bytes.size() ? ERROR_SUCCESS : ERROR_WRITE_FAULT;
  } catch (...) {
    return ERROR_OUTOFMEMORY;
  }
}

}  // namespace suiteapp
