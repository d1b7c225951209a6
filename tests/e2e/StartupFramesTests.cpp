// The window as a person sees it come up: from the moment it is visible, every picture the screen
// shows of it is the finished window, never a blank or half-drawn one.
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <iostream>
#include <system_error>
#include <vector>

#include "DeckTest.h"
#include "support/WindowFrames.h"

namespace {

using namespace std::chrono_literals;

using StartupFrames = test::DeckTest;

TEST_F(StartupFrames, EveryFrameOfTheFirstHalfSecondShowsTheFinishedWindow) {
  // The pointer in a corner: a button under it would light up and differ for a reason of its own.
  ::SetCursorPos(::GetSystemMetrics(SM_CXSCREEN) - 1, ::GetSystemMetrics(SM_CYSCREEN) - 1);
  const std::filesystem::path evidence = test::ResultsFolder() / L"startup-frames";
  std::error_code error;
  std::filesystem::remove_all(evidence, error);
  std::filesystem::create_directories(evidence);

  ASSERT_TRUE(deck_.Start(installation_.Program())) << "error " << deck_.LastError();
  window_ = test::WaitForShownWindow(deck_.Id(), installation_.Product(), test::kMainWindowTimeout);
  ASSERT_NE(window_, nullptr);
  const std::vector<test::Frame> frames = test::RecordFrames(window_, 500ms);
  deck_.WaitForInputIdle(10s);
  const test::Pixels settled = test::SettledPicture(window_, 1s, 15s);
  ASSERT_FALSE(settled.data.empty()) << "the window did not settle on one picture";

  const test::FrameCheck check = test::CheckFrames(frames, settled, evidence, L"frame");
  std::wcout << L"screenshots: " << evidence.wstring() << L"\n";
  EXPECT_GT(check.frames, 0u);
  EXPECT_EQ(check.differing, 0u) << "frames (time, grabs, size, against the settled picture):\n"
                                 << check.report;
}

}  // namespace
