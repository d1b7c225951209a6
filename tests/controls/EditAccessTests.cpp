// The panels' framed text fields as screen readers meet them through oleacc: editable text named by
// the label before them (or the name they are given), their value the text, which the reader may set.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "ControlsHost.h"
#include "support/Accessibility.h"
#include "support/Driver.h"
#include "controls/CustomEdit.h"

namespace controls {
namespace {

class EditAccessTest : public ControlsTest {
 protected:
  HWND Make(const wchar_t* className, const wchar_t* text, DWORD style, int y) {
    return ::CreateWindowExW(0, className, text, WS_CHILD | WS_VISIBLE | style, 100, y, 200, 24, host_.hwnd(),
                             nullptr, ::GetModuleHandleW(nullptr), nullptr);
  }
};

TEST_F(EditAccessTest, AFramedFieldIsEditableTextNamedByItsLabel) {
  const struct {
    const char* what;
    const wchar_t* label;  // null: none before the field
    DWORD style;
    const wchar_t* name;
    const wchar_t* value;
    const wchar_t* shortcut;
    long state;
  } cases[] = {
      {"labelled", L"&Document:", 0, L"Document:", L"C:\\a.doc", L"Alt+D", 0},
      {"an ampersand", L"Find && &replace", 0, L"Find & replace", L"C:\\a.doc", L"Alt+R", 0},
      {"no label", nullptr, 0, L"", L"C:\\a.doc", L"", 0},
      {"read-only", L"Path", ES_READONLY, L"Path", L"C:\\a.doc", L"", STATE_SYSTEM_READONLY},
      {"password", L"&Key", ES_PASSWORD, L"Key", L"", L"Alt+K", STATE_SYSTEM_PROTECTED},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const HWND label = c.label ? Make(L"Static", c.label, 0, 270) : nullptr;
    const HWND edit = Make(L"EDIT", L"C:\\a.doc", c.style | ES_AUTOHSCROLL, 300);
    ASSERT_NE(edit, nullptr);
    ui::skin::CCustomEdit framed;
    ASSERT_TRUE(framed.Attach(edit));
    const test::AccNode node = test::Describe({test::AccessibleOf(edit)});
    EXPECT_EQ(node.role, ROLE_SYSTEM_TEXT);
    EXPECT_EQ(node.name, c.name);
    EXPECT_EQ(node.value, c.value);
    EXPECT_EQ(node.shortcut, c.shortcut);
    EXPECT_EQ(node.state & (STATE_SYSTEM_READONLY | STATE_SYSTEM_PROTECTED), c.state);
    framed.Detach();
    ::DestroyWindow(edit);
    if (label) ::DestroyWindow(label);
  }
}

TEST_F(EditAccessTest, AScreenReaderSetsTheTextAndTheParentHearsOfIt) {
  const HWND label = Make(L"Static", L"&Document:", 0, 270);
  const HWND edit = Make(L"EDIT", L"", ES_AUTOHSCROLL, 300);
  ASSERT_NE(edit, nullptr);
  ui::skin::CCustomEdit framed;
  ASSERT_TRUE(framed.Attach(edit));
  host_.Forget();
  EXPECT_EQ(test::SetValue({test::AccessibleOf(edit)}, L"C:\\Docs\\Letter.doc"), S_OK);
  host_.Settle();
  EXPECT_EQ(test::WindowText(edit), L"C:\\Docs\\Letter.doc");
  EXPECT_EQ(test::Describe({test::AccessibleOf(edit)}).value, L"C:\\Docs\\Letter.doc");
  bool changed = false;
  for (const Note& note : host_.Notes()) changed |= HIWORD(note.wParam) == EN_CHANGE;
  EXPECT_TRUE(changed);

  // A read-only field keeps its text.
  ::SendMessageW(edit, EM_SETREADONLY, TRUE, 0);
  EXPECT_NE(test::SetValue({test::AccessibleOf(edit)}, L"other"), S_OK);
  EXPECT_EQ(test::WindowText(edit), L"C:\\Docs\\Letter.doc");

  framed.SetAccessibleName(L"Source text");
  EXPECT_EQ(test::Describe({test::AccessibleOf(edit)}).name, L"Source text");
  framed.Detach();
  ::DestroyWindow(edit);
  ::DestroyWindow(label);
}

}  // namespace
}  // namespace controls
