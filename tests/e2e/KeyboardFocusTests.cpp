// The keyboard in every view of the main window, as a new user meets it: a view is opened with the
// mouse and a letter and Alt+Space are typed before anything is clicked into. The window must go on
// answering, and the keyboard's focus must be on a control that shows: a panel's first field when a
// panel opens, some visible control after a message box closes or the view is left.
#include <gtest/gtest.h>

#include <windows.h>

#include <ostream>
#include <string>

#include "DeckTest.h"
#include "ResourceIds.h"

namespace {

using namespace std::chrono_literals;
using test::FindDescendant;

using test::Visible;

using test::kViews;
using test::View;

class KeyboardFocusTest : public test::DeckTest {
 protected:
  void SetUp() override {
    ::RegDeleteTreeW(HKEY_CURRENT_USER, test::kSettingsKeyPath);
    ASSERT_NO_FATAL_FAILURE(DeckTest::SetUp());
    StartDeck();
  }
  void TearDown() override {
    // A window that stopped answering is ended with the installation.
    EXPECT_TRUE(CloseDeck());
    ::RegDeleteTreeW(HKEY_CURRENT_USER, test::kSettingsKeyPath);
    ::RegDeleteTreeW(HKEY_CURRENT_USER, test::kRunningKeyPath);
  }

  // True when the window's thread takes a message within a second.
  [[nodiscard]] bool Answers() const {
    DWORD_PTR result = 0;
    return ::SendMessageTimeoutW(window_, WM_NULL, 0, 0, SMTO_NORMAL, 1000, &result) != 0;
  }
  [[nodiscard]] HWND Focus() const { return test::FocusIn(window_); }
  // The focus is on the main window or a control of it that shows.
  [[nodiscard]] ::testing::AssertionResult FocusShows() const {
    HWND focus = nullptr;
    if (test::WaitUntil([&] { return (focus = Focus()) != nullptr && Visible(focus); }, 2s))
      return ::testing::AssertionSuccess();
    wchar_t name[64] = L"";
    if (focus) ::GetClassNameW(focus, name, 64);
    return ::testing::AssertionFailure()
           << "the focus is on a hidden " << ::testing::PrintToString(std::wstring(name)) << " window (id "
           << ::GetDlgCtrlID(focus) << ")";
  }

  // A letter, then Alt+Space (the system menu, closed again with Escape), with the window in front.
  void TypeAndCheck(const std::string& where) {
    SCOPED_TRACE(where);
    ASSERT_NO_FATAL_FAILURE(Activate());
    // The window answers before the keys (it may still be making its pages after its first paint,
    // and a busy machine makes that slow); a window the keys hung never answers again.
    ASSERT_TRUE(test::WaitUntil([&] { return Answers(); }, 15s)) << "busy before the keys";
    test::TypeKeys(L"x");
    ::Sleep(100);
    ASSERT_TRUE(Answers()) << "a letter hung the window";
    test::PressKey(VK_SPACE, {VK_MENU}, 200ms);
    ASSERT_TRUE(Answers()) << "Alt+Space hung the window";
    // The first Escape closes the system menu, the second leaves the menu mode.
    test::PressKey(VK_ESCAPE, {}, 100ms);
    test::PressKey(VK_ESCAPE, {}, 200ms);
    ASSERT_TRUE(Answers());
    EXPECT_TRUE(deck_.Running());
  }
};

class EveryView : public KeyboardFocusTest, public ::testing::WithParamInterface<View> {};

TEST_P(EveryView, ALetterAndAltSpaceLeaveTheWindowAnswering) {
  const View& view = GetParam();
  ASSERT_NO_FATAL_FAILURE(OpenView(view));
  ASSERT_NO_FATAL_FAILURE(Activate());
  EXPECT_TRUE(FocusShows()) << "after opening";
  ASSERT_NO_FATAL_FAILURE(TypeAndCheck("in the view"));
  EXPECT_TRUE(FocusShows()) << "after typing";
  // Home hides the view: the focus must not stay behind in it.
  test::Click(::GetDlgItem(window_, IDC_HOME));
  ASSERT_TRUE(test::WaitUntil(
      [&] { return !Visible(::GetDlgItem(window_, IDC_HOME)) || view.startButton == 0; }, 5s));
  EXPECT_TRUE(FocusShows()) << "after Home";
  ASSERT_NO_FATAL_FAILURE(TypeAndCheck("after Home"));
}

INSTANTIATE_TEST_SUITE_P(MainWindow, EveryView, ::testing::ValuesIn(kViews),
                         [](const ::testing::TestParamInfo<View>& param) {
                           std::string name = param.param.name;
                           for (char& c : name)
                             if (c == '-') c = '_';
                           return name;
                         });

TEST_F(KeyboardFocusTest, APanelOpensWithTheFocusInItsFirstField) {
  ASSERT_NO_FATAL_FAILURE(OpenView(test::ViewNamed("quick-translation")));
  HWND source = WaitForControl(IDC_QUICK_SOURCE);
  ASSERT_NE(source, nullptr);
  ASSERT_NO_FATAL_FAILURE(Activate());
  EXPECT_TRUE(test::WaitUntil([&] { return Focus() == source; }, 2s));
  test::TypeKeys(L"house");
  EXPECT_TRUE(test::WaitUntil([&] { return test::ControlText(source) == L"house"; }, 5s))
      << ::testing::PrintToString(test::ControlText(source));
  ASSERT_TRUE(Answers());

  // The web-page panel's first field is its address.
  ASSERT_NO_FATAL_FAILURE(OpenView(test::ViewNamed("web-page")));
  HWND address = WaitForControl(IDC_PANEL_DOCUMENT);
  ASSERT_NE(address, nullptr);
  EXPECT_TRUE(test::WaitUntil([&] { return Focus() == address; }, 2s));
}

TEST_F(KeyboardFocusTest, AfterAMessageOfTheWebPagePanelTheKeysStillWork) {
  ASSERT_NO_FATAL_FAILURE(OpenView(test::ViewNamed("web-page")));
  HWND panel = ::GetParent(WaitForControl(IDC_PANEL_DOCUMENT));
  ASSERT_NE(panel, nullptr);
  // Translate with no address: the panel says to select the document.
  test::Click(test::FindChild(panel, IDC_PANEL_ACTION, L"StartdeckMenuButton"));
  EXPECT_EQ(AnswerMessage(), L"Select the document you wish to translate.");
  ASSERT_NO_FATAL_FAILURE(Activate());
  EXPECT_TRUE(FocusShows());
  ASSERT_NO_FATAL_FAILURE(TypeAndCheck("after the message"));
}

TEST_F(KeyboardFocusTest, AfterTheProfileEditorClosesWithEscapeTheKeysStillWork) {
  ASSERT_NO_FATAL_FAILURE(OpenView(test::ViewNamed("profiles")));
  HWND edit = nullptr;
  ASSERT_TRUE(test::WaitUntil(
      [&] {
        for (HWND child = ::GetWindow(window_, GW_CHILD); child && !edit;
             child = ::GetWindow(child, GW_HWNDNEXT))
          if (Visible(child)) edit = test::FindChild(child, IDC_PANEL_EDIT_PROFILES, L"StartdeckMenuButton");
        return edit != nullptr;
      },
      5s));
  test::Click(edit);
  HWND editor = nullptr;
  ASSERT_TRUE(test::WaitUntil([&] { return (editor = MessageUp()) != nullptr; }, 10s)) << "no profile editor";
  ::SetForegroundWindow(editor);
  test::WaitUntil([&] { return ::GetForegroundWindow() == editor; }, 5s);
  test::PressKey(VK_ESCAPE, {}, 200ms);
  if (!test::WaitUntil([&] { return !::IsWindow(editor); }, 5s)) {
    ::PostMessageW(editor, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(test::WaitUntil([&] { return !::IsWindow(editor); }, 5s));
  }
  ASSERT_NO_FATAL_FAILURE(Activate());
  EXPECT_TRUE(FocusShows());
  ASSERT_NO_FATAL_FAILURE(TypeAndCheck("after the profile editor"));
}

}  // namespace
