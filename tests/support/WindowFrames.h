// What a window looks like on screen while it comes up: its rectangle grabbed as fast as the
// screen can be read, to be compared with the picture it settles on. Xvfb has no compositor, so a
// grab shows exactly what a person would see at that moment, half-drawn or blank parts included.
#pragma once

#include <windows.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "support/ScreenPixels.h"

namespace test {

// One picture of the window's rectangle.
struct Frame {
  double at = 0;        // milliseconds after the recording began
  int grabs = 1;        // grabs in a row that showed this same picture
  bool visible = true;  // the window was visible, not minimised and on the screen
  Pixels pixels;
};

// The visible top-level window of process `processId` titled `title`, looked for without pause so
// that the caller sees it from its first moment; null when none shows within `timeout`.
[[nodiscard]] HWND WaitForShownWindow(DWORD processId, const std::wstring& title,
                                      std::chrono::milliseconds timeout);
// Grabs the rectangle of `window` for `duration` from now. A grab equal to the one before only
// counts on that frame.
[[nodiscard]] std::vector<Frame> RecordFrames(HWND window, std::chrono::milliseconds duration);
// The picture of `window` once it has shown the same for `quiet`; empty when it did not within `timeout`.
[[nodiscard]] Pixels SettledPicture(HWND window, std::chrono::milliseconds quiet,
                                    std::chrono::milliseconds timeout);

// How a recording compares with the settled picture.
struct FrameCheck {
  size_t frames = 0;     // frames with the window visible
  size_t differing = 0;  // of them, frames that are not the settled picture
  std::wstring report;   // a line per frame: when, how many grabs, how many pixels differ
};
// Compares every frame with the window visible to `settled`. With `evidence` given, the first and
// the last frame, each differing frame and the settled picture are saved there as BMP files
// named `prefix`-...
FrameCheck CheckFrames(const std::vector<Frame>& frames, const Pixels& settled,
                       const std::filesystem::path& evidence = {}, const std::wstring& prefix = L"frame");

}  // namespace test
