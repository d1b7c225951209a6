#include "support/WindowFrames.h"

#include <cwchar>

#include "support/Driver.h"

namespace test {
namespace {

double MillisecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

// Visible, not minimised, and at least partly on the screen.
bool Showing(HWND window) {
  if (!::IsWindowVisible(window) || ::IsIconic(window)) return false;
  RECT place{}, onScreen{};
  const RECT screen{::GetSystemMetrics(SM_XVIRTUALSCREEN), ::GetSystemMetrics(SM_YVIRTUALSCREEN),
                    ::GetSystemMetrics(SM_XVIRTUALSCREEN) + ::GetSystemMetrics(SM_CXVIRTUALSCREEN),
                    ::GetSystemMetrics(SM_YVIRTUALSCREEN) + ::GetSystemMetrics(SM_CYVIRTUALSCREEN)};
  return ::GetWindowRect(window, &place) && ::IntersectRect(&onScreen, &place, &screen);
}

std::wstring Line(const wchar_t* format, auto... values) {
  wchar_t text[200] = {};
  std::swprintf(text, 200, format, values...);
  return text;
}

}  // namespace

HWND WaitForShownWindow(DWORD processId, const std::wstring& title, std::chrono::milliseconds timeout) {
  const auto start = std::chrono::steady_clock::now();
  do {
    for (HWND window : TopLevelWindows(processId))
      if (WindowText(window) == title) return window;
    ::Sleep(0);
  } while (std::chrono::steady_clock::now() - start < timeout);
  return nullptr;
}

std::vector<Frame> RecordFrames(HWND window, std::chrono::milliseconds duration) {
  std::vector<Frame> frames;
  const auto start = std::chrono::steady_clock::now();
  do {
    const double at = MillisecondsSince(start);
    Frame frame{at, 1, Showing(window), GrabWindow(window)};
    if (!frames.empty() && frames.back().visible == frame.visible && frames.back().pixels == frame.pixels)
      ++frames.back().grabs;
    else
      frames.push_back(std::move(frame));
  } while (MillisecondsSince(start) < static_cast<double>(duration.count()) && ::IsWindow(window));
  return frames;
}

Pixels SettledPicture(HWND window, std::chrono::milliseconds quiet, std::chrono::milliseconds timeout) {
  const auto start = std::chrono::steady_clock::now();
  Pixels last = GrabWindow(window);
  auto since = std::chrono::steady_clock::now();
  while (std::chrono::steady_clock::now() - start < timeout && ::IsWindow(window)) {
    ::Sleep(50);
    Pixels now = GrabWindow(window);
    if (now == last && Showing(window)) {
      if (std::chrono::steady_clock::now() - since >= quiet) return now;
    } else {
      last = std::move(now);
      since = std::chrono::steady_clock::now();
    }
  }
  return {};
}

FrameCheck CheckFrames(const std::vector<Frame>& frames, const Pixels& settled,
                       const std::filesystem::path& evidence, const std::wstring& prefix) {
  FrameCheck check;
  const bool saving = !evidence.empty();
  for (size_t i = 0; i < frames.size(); ++i) {
    const Frame& frame = frames[i];
    if (!frame.visible) {
      check.report +=
          Line(L"  %3u %8.1f ms %4d grabs  window hidden\n", static_cast<unsigned>(i), frame.at, frame.grabs);
      continue;
    }
    ++check.frames;
    const size_t differences = CountDifferences(frame.pixels, settled);
    if (differences) ++check.differing;
    check.report +=
        Line(L"  %3u %8.1f ms %4d grabs  %dx%d  %ls\n", static_cast<unsigned>(i), frame.at, frame.grabs,
             frame.pixels.width, frame.pixels.height,
             differences ? Line(L"DIFFERS in %u pixels", static_cast<unsigned>(differences)).c_str()
                         : L"= final picture");
    if (saving && (differences || i == 0 || i + 1 == frames.size()))
      SaveBitmapFile(
          frame.pixels,
          evidence /
              Line(L"%ls-%03u-%.0fms%ls.bmp", prefix.c_str(), static_cast<unsigned>(i), frame.at,
                   differences ? Line(L"-differs-%u", static_cast<unsigned>(differences)).c_str() : L""));
  }
  if (saving) SaveBitmapFile(settled, evidence / (prefix + L"-final.bmp"));
  return check;
}

}  // namespace test
