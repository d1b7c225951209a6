// After a hand-off the host has started and its record waits in the Running key for the host's
// add-in. A host that ends within a few seconds without having taken its record would leave it for
// its next start, which would then translate a document nobody handed over this time: the record is
// taken back.
//
// Taken or not: the host's add-in takes its record by deleting the value or by writing it anew, so
// the value no longer holds what the hand-off wrote. When the started process has ended and the
// value still holds exactly that text, nobody took it. A host whose add-in reads the record and
// leaves it as it was looks the same; once the host has ended, only its next start would read the
// value, so taking it back serves there too. The watch ends with the limit: a host still running
// then keeps its record.
//
// Three cases keep the record all the same: another process of the host's executable still runs (a
// host started a second time often hands its document to the running copy and ends at once; the
// record is then the running copy's to read), a process the host started still runs (a launcher
// that starts the real program under another name and ends), and a later hand-off wrote the same
// value (from then on the record is that hand-off's).
//
// The window is never blocked: the system's thread pool waits for the process, and the end of the
// wait is posted back to the watch's message-only window, on the thread that made the hand-off.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "win/Handle.h"
#include "win/Window.h"

namespace tasks {

// Where a hand-off left its record and what it wrote.
struct HandedRecord {
  HKEY hive = nullptr;
  std::wstring path;
  std::wstring name;
  std::wstring text;
  std::wstring executable;  // the host's executable, as started (a file name or a full path)
};

class HandOffWatch final : private win::Window {
 public:
  static constexpr DWORD kLimitMs = 10000;

  explicit HandOffWatch(DWORD limitMs = kLimitMs) noexcept;
  // Stops every wait; a record whose host has ended by then is settled as the wait would have.
  ~HandOffWatch() override;

  // Watches `process` (taken over) for the record. An earlier watch of the same value ends without
  // touching it. False when the process cannot be watched: the record then stays, as it always did.
  bool Watch(HandedRecord record, win::UniqueHandle process);
  // How many hand-offs are being watched.
  [[nodiscard]] size_t Watching() const noexcept { return entries_.size(); }

 private:
  struct Entry;

  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  static void CALLBACK OnWaitEnded(void* context, BOOLEAN timedOut) noexcept;
  // Ends the watch `id`; with `ended`, the process has ended and the record is taken back unless
  // it was taken or belongs to someone else now.
  void Settle(UINT id, bool ended) noexcept;
  // `host` is the ended host's process: a process it started that still runs keeps the record too.
  static void TakeBackIfUntouched(const HandedRecord& record, HANDLE host) noexcept;

  DWORD limitMs_;
  UINT nextId_ = 1;
  std::vector<std::unique_ptr<Entry>> entries_;
};

}  // namespace tasks
