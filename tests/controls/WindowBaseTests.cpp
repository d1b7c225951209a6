// The window and dialog base classes: a dialog object that goes while its window lives takes the
// window with it.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "ControlsHost.h"
#include "ResourceIds.h"
#include "win/Dialog.h"

namespace controls {
namespace {

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

}  // namespace
}  // namespace controls
