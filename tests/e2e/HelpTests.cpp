// Help and F1 on the demo installation: the product's help file opens in the system's help viewer
// (a window of the start centre's own process, titled with the title stored in the file, which it
// shows only when the file maps the view's topic), from every kind of view and whatever has the
// focus; and without the file, a message names it instead of nothing happening.
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <string>

#include "DeckTest.h"
#include "ResourceIds.h"

namespace {

using namespace std::chrono_literals;
using test::FindDescendant;

// The title compiled into the demo's help file, and the class of the HTML Help engine's viewer.
constexpr wchar_t kHelpTitle[] = L"VANTO Start Centre Help";
constexpr wchar_t kViewerClass[] = L"HH Parent";

enum class Ask { kButton, kF1 };

class HelpTest : public test::DeckTest {
 protected:
  // The viewer with the demo's help file; null when none shows within `timeout`. The engine shows
  // its window before it looks the topic up, and closes it again when the file has no such topic:
  // only a viewer that stays counts.
  [[nodiscard]] HWND Viewer(std::chrono::milliseconds timeout = 15s) const {
    const HWND viewer = test::WaitForWindow(deck_.Id(), kHelpTitle, kViewerClass, timeout);
    if (!viewer) return nullptr;
    ::Sleep(1000);
    return ::IsWindow(viewer) && ::IsWindowVisible(viewer) ? viewer : nullptr;
  }
  void AskForHelp(Ask how) const {
    if (how == Ask::kButton) {
      test::Click(FindDescendant(window_, IDC_HELP_BUTTON));
    } else {
      Activate();
      test::PressKey(VK_F1);
    }
  }
  // Closes the viewer; true once it has gone.
  static bool CloseViewer(HWND viewer) {
    ::PostMessageW(viewer, WM_CLOSE, 0, 0);
    return test::WaitUntil([&] { return !::IsWindow(viewer); }, 10s);
  }
  [[nodiscard]] std::filesystem::path HelpFile() const { return installation_.Folder() / L"Startdeck.chm"; }
};

TEST_F(HelpTest, TheInstallationHasItsHelpFileBesideTheProgram) {
  std::error_code ec;
  EXPECT_GT(std::filesystem::file_size(HelpFile(), ec), 0u) << HelpFile();
  EXPECT_FALSE(ec) << HelpFile();
}

TEST_F(HelpTest, HelpAndF1OpenTheHelpFileOnEveryKindOfView) {
  struct Case {
    const char* view;
    int opener;  // start-page button; 0: the start page itself
    int list;    // the tab's list whose row 0 opens a task panel; 0: none
    Ask how;
  };
  const Case cases[] = {
      {"start page", 0, 0, Ask::kButton},
      {"start page", 0, 0, Ask::kF1},
      {"tab 2 (its own topic)", test::kStartButtonTab2, 0, Ask::kButton},
      {"tab 3 (the general topic)", test::kStartButtonTab3, 0, Ask::kF1},
      {"quick translation, focus in its field", test::kStartButtonTab1, test::kListOfTab1, Ask::kF1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.view) + (c.how == Ask::kButton ? ", Help button" : ", F1"));
    StartDeck();
    ASSERT_NE(window_, nullptr);
    HWND field = nullptr;
    if (c.list) {
      OpenTask(c.opener, c.list, 0);
      field = WaitForControl(IDC_QUICK_SOURCE);
      ASSERT_NE(field, nullptr);
      ASSERT_TRUE(test::ClickToFocus(field));
    } else if (c.opener) {
      test::Click(FindDescendant(window_, c.opener));
      ASSERT_NE(WaitForControl(IDC_HOME), nullptr);
    }
    AskForHelp(c.how);
    const HWND viewer = Viewer();
    EXPECT_NE(viewer, nullptr) << "no help viewer with the file's title";
    EXPECT_TRUE(NoMessage());
    if (field) {
      EXPECT_EQ(test::ControlText(field), L"") << "F1 typed nothing";
    }
    if (viewer) {
      test::Screenshot(L"help-viewer", 300ms);
      EXPECT_TRUE(CloseViewer(viewer));
    }
    EXPECT_TRUE(::IsWindowVisible(window_));
    ASSERT_TRUE(CloseDeck());
  }
}

TEST_F(HelpTest, WithoutTheHelpFileHelpAndF1SaySoAndOpenNothing) {
  ASSERT_TRUE(std::filesystem::remove(HelpFile()));
  StartDeck();
  ASSERT_NE(window_, nullptr);
  for (const Ask how : {Ask::kButton, Ask::kF1}) {
    AskForHelp(how);
    const std::wstring text = AnswerMessage(IDOK, how == Ask::kButton ? L"help-file-missing" : L"");
    EXPECT_EQ(text, L"The help file \"" + HelpFile().wstring() +
                        L"\" cannot be found. Reinstall the product to "
                        L"restore it.");
    EXPECT_EQ(Viewer(1s), nullptr);
  }
  EXPECT_TRUE(::IsWindowVisible(window_));
}

}  // namespace
