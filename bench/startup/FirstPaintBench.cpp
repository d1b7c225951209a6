// Start-up cost of the start centre against a bare Win32 window under the same system: the time from
// process creation until the window is shown and its first paint is done (the process then waits
// for input for the first time), and Startdeck's peak working set.
//
//   FirstPaintBench.exe STARTDECK_EXE PRODUCT_NAME [RUNS]
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace {

struct Sample {
  double milliseconds = 0;
  SIZE_T peakWorkingSet = 0;
};

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

// One start: the time to a visible, painted window; the program is then closed.
bool Measure(const std::wstring& program, const std::wstring& title, Sample& sample) {
  std::wstring command = L"\"" + program + L"\"";
  const size_t slash = program.find_last_of(L'\\');
  const std::wstring folder = slash == std::wstring::npos ? std::wstring(L".") : program.substr(0, slash);
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info{};
  const auto start = std::chrono::steady_clock::now();
  if (!::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                        &info))
    return false;
  HWND window = nullptr;
  const auto deadline = start + std::chrono::seconds(30);
  while (!(window = FindVisibleWindow(info.dwProcessId, title)) && std::chrono::steady_clock::now() < deadline)
    ::Sleep(1);
  // After its first paint the window's thread waits for input.
  if (window) ::WaitForInputIdle(info.hProcess, 10000);
  const auto painted = std::chrono::steady_clock::now();
  sample.milliseconds = std::chrono::duration<double, std::milli>(painted - start).count();

  PROCESS_MEMORY_COUNTERS memory{};
  memory.cb = sizeof(memory);
  if (::GetProcessMemoryInfo(info.hProcess, &memory, sizeof(memory))) sample.peakWorkingSet = memory.PeakWorkingSetSize;
  if (window) ::PostMessageW(window, WM_CLOSE, 0, 0);
  if (::WaitForSingleObject(info.hProcess, 10000) != WAIT_OBJECT_0) ::TerminateProcess(info.hProcess, 1);
  ::CloseHandle(info.hThread);
  ::CloseHandle(info.hProcess);
  return window != nullptr;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values.empty() ? 0 : values[values.size() / 2];
}

std::wstring ThisFolder() {
  wchar_t path[MAX_PATH] = {};
  ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder = path;
  return folder.substr(0, folder.find_last_of(L'\\'));
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) {
    std::fwprintf(stderr, L"usage: FirstPaintBench STARTDECK_EXE PRODUCT_NAME [RUNS]\n");
    return 2;
  }
  const std::wstring startdeck = argv[1];
  const std::wstring product = argv[2];
  const int runs = argc > 3 ? std::max(1, _wtoi(argv[3])) : 7;
  const std::wstring bare = ThisFolder() + L"\\BareWindow.exe";

  std::vector<double> bareTimes, deckTimes;
  SIZE_T peak = 0, barePeak = 0;
  // Alternate the two, so that whatever else the machine does weighs on both alike.
  for (int i = 0; i < runs; ++i) {
    Sample sample;
    if (!Measure(bare, L"Bare window", sample)) {
      std::fwprintf(stderr, L"the bare window did not show\n");
      return 1;
    }
    bareTimes.push_back(sample.milliseconds);
    barePeak = std::max(barePeak, sample.peakWorkingSet);
    if (!Measure(startdeck, product, sample)) {
      std::fwprintf(stderr, L"Startdeck's window did not show\n");
      return 1;
    }
    deckTimes.push_back(sample.milliseconds);
    peak = std::max(peak, sample.peakWorkingSet);
  }
  const double bareMs = Median(bareTimes);
  const double deckMs = Median(deckTimes);
  std::wprintf(L"first paint, median of %d runs:\n", runs);
  std::wprintf(L"  bare Win32 window  %8.1f ms\n", bareMs);
  std::wprintf(L"  Startdeck          %8.1f ms\n", deckMs);
  std::wprintf(L"  ratio              %8.2f   (goal: at most 1.3)\n", bareMs > 0 ? deckMs / bareMs : 0.0);
  std::wprintf(L"peak working set: Startdeck %.1f MB (goal: at most 20 MB), bare window %.1f MB\n",
               static_cast<double>(peak) / (1024.0 * 1024.0), static_cast<double>(barePeak) / (1024.0 * 1024.0));
  return 0;
}
