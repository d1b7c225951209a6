// A kernel that fails under the task panels, in the real window: a direction list it cannot give
// makes the task say so and leaves the window working, and the task opens once the kernel answers
// again; a profile editor that fails still leaves no editing record and tells the suite's programs.
#include <gtest/gtest.h>

#include <windows.h>

#include <optional>

#include "DeckTest.h"
#include "ResourceIds.h"

namespace {

using namespace std::chrono_literals;

using PanelKernelTest = test::DeckTest;

TEST_F(PanelKernelTest, DirectionsTheKernelCannotGiveAreReportedAndReadAgainLater) {
  switches_.Set(L"DirectionsError", 0x80004005);
  StartDeck();
  OpenTask(test::kStartButtonTab1, test::kListOfTab1, 1);  // Translate Word Document

  ASSERT_EQ(AnswerMessage(IDOK), test::kDirectionsUnreadable);
  // Back on the tab's list, the task's panel not shown.
  EXPECT_NE(WaitForControl(test::kListOfTab1, 5s), nullptr);
  EXPECT_EQ(Control(IDC_PANEL_DIRECTIONS), nullptr);

  switches_.Remove(L"DirectionsError");
  test::ClickListRow(test::FindDescendant(window_, test::kListOfTab1), 1);
  EXPECT_NE(WaitForControl(IDC_PANEL_DIRECTIONS), nullptr);
  EXPECT_TRUE(deck_.Running());
}

TEST_F(PanelKernelTest, AFailingProfileEditorLeavesNoRecordAndStillTellsTheSuite) {
  test::MessageCounter templateChanged(L"TEMPLATECHANGED");
  ASSERT_TRUE(templateChanged.Listening());

  switches_.Set(L"ProfileEditorError", 0x80004005);
  StartDeck();
  OpenTask(test::kStartButtonTab2, test::kListOfTab2, 0);  // Edit profiles
  HWND editProfiles = WaitForControl(IDC_PANEL_EDIT_PROFILES);
  ASSERT_NE(editProfiles, nullptr);
  test::Click(editProfiles);

  EXPECT_TRUE(test::WaitUntil([&] { return templateChanged.Count() > 0; }, 10s));
  EXPECT_EQ(test::RunningRecord(L"TMD"), std::nullopt) << "left behind";
  EXPECT_TRUE(deck_.Running());
}

}  // namespace
