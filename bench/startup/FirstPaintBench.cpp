// Start-up cost of the start centre against two yardsticks under the same system: a bare Win32
// window, and the same window loading the system libraries the start centre loads. Each figure is
// the time from process creation until the window is shown and its first paint is done (the
// process then waits for input for the first time), with the peak working set. Each program times
// itself from its entry point to its first paint (its own work, which leaves out the loader); for
// Startdeck's median run the table of its start-up steps follows.
//
//   FirstPaintBench.exe STARTDECK_EXE PRODUCT_NAME [RUNS [EARLIER_STARTDECK_EXE]]
//   FirstPaintBench.exe --once STARTDECK_EXE PRODUCT_NAME
// With an earlier build's program (installed beside the other, in a folder of its own), both take
// turns with the yardsticks, and each gets its figures and its table of steps: before and after.
// With --once, Startdeck alone is measured once and one line printed for a script to gather:
// "startdeck MILLISECONDS PEAK_WORKING_SET_BYTES DPI" (bench/scales.sh alternates such runs between
// prefixes of different DPIs).
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "core/StartupTrace.h"

namespace {

// The step that ends the start-up: the main window and every child of it have been painted.
constexpr wchar_t kFullyPainted[] = L"window fully painted";
// The last step of the start-up proper, which may come after the paint: the peak working set is
// read after it.
constexpr wchar_t kSettingsLoaded[] = L"web service answered, settings loaded";

struct Step {
  std::wstring name;
  double at = 0;          // milliseconds since process creation
  double workingSet = 0;  // MB
};

struct Sample {
  double milliseconds = 0;  // until the window was painted
  double idle = 0;          // until the program was first idle after that
  SIZE_T peakWorkingSet = 0;
  std::vector<Step> steps;
};

struct Program {
  std::wstring path;
  std::wstring title;
  // Whether it loads the settings after its paint (Startdeck): its steps are then read until that.
  bool loadsSettings = false;
};

double Milliseconds(LONGLONG from, LONGLONG to) {
  static const LONGLONG frequency = [] {
    LARGE_INTEGER f;
    ::QueryPerformanceFrequency(&f);
    return f.QuadPart;
  }();
  return static_cast<double>(to - from) * 1000.0 / static_cast<double>(frequency);
}

LONGLONG Now() {
  LARGE_INTEGER now;
  ::QueryPerformanceCounter(&now);
  return now.QuadPart;
}

HWND FindVisibleWindow(DWORD processId, const std::wstring& title) {
  struct Search {
    DWORD processId;
    const std::wstring* title;
    HWND found;
  } search{processId, &title, nullptr};
  ::EnumWindows(
      [](HWND window, LPARAM data) -> BOOL {
        auto* s = reinterpret_cast<Search*>(data);
        DWORD owner = 0;
        ::GetWindowThreadProcessId(window, &owner);
        if (owner != s->processId || !::IsWindowVisible(window)) return TRUE;
        wchar_t text[256] = {};
        ::GetWindowTextW(window, text, 256);
        if (*s->title != text) return TRUE;
        s->found = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// The block the program writes its steps into, named in its environment.
class TraceBlock {
 public:
  explicit TraceBlock(int run) {
    name_ = L"Local\\StartdeckStartupTrace" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
            std::to_wstring(run);
    mapping_ = ::CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                    sizeof(app::StartupTraceBlock), name_.c_str());
    if (mapping_)
      block_ = static_cast<app::StartupTraceBlock*>(
          ::MapViewOfFile(mapping_, FILE_MAP_READ | FILE_MAP_WRITE, 0, 0, sizeof(app::StartupTraceBlock)));
    if (block_) ::ZeroMemory(block_, sizeof(*block_));
  }
  ~TraceBlock() {
    if (block_) ::UnmapViewOfFile(block_);
    if (mapping_) ::CloseHandle(mapping_);
  }
  TraceBlock(const TraceBlock&) = delete;
  TraceBlock& operator=(const TraceBlock&) = delete;

  [[nodiscard]] const std::wstring& Name() const { return name_; }
  [[nodiscard]] LONG Count() const { return block_ ? block_->count : 0; }
  [[nodiscard]] bool Holds(const wchar_t* step) const {
    if (!block_) return false;
    const LONG written = block_->count;
    for (LONG i = 0; i < std::min<LONG>(written, app::StartupTraceBlock::kMaxSteps); ++i)
      if (std::wstring(block_->steps[i].name) == step) return true;
    return false;
  }
  [[nodiscard]] std::vector<Step> Steps(LONGLONG created) const {
    std::vector<Step> steps;
    if (!block_) return steps;
    const LONG written = block_->count;
    const LONG count = std::min<LONG>(written, app::StartupTraceBlock::kMaxSteps);
    for (LONG i = 0; i < count; ++i)
      steps.push_back({block_->steps[i].name, Milliseconds(created, block_->steps[i].ticks),
                       static_cast<double>(block_->steps[i].workingSet) / (1024.0 * 1024.0)});
    return steps;
  }

 private:
  std::wstring name_;
  HANDLE mapping_ = nullptr;
  app::StartupTraceBlock* block_ = nullptr;
};

// One start: the time to a visible, painted window; the program is then closed.
bool Measure(const Program& program, int run, Sample& sample) {
  std::wstring command = L"\"" + program.path + L"\"";
  const size_t slash = program.path.find_last_of(L'\\');
  const std::wstring folder =
      slash == std::wstring::npos ? std::wstring(L".") : program.path.substr(0, slash);
  TraceBlock trace(run);
  ::SetEnvironmentVariableW(app::kStartupTraceVariable, trace.Name().c_str());
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info{};
  const LONGLONG start = Now();
  const BOOL created = ::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                        folder.c_str(), &startup, &info);
  ::SetEnvironmentVariableW(app::kStartupTraceVariable, nullptr);
  if (!created) return false;
  HWND window = nullptr;
  while (!(window = FindVisibleWindow(info.dwProcessId, program.title)) && Milliseconds(start, Now()) < 30000)
    ::Sleep(1);
  // After its first paint the window's thread waits for input. Wine may call a thread idle before
  // it has painted the window it just showed, and a program may go on with work it put off: each
  // program says when its window was painted.
  if (window) ::WaitForInputIdle(info.hProcess, 10000);
  const double idle = Milliseconds(start, Now());
  if (window)
    while (!trace.Holds(kFullyPainted) && Milliseconds(start, Now()) < idle + 3000) ::Sleep(1);
  sample.idle = Milliseconds(start, Now());
  sample.milliseconds = sample.idle;
  // The steps it put off until after the paint, until none has come for a while.
  if (window && program.loadsSettings) {
    while (!trace.Holds(kSettingsLoaded) && Milliseconds(start, Now()) < 30000) ::Sleep(5);
    for (LONG seen = -1; seen != trace.Count() && Milliseconds(start, Now()) < 30000;) {
      seen = trace.Count();
      ::Sleep(300);
    }
  }
  sample.steps = trace.Steps(start);
  // A program that does not say when it is fully painted: when its window and start page were.
  double painted = idle;
  for (const Step& step : sample.steps)
    if (step.name == L"first WM_PAINT" || step.name == L"start page's first WM_PAINT")
      painted = std::max(painted, step.at);
  for (const Step& step : sample.steps)
    if (step.name == kFullyPainted) painted = step.at;
  sample.milliseconds = painted;

  PROCESS_MEMORY_COUNTERS memory{};
  memory.cb = sizeof(memory);
  if (::GetProcessMemoryInfo(info.hProcess, &memory, sizeof(memory)))
    sample.peakWorkingSet = memory.PeakWorkingSetSize;
  if (window) ::PostMessageW(window, WM_CLOSE, 0, 0);
  if (::WaitForSingleObject(info.hProcess, 10000) != WAIT_OBJECT_0) ::TerminateProcess(info.hProcess, 1);
  ::CloseHandle(info.hThread);
  ::CloseHandle(info.hProcess);
  return window != nullptr;
}

// The run with the median time (the upper one of an even count).
const Sample& MedianRun(const std::vector<Sample>& samples) {
  std::vector<const Sample*> sorted;
  for (const Sample& s : samples) sorted.push_back(&s);
  std::sort(sorted.begin(), sorted.end(),
            [](const Sample* a, const Sample* b) { return a->milliseconds < b->milliseconds; });
  return *sorted[sorted.size() / 2];
}

// The median of the runs' own work: from the entry point to the window painted (Wine's process start
// varies most on a loaded machine; this leaves it out).
double MedianOwnWork(const std::vector<Sample>& samples) {
  std::vector<double> own;
  for (const Sample& s : samples)
    if (!s.steps.empty()) own.push_back(s.milliseconds - s.steps.front().at);
  std::sort(own.begin(), own.end());
  return own.empty() ? 0.0 : own[own.size() / 2];
}

double MedianPeak(const std::vector<Sample>& samples) {
  std::vector<SIZE_T> peaks;
  for (const Sample& s : samples) peaks.push_back(s.peakWorkingSet);
  std::sort(peaks.begin(), peaks.end());
  return static_cast<double>(peaks[peaks.size() / 2]) / (1024.0 * 1024.0);
}

std::wstring ThisFolder() {
  wchar_t path[MAX_PATH] = {};
  ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder = path;
  return folder.substr(0, folder.find_last_of(L'\\'));
}

void PrintSteps(const wchar_t* label, const Sample& run) {
  std::wprintf(
      L"start-up steps of the median run of %ls (ms; \"took\" is the time since the step before;\n"
      L"the working set when the step ended):\n",
      label);
  std::wprintf(L"  %-40ls %9ls %9ls %9ls\n", L"step ended", L"at", L"took", L"WS MB");
  std::wprintf(L"  %-40ls %9.1f %9ls\n", L"process created", 0.0, L"");
  double before = 0;
  for (const Step& step : run.steps) {
    std::wprintf(L"  %-40ls %9.1f %9.1f %9.1f\n", step.name.c_str(), step.at, step.at - before,
                 step.workingSet);
    before = step.at;
  }
  std::wprintf(L"  %-40ls %9.1f\n", L"painted and idle (seen from outside)", run.idle);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc == 4 && std::wstring(argv[1]) == L"--once") {
    Sample sample;
    if (!Measure({argv[2], argv[3], true}, 0, sample)) {
      std::fwprintf(stderr, L"the window of %ls did not show\n", argv[2]);
      return 1;
    }
    const HDC screen = ::GetDC(nullptr);
    const int dpi = screen ? ::GetDeviceCaps(screen, LOGPIXELSY) : 0;
    if (screen) ::ReleaseDC(nullptr, screen);
    std::wprintf(L"startdeck %.1f %llu %d\n", sample.milliseconds,
                 static_cast<unsigned long long>(sample.peakWorkingSet), dpi);
    return 0;
  }
  if (argc < 3) {
    std::fwprintf(stderr,
                  L"usage: FirstPaintBench STARTDECK_EXE PRODUCT_NAME [RUNS [EARLIER_STARTDECK_EXE]]\n"
                  L"       FirstPaintBench --once STARTDECK_EXE PRODUCT_NAME\n");
    return 2;
  }
  const int runs = argc > 3 ? std::max(1, _wtoi(argv[3])) : 7;
  std::vector<Program> programs = {
      {ThisFolder() + L"\\BareWindow.exe", L"Bare window", false},
      {ThisFolder() + L"\\BareWindowWithLibraries.exe", L"Bare window", false},
      {argv[1], argv[2], true},
  };
  std::vector<const wchar_t*> labels = {L"bare Win32 window", L"bare window + system DLLs", L"Startdeck"};
  if (argc > 4) {
    programs.push_back({argv[4], argv[2], true});
    labels.back() = L"Startdeck (after)";
    labels.push_back(L"Startdeck (before)");
  }
  std::vector<std::vector<Sample>> samples(programs.size());
  // Take turns, so that whatever else the machine does weighs on each alike.
  for (int i = 0; i < runs; ++i)
    for (size_t p = 0; p < programs.size(); ++p) {
      Sample sample;
      if (!Measure(programs[p], i, sample)) {
        std::fwprintf(stderr, L"the window of %ls did not show\n", programs[p].path.c_str());
        return 1;
      }
      samples[p].push_back(std::move(sample));
    }

  std::wprintf(L"first paint, peak working set and own work (wWinMain to painted), medians of %d runs:\n",
               runs);
  std::vector<double> ms(programs.size()), peak(programs.size()), own(programs.size());
  for (size_t p = 0; p < programs.size(); ++p) {
    ms[p] = MedianRun(samples[p]).milliseconds;
    peak[p] = MedianPeak(samples[p]);
    own[p] = MedianOwnWork(samples[p]);
    std::wprintf(L"  %-28ls %8.1f ms %8.1f MB %8.1f ms own\n", labels[p], ms[p], peak[p], own[p]);
  }
  for (size_t p = 2; p < programs.size(); ++p) {
    std::wprintf(L"%ls:\n", labels[p]);
    std::wprintf(L"  ratio to the bare window          %6.2f   (goal: at most 1.3)\n",
                 ms[0] > 0 ? ms[p] / ms[0] : 0.0);
    std::wprintf(L"  ratio to the bare window + DLLs   %6.2f\n", ms[1] > 0 ? ms[p] / ms[1] : 0.0);
    std::wprintf(L"  working set above the bare window %6.1f MB (goal: at most 8 MB)\n", peak[p] - peak[0]);
    std::wprintf(L"  own work from wWinMain to painted %6.1f ms (median)\n", own[p]);
    std::wprintf(
        L"  own work above the bare window's  %6.1f ms (its own: creating, showing and painting it)\n",
        own[p] - own[1]);
  }
  for (size_t p = programs.size(); p-- > 2;) PrintSteps(labels[p], MedianRun(samples[p]));
  return 0;
}
