// What a person sees of the start centre while it starts: from the moment its window is first
// visible, the window's rectangle is grabbed from the screen as fast as it can be read for the
// first half second, and each picture is compared pixel by pixel with the one the window settles
// on once it is fully painted and idle. A blank or half-drawn window shows as a differing frame.
// Frames are saved as BMP files in OUTPUT_FOLDER (the first and the last of each run, every
// differing one and the settled picture); the exit code is 1 when any frame differed.
//
//   StartupFramesBench.exe STARTDECK_EXE PRODUCT_NAME OUTPUT_FOLDER [RUNS] [MILLISECONDS]
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

#include "core/StartupTrace.h"
#include "support/WindowFrames.h"
#include "win/Handle.h"

namespace {

using namespace std::chrono_literals;

// The step that ends the start-up: the main window and every child of it have been painted.
constexpr wchar_t kFullyPainted[] = L"window fully painted";

// The block the program writes its start-up steps into, named in its environment.
class TraceBlock {
 public:
  explicit TraceBlock(int run)
      : name_(L"Local\\StartdeckStartupFrames" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
              std::to_wstring(run)),
        mapping_(::CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                      sizeof(app::StartupTraceBlock), name_.c_str())),
        view_(mapping_ ? ::MapViewOfFile(mapping_.get(), FILE_MAP_READ | FILE_MAP_WRITE, 0, 0,
                                         sizeof(app::StartupTraceBlock))
                       : nullptr) {
    if (Block()) ::ZeroMemory(view_.get(), sizeof(app::StartupTraceBlock));
  }

  [[nodiscard]] const std::wstring& Name() const { return name_; }
  [[nodiscard]] LONG Count() const { return Block() ? Block()->count : 0; }
  [[nodiscard]] bool Holds(const wchar_t* step) const {
    const LONG count = std::min<LONG>(Count(), app::StartupTraceBlock::kMaxSteps);
    for (LONG i = 0; i < count; ++i)
      if (std::wstring(Block()->steps[i].name) == step) return true;
    return false;
  }

 private:
  [[nodiscard]] app::StartupTraceBlock* Block() const {
    return static_cast<app::StartupTraceBlock*>(view_.get());
  }

  std::wstring name_;
  win::UniqueHandle mapping_;
  win::UniqueView view_;
};

bool WaitFor(const auto& condition, std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (!condition()) {
    if (std::chrono::steady_clock::now() >= deadline) return false;
    ::Sleep(10);
  }
  return true;
}

// One start, recorded and checked; -1 when the window did not come or did not settle, else the
// number of frames that differed from the settled picture.
int Run(const std::wstring& program, const std::wstring& title, const std::filesystem::path& output, int run,
        std::chrono::milliseconds duration) {
  std::wstring command = L"\"" + program + L"\"";
  const std::wstring folder = std::filesystem::path(program).parent_path().wstring();
  TraceBlock trace(run);
  // The pointer in a corner, away from the window: a button under it would light up when it came.
  ::SetCursorPos(::GetSystemMetrics(SM_CXSCREEN) - 1, ::GetSystemMetrics(SM_CYSCREEN) - 1);
  ::SetEnvironmentVariableW(app::kStartupTraceVariable, trace.Name().c_str());
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info{};
  const BOOL created = ::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                        folder.empty() ? nullptr : folder.c_str(), &startup, &info);
  ::SetEnvironmentVariableW(app::kStartupTraceVariable, nullptr);
  if (!created) {
    std::fwprintf(stderr, L"%ls did not start (error %lu)\n", program.c_str(), ::GetLastError());
    return -1;
  }
  const win::UniqueHandle process(info.hProcess), thread(info.hThread);
  const HWND window = test::WaitForShownWindow(info.dwProcessId, title, 30s);
  if (!window) {
    std::fwprintf(stderr, L"run %d: no window titled \"%ls\" showed\n", run, title.c_str());
    ::TerminateProcess(process.get(), 1);
    return -1;
  }
  const std::vector<test::Frame> frames = test::RecordFrames(window, duration);

  // Settled: the program says its window is fully painted, the steps it put off after the paint
  // have stopped coming, and the screen shows the same picture for a while.
  const bool painted = WaitFor([&] { return trace.Holds(kFullyPainted); }, 10s);
  for (LONG seen = -1; seen != trace.Count();) {
    seen = trace.Count();
    ::Sleep(500);
  }
  ::WaitForInputIdle(process.get(), 10000);
  const test::Pixels settled = test::SettledPicture(window, 700ms, 15s);

  int differing = -1;
  if (settled.data.empty()) {
    std::fwprintf(stderr, L"run %d: the window did not settle on one picture\n", run);
  } else {
    const test::FrameCheck check = test::CheckFrames(frames, settled, output, L"run" + std::to_wstring(run));
    std::wprintf(
        L"run %d: %u frames with the window visible in the first %lld ms, %u differ from the settled "
        L"%dx%d picture%ls\n%ls",
        run, static_cast<unsigned>(check.frames), static_cast<long long>(duration.count()),
        static_cast<unsigned>(check.differing), settled.width, settled.height,
        painted ? L"" : L" (the program did not say it was fully painted)", check.report.c_str());
    differing = static_cast<int>(check.differing);
  }
  ::PostMessageW(window, WM_CLOSE, 0, 0);
  if (::WaitForSingleObject(process.get(), 10000) != WAIT_OBJECT_0) ::TerminateProcess(process.get(), 1);
  return differing;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 4) {
    std::fwprintf(
        stderr,
        L"usage: StartupFramesBench STARTDECK_EXE PRODUCT_NAME OUTPUT_FOLDER [RUNS] [MILLISECONDS]\n");
    return 2;
  }
  const std::filesystem::path output = argv[3];
  const int runs = argc > 4 ? std::max(1, _wtoi(argv[4])) : 3;
  const std::chrono::milliseconds duration(argc > 5 ? std::max(1, _wtoi(argv[5])) : 500);
  std::error_code error;
  std::filesystem::create_directories(output, error);
  int failed = 0;
  for (int run = 1; run <= runs; ++run) {
    const int differing = Run(argv[1], argv[2], output, run, duration);
    if (differing != 0) ++failed;
  }
  if (failed) {
    std::wprintf(
        L"FAILED: in %d of %d runs the window was seen blank, half-drawn or unsettled; the frames are "
        L"in %ls\n",
        failed, runs, output.wstring().c_str());
    return 1;
  }
  std::wprintf(L"every frame of %d runs showed the settled picture; evidence in %ls\n", runs,
               output.wstring().c_str());
  return 0;
}
