// The window and dialog base classes: a dialog object that goes while its window lives takes the
// window with it, and an exception that a handler throws is caught and written to the diagnostic log.
#include <gtest/gtest.h>

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "ControlsHost.h"
#include "ResourceIds.h"
#include "core/LogSink.h"
#include "core/WindowFailureLog.h"
#include "support/LogLines.h"
#include "support/SavedState.h"
#include "support/ScratchDir.h"
#include "win/Dialog.h"
#include "win/FailureReport.h"
#include "win/Window.h"

namespace controls {
namespace {

constexpr UINT kThrowStandard = WM_APP + 1;  // 0x8001
constexpr UINT kThrowOther = WM_APP + 2;     // 0x8002

// What a dialog's handler saw; it outlives the dialog object.
struct Probe {
  bool objectGone = false;
  int callsAfterObjectGone = 0;
};

class ProbeDialog : public win::Dialog {
 public:
  explicit ProbeDialog(Probe& probe) : probe_(probe) {}
  ~ProbeDialog() override { probe_.objectGone = true; }

 protected:
  bool OnMessage(UINT, WPARAM, LPARAM, INT_PTR&) override {
    if (probe_.objectGone) ++probe_.callsAfterObjectGone;
    return false;
  }

 private:
  Probe& probe_;
};

using DialogLifetimeTest = ControlsTest;

TEST_F(DialogLifetimeTest, ObjectThatGoesTakesItsModelessWindowAlong) {
  Probe probe;
  std::optional<ProbeDialog> dialog(std::in_place, probe);  // its storage outlives the object
  const HWND window = dialog->Create(::GetModuleHandleW(nullptr), IDD_START_PAGE, host_.hwnd());
  ASSERT_NE(window, nullptr);
  ::ShowWindow(window, SW_SHOW);
  dialog.reset();

  const bool alive = ::IsWindow(window) != FALSE;
  if (alive) {
    // A late message reaches whatever the window still points at; then the window goes without it.
    ::SendMessageW(window, WM_APP, 0, 0);
    ::SetWindowLongPtrW(window, DWLP_USER, 0);
    ::DestroyWindow(window);
  }
  EXPECT_FALSE(alive);
  EXPECT_EQ(probe.callsAfterObjectGone, 0);
}

class ThrowingWindow : public win::Window {
 public:
  bool Create() { return CreateWindowOf(L"StartdeckThrowingProbe", WS_POPUP, 0, 0, 10, 10, nullptr, 0); }

 protected:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == kThrowStandard) throw std::runtime_error("window handler failed");
    if (message == kThrowOther) throw 7;
    return Default(message, wParam, lParam);
  }
};

class ThrowingDialog : public win::Dialog {
 protected:
  bool OnMessage(UINT message, WPARAM, LPARAM, INT_PTR&) override {
    if (message == kThrowStandard) throw std::length_error("dialog handler failed");
    return false;
  }
};

// For one test the process-wide log writes to a scratch file and the window layer reports to it;
// both are put back afterwards.
class WindowFailureLogTest : public ControlsTest {
 protected:
  void SetUp() override {
    ControlsTest::SetUp();
    app::Log().SetFilePath(file_.wstring());
    previousReporter_ = win::SetFailureReporter(nullptr);
    app::LogWindowFailures();
  }
  void TearDown() override { win::SetFailureReporter(previousReporter_); }

  test::ScratchDir scratch_;
  std::filesystem::path file_ = scratch_.path() / L"Startdeck.log";
  test::Restorer log_ = test::SavedLog();
  win::FailureReporter previousReporter_ = nullptr;
};

TEST_F(WindowFailureLogTest, HandlerExceptionsAreLoggedAndTheWindowsLiveOn) {
  ThrowingWindow window;
  ASSERT_TRUE(window.Create());
  EXPECT_EQ(::SendMessageW(window.hwnd(), kThrowStandard, 0, 0), 0);  // the default answer
  ::SendMessageW(window.hwnd(), kThrowOther, 0, 0);
  ThrowingDialog dialog;
  ASSERT_TRUE(dialog.Create(::GetModuleHandleW(nullptr), IDD_START_PAGE, host_.hwnd()));
  ::SendMessageW(dialog.hwnd(), kThrowStandard, 0, 0);

  EXPECT_TRUE(::IsWindow(window.hwnd()));
  EXPECT_TRUE(::IsWindow(dialog.hwnd()));
  const std::vector<std::wstring> expected = {
      L"Exception in window procedure of StartdeckThrowingProbe, message 0x8001: window handler failed",
      L"Exception in window procedure of StartdeckThrowingProbe, message 0x8002: "
      L"exception not derived from std::exception",
      L"Exception in dialog procedure, message 0x8001: dialog handler failed",
  };
  EXPECT_EQ(test::ReadLogLines(file_), expected);
}

}  // namespace
}  // namespace controls
