#include "tasks/HandOffWatch.h"

#include <algorithm>
#include <cstdint>
#include <new>
#include <utility>

#include <tlhelp32.h>

#include "core/LogSink.h"
#include "core/PrivateMessages.h"
#include "core/RegistryKey.h"
#include "suite/ProcessSearch.h"

namespace tasks {
namespace {

bool SameKey(const HandedRecord& a, const HandedRecord& b) {
  return a.hive == b.hive &&
         ::CompareStringOrdinal(a.path.c_str(), -1, b.path.c_str(), -1, TRUE) == CSTR_EQUAL &&
         ::CompareStringOrdinal(a.name.c_str(), -1, b.name.c_str(), -1, TRUE) == CSTR_EQUAL;
}

std::uint64_t Ticks(const FILETIME& time) noexcept {
  return (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

// Whether a process that the ended `host` started still runs: a host that starts its real program
// (a launcher such as soffice.exe starting soffice.bin) and ends at once has handed its record on.
// Process ids are reused, so a child counts only when it was made while the host ran; the console
// host that the system gives a console program is none of the host's programs.
bool AProcessItStartedRuns(HANDLE host) noexcept {
  FILETIME created{}, exited{}, kernel{}, user{};
  const DWORD parent = ::GetProcessId(host);
  if (parent == 0 || !::GetProcessTimes(host, &created, &exited, &kernel, &user)) return false;
  const win::UniqueHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot || snapshot.get() == INVALID_HANDLE_VALUE) return false;
  PROCESSENTRY32W process{};
  process.dwSize = sizeof(process);
  for (BOOL more = ::Process32FirstW(snapshot.get(), &process); more;
       more = ::Process32NextW(snapshot.get(), &process)) {
    if (process.th32ParentProcessID != parent || process.th32ProcessID == parent ||
        ::CompareStringOrdinal(process.szExeFile, -1, L"conhost.exe", -1, TRUE) == CSTR_EQUAL)
      continue;
    const win::UniqueHandle child(
        ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, process.th32ProcessID));
    FILETIME childCreated{}, childExited{};
    if (child && ::GetProcessTimes(child.get(), &childCreated, &childExited, &kernel, &user) &&
        Ticks(childCreated) >= Ticks(created) && Ticks(childCreated) <= Ticks(exited))
      return true;
  }
  return false;
}

}  // namespace

// What the thread pool's callback needs; it lives as long as the wait is registered.
struct HandOffWatch::Entry {
  UINT id = 0;
  HWND window = nullptr;
  HandedRecord record;
  win::UniqueHandle process;
  HANDLE wait = nullptr;

  // Blocks until a callback under way has returned.
  void StopWaiting() noexcept {
    if (wait) ::UnregisterWaitEx(wait, INVALID_HANDLE_VALUE);
    wait = nullptr;
  }
};

HandOffWatch::HandOffWatch(DWORD limitMs) noexcept : limitMs_(limitMs) {}

HandOffWatch::~HandOffWatch() {
  for (const std::unique_ptr<Entry>& entry : entries_) {
    entry->StopWaiting();
    if (::WaitForSingleObject(entry->process.get(), 0) == WAIT_OBJECT_0)
      TakeBackIfUntouched(entry->record, entry->process.get());
  }
  entries_.clear();
}

bool HandOffWatch::Watch(HandedRecord record, win::UniqueHandle process) {
  if (!process) return false;
  if (!hwnd() && !CreateWindowOf(L"StartdeckHandOffWatch", 0, 0, 0, 0, 0, HWND_MESSAGE, 0)) return false;
  // The value is the later hand-off's now.
  for (auto it = entries_.begin(); it != entries_.end();) {
    if (SameKey((*it)->record, record)) {
      (*it)->StopWaiting();
      it = entries_.erase(it);
    } else {
      ++it;
    }
  }
  auto entry = std::make_unique<Entry>();
  entry->id = nextId_++;
  entry->window = hwnd();
  entry->record = std::move(record);
  entry->process = std::move(process);
  if (!::RegisterWaitForSingleObject(&entry->wait, entry->process.get(), &OnWaitEnded, entry.get(), limitMs_,
                                     WT_EXECUTEONLYONCE)) {
    entry->wait = nullptr;
    return false;
  }
  entries_.push_back(std::move(entry));
  return true;
}

void CALLBACK HandOffWatch::OnWaitEnded(void* context, BOOLEAN timedOut) noexcept {
  const auto& entry = *static_cast<const Entry*>(context);
  ::PostMessageW(entry.window, app::kHandOffWaitEndedMessage, entry.id, timedOut ? 1 : 0);
}

LRESULT HandOffWatch::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != app::kHandOffWaitEndedMessage) return Default(message, wParam, lParam);
  Settle(static_cast<UINT>(wParam), lParam == 0);
  return 0;
}

void HandOffWatch::Settle(UINT id, bool ended) noexcept {
  const auto it = std::find_if(entries_.begin(), entries_.end(), [id](const auto& e) { return e->id == id; });
  if (it == entries_.end()) return;  // ended already: a later hand-off took over its value
  const std::unique_ptr<Entry> entry = std::move(*it);
  entries_.erase(it);
  entry->StopWaiting();
  if (ended) TakeBackIfUntouched(entry->record, entry->process.get());
}

void HandOffWatch::TakeBackIfUntouched(const HandedRecord& record, HANDLE host) noexcept {
  try {
    if (suite::ProgramRuns(record.executable) || AProcessItStartedRuns(host)) return;
    app::RegistryKey key;
    if (!key.Open(record.hive, record.path, reg::kWrite)) return;
    if (!key.ValueExists(record.name) || key.ValueType(record.name) != REG_SZ ||
        key.ReadString(record.name) != record.text)
      return;  // taken, or written anew
    if (key.DeleteValue(record.name))
      app::Log().Line(L"Hand-off: %s ended without taking its record %s; the record was taken back.",
                      record.executable.c_str(), record.name.c_str());
  } catch (const std::bad_alloc&) {
    // No memory for the texts: the record stays, as it would have without the watch.
  }
}

}  // namespace tasks
