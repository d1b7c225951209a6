// Answers one modal dialog of the test thread from a helper thread, the way a user would: it waits
// for the window with the given title to show, runs the answer (fill fields, press buttons) and
// checks that the window went away. A dialog that never shows or stays open is a failure, and a
// watchdog closes a dialog left open, so no test waits for a person.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>

#include <gtest/gtest.h>

namespace kerneltest {

class DialogDriver {
 public:
  using Answer = std::function<void(HWND dialog)>;

  // Start it before the call that shows the dialog, on the thread that makes the call.
  DialogDriver(std::wstring title, Answer answer);
  ~DialogDriver();
  DialogDriver(const DialogDriver&) = delete;
  DialogDriver& operator=(const DialogDriver&) = delete;

  // After the call returned: was the dialog found, answered and closed by the answer?
  [[nodiscard]] ::testing::AssertionResult Finish();

 private:
  void Run() noexcept;
  [[nodiscard]] HWND FindDialog() const;

  const std::wstring title_;
  const Answer answer_;
  const DWORD ownerThread_;
  std::atomic<bool> stop_{false};
  std::atomic<bool> found_{false};
  std::atomic<bool> leftOpen_{false};
  std::thread thread_;
};

// Helpers for answers (they run on the driver's thread).
void SetItemText(HWND dialog, int id, const std::wstring& text);
[[nodiscard]] std::wstring GetItemText(HWND dialog, int id);
void Press(HWND dialog, int id);
void ChooseComboItem(HWND dialog, int id, int index);
[[nodiscard]] std::wstring ClassOf(HWND window);

}  // namespace kerneltest
