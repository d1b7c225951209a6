// Access keys in the real window: Alt and the letter a field's label marks move the keyboard's focus
// to that field, as the dialog manager does it in a dialog of the system's own.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "DeckTest.h"
#include "ResourceIds.h"
#include "support/Driver.h"
#include "support/RemoteControls.h"

namespace {

using namespace std::chrono_literals;

// The letter `label` marks with '&', 0 for none.
wchar_t MarkedKey(HWND label) {
  const std::wstring text = test::WindowText(label);
  for (size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != L'&') continue;
    if (text[i + 1] != L'&') return text[i + 1];
    ++i;
  }
  return 0;
}

// Alt+key from the keyboard, to the window in front.
void PressAlt(wchar_t key) {
  test::PressKey(static_cast<WORD>(LOBYTE(::VkKeyScanW(key))), {VK_MENU}, 200ms);
}

class AccessKeyTest : public test::DeckTest {};

TEST_F(AccessKeyTest, AFieldsLabelKeyTakesTheFocusToTheField) {
  const struct {
    const char* task;
    int opener, list, row;
    int label, field;
  } cases[] = {
      {"Word document", test::kStartButtonTab1, test::kListOfTab1, 2, IDC_PANEL_DOCUMENT_LABEL,
       IDC_PANEL_DOCUMENT},
      {"dictionary", test::kStartButtonTab2, test::kListOfTab2, 1, IDC_PANEL_WORD_LABEL, IDC_PANEL_WORD},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.task);
    ASSERT_NO_FATAL_FAILURE(StartDeck());
    Activate();
    OpenTask(c.opener, c.list, c.row);
    const HWND panel = ShownPanel();
    ASSERT_NE(panel, nullptr);
    const HWND label = ::GetDlgItem(panel, c.label);
    const HWND field = ::GetDlgItem(panel, c.field);
    ASSERT_NE(field, nullptr);
    const wchar_t key = MarkedKey(label);
    ASSERT_NE(key, 0) << "the label " << ::testing::PrintToString(test::WindowText(label)) << " marks no key";
    // The panel opens with the focus in its field: Tab takes it on to the next control first.
    test::PressKey(VK_TAB, {}, 100ms);
    ASSERT_TRUE(test::WaitUntil([&] { return test::FocusIn(window_) != field; }, 5s));
    PressAlt(key);
    EXPECT_TRUE(test::WaitUntil([&] { return test::FocusIn(window_) == field; }, 5s))
        << "the focus is on control " << ::GetDlgCtrlID(test::FocusIn(window_));
    EXPECT_TRUE(CloseDeck());
  }
}

}  // namespace
