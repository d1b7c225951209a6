// Screenshots of every view of the start centre's window on an installation, for comparing two
// builds pixel by pixel (tools/compare-views.sh): the start page, each tab with its list (with and
// without "show all features"), and whatever each row of the translation, setup and internet tabs
// opens, a task panel or a message. Each is saved as NAME.bmp in OUTPUT_FOLDER once the screen has
// stopped changing; the names are printed one a line. Exit code 1 when the window did not come.
// With --compare, the screenshots of two folders are compared pixel by pixel: a line for each,
// with the number and the bounding box of the differing pixels, and for each that differs a
// picture of where (NAME-diff.bmp in the second folder: the differing pixels red on a faded copy).
// Exit code 1 when any differs or is missing from either folder.
// Beside each screenshot the window's layout is saved (NAME.layout: the window's rectangle, and
// each visible control's place and font height). With --check-layout, the layouts of a folder are
// checked: no control cut off by its parent or overlapping a sibling; and with the folder of the
// same views at 96 DPI given, the window of the design size times the scale and every font of the
// design height times the scale. A line for each view and each fault; exit code 1 when any.
//
// With --cues, after the views above, each view again as a keyboard user first sees it: Tab pressed
// once, which shows the focus cue and the access keys' underlines (cues-NAME.bmp). With --contrast,
// high contrast is switched on for the whole run (the user's setting and a high-contrast set of
// system colours, put back afterwards), and only the start page and one task panel are taken
// (contrast-NAME.bmp).
//
//   ViewShots.exe STARTDECK_EXE PRODUCT_NAME OUTPUT_FOLDER [--windows] [--cues | --contrast]
//   ViewShots.exe --compare BEFORE_FOLDER AFTER_FOLDER
//   ViewShots.exe --check-layout FOLDER [DESIGN_FOLDER]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "ResourceIds.h"
#include "support/Driver.h"
#include "support/RemoteControls.h"
#include "support/ScreenPixels.h"
#include "support/WindowFrames.h"
#include "support/WindowLayout.h"

namespace {

using namespace std::chrono_literals;

struct Tab {
  const wchar_t* name;
  int startButton;
  int list;  // 0: a tab without a list of tasks
};
constexpr Tab kTabs[] = {
    {L"tab1", test::kStartButtonTab1, test::kListOfTab1},
    {L"tab2", test::kStartButtonTab2, test::kListOfTab2},
    {L"tab3", test::kStartButtonTab3, 0},
    {L"tab4", test::kStartButtonTab4, 0},
    {L"tab5", test::kStartButtonTab5, 0},
    {L"tab6", test::kStartButtonTab6, test::kListOfTab6},
    {L"tab7", 304, 0},
};

bool Visible(HWND window) {
  return window != nullptr && ::IsWindowVisible(window) != FALSE;
}

class Shooter {
 public:
  Shooter(DWORD processId, HWND window, std::filesystem::path output, bool windowsOnly)
      : processId_(processId), window_(window), output_(std::move(output)), windowsOnly_(windowsOnly) {}

  // Saves the whole screen once it has shown the same picture for a while, and the window's layout.
  void Shoot(const std::wstring& name) {
    test::Pixels picture = test::SettledPicture(::GetDesktopWindow(), 600ms, 10s);
    const bool settled = !picture.data.empty();
    if (!settled) picture = test::GrabWindow(::GetDesktopWindow());
    if (windowsOnly_) picture = Crop(picture, WindowsArea());
    test::SaveBitmapFile(picture, output_ / (name + L".bmp"));
    test::SaveLayout(test::RecordLayout(window_), output_ / (name + L".layout"));
    std::wprintf(L"%ls%ls\n", name.c_str(), settled ? L"" : L" (the screen did not stop changing)");
    std::fflush(stdout);
    ++count_;
  }

  static void ToTop(HWND list) {
    for (int step = 0; step < 64; ++step) ::PostMessageW(list, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
    test::WaitUntil([] { return false; }, 300ms);
  }
  // The rows of a tab's list, as the list shows them (it answers no question about them): the
  // notches it scrolls down from its top, and the rows of its first page that show something.
  [[nodiscard]] static int CountRows(HWND list) {
    RECT client{};
    ::GetClientRect(list, &client);
    const int rowHeight = test::ListRowHeight();
    const int page = static_cast<int>(client.bottom / rowHeight);
    ToTop(list);
    const test::Pixels top = test::Grab(list);
    int below = 0;
    for (test::Pixels before = top; below < 64; ++below) {
      ::PostMessageW(list, WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);
      test::WaitUntil([] { return false; }, 200ms);
      test::Pixels after = test::Grab(list);
      if (after == before) break;
      before = std::move(after);
    }
    ToTop(list);
    if (below > 0) return page + below;
    // All rows on one page: a row's band of an empty place is all one colour.
    int rows = 0;
    for (int row = 0; row < page; ++row) {
      const int y0 = row * rowHeight;
      bool blank = true;
      for (int y = y0; y < y0 + rowHeight && y < top.height && blank; ++y)
        for (int x = 0; x < top.width && blank; ++x) blank = top.At(x, y) == top.At(0, y0);
      if (!blank) rows = row + 1;
    }
    return rows;
  }
  // A top-level window of the program other than the main one: a message.
  [[nodiscard]] HWND Message() const {
    for (HWND other : test::TopLevelWindows(processId_))
      if (other != window_) return other;
    return nullptr;
  }

  // Closes the windows of other programs: the applications a row started.
  void CloseOthers() const {
    struct Search {
      DWORD deck;
      std::vector<HWND> found;
    } search{processId_, {}};
    ::EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
          auto* s = reinterpret_cast<Search*>(data);
          DWORD owner = 0;
          ::GetWindowThreadProcessId(window, &owner);
          if (owner != s->deck && owner != ::GetCurrentProcessId() && Visible(window))
            s->found.push_back(window);
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    for (HWND window : search.found) ::PostMessageW(window, WM_CLOSE, 0, 0);
    test::WaitUntil(
        [&] {
          return std::none_of(search.found.begin(), search.found.end(), [](HWND w) { return Visible(w); });
        },
        5s);
    // Without a window manager nothing gives the activation back to the window (which draws a
    // focus rectangle only while active): it is taken back, as a person would by clicking.
    if (!search.found.empty()) {
      ::SetForegroundWindow(window_);
      test::WaitUntil([&] { return ::GetForegroundWindow() == window_; }, 5s);
    }
  }

  void Home() const {
    test::Click(::GetDlgItem(window_, IDC_HOME));
    test::WaitUntil([&] { return !Visible(::GetDlgItem(window_, IDC_HOME)); }, 5s);
  }

  // The tab, and what each row of its list opens.
  void VisitTab(const Tab& tab, const std::wstring& mode) {
    HWND list = nullptr;
    if (tab.list) {
      list = test::OpenTab(window_, tab.startButton, tab.list);
      if (!list) std::wprintf(L"%ls%ls: the list did not show\n", tab.name, mode.c_str());
    } else {
      test::Click(test::FindDescendant(window_, tab.startButton));
      test::WaitUntil([&] { return Visible(::GetDlgItem(window_, IDC_HOME)); }, 5s);
    }
    const std::wstring view = std::wstring(L"view-") + tab.name + mode;
    Shoot(view);
    if (list && tab.list != test::kListOfTab4) {
      const int rows = CountRows(list);
      std::wprintf(L"%ls%ls: %d rows\n", tab.name, mode.c_str(), rows);
      for (int row = 0; row < rows; ++row) {
        test::ClickListRow(list, row);
        HWND message = nullptr;
        test::WaitUntil([&] { return !Visible(list) || (message = Message()) != nullptr; }, 2s);
        if (Visible(list) && !message) {  // a row that starts an application: closed again
          CloseOthers();
          continue;
        }
        Shoot(std::wstring(message ? L"message-" : L"panel-") + tab.name + mode + L"-row" +
              std::to_wstring(row));
        if (message) {
          ::PostMessageW(message, WM_COMMAND, IDOK, 0);
          test::WaitUntil([&] { return !::IsWindow(message); }, 5s);
        }
        CloseOthers();
        if (!Visible(list)) {
          test::Click(::GetDlgItem(window_, IDC_BACK));
          test::WaitUntil([&] { return Visible(list); }, 5s);
        }
      }
    }
    Home();
  }

  [[nodiscard]] int Count() const { return count_; }

  // Tab, once, to whatever has the keyboard's focus in the window: the first key of a keyboard user.
  void PressTab() const {
    HWND target = test::FocusIn(window_);
    if (!target) target = window_;
    ::PostMessageW(target, WM_KEYDOWN, VK_TAB, 0x000F0001);
    ::PostMessageW(target, WM_KEYUP, VK_TAB, 0xC00F0001);
  }

  // The start page, each tab, and the first panel that a row of the tabs 1 and 2 opens, each with
  // Tab pressed once.
  void ShootCues() {
    PressTab();
    Shoot(L"cues-start-page");
    for (const Tab& tab : kTabs) {
      HWND list = nullptr;
      if (tab.list) {
        list = test::OpenTab(window_, tab.startButton, tab.list);
      } else {
        test::Click(test::FindDescendant(window_, tab.startButton));
        test::WaitUntil([&] { return Visible(::GetDlgItem(window_, IDC_HOME)); }, 5s);
      }
      PressTab();
      Shoot(std::wstring(L"cues-view-") + tab.name);
      if (list && (tab.list == test::kListOfTab1 || tab.list == test::kListOfTab2)) {
        test::ClickListRow(list, 0);
        if (test::WaitUntil([&] { return !Visible(list); }, 2s)) {
          PressTab();
          Shoot(std::wstring(L"cues-panel-") + tab.name + L"-row0");
        }
        CloseOthers();
      }
      Home();
    }
  }

  // The start page and the panel of tab 1's third row (the web page's in the demo installation).
  void ShootContrast() {
    Shoot(L"contrast-start-page");
    if (HWND list = test::OpenTab(window_, test::kStartButtonTab1, test::kListOfTab1)) {
      test::ClickListRow(list, 2);
      if (test::WaitUntil([&] { return !Visible(list); }, 2s)) Shoot(L"contrast-panel-tab1-row2");
      CloseOthers();
    }
    Home();
  }

  // The area of the screen the program's windows cover (the main window and any message).
  [[nodiscard]] RECT WindowsArea() const {
    RECT area{};
    for (HWND window : test::TopLevelWindows(processId_)) {
      RECT r{};
      ::GetWindowRect(window, &r);
      ::UnionRect(&area, &area, &r);
    }
    return area;
  }
  static test::Pixels Crop(const test::Pixels& screen, RECT area) {
    area = {std::max<LONG>(area.left, 0), std::max<LONG>(area.top, 0),
            std::min<LONG>(area.right, screen.width), std::min<LONG>(area.bottom, screen.height)};
    if (area.right <= area.left || area.bottom <= area.top) return screen;
    test::Pixels part;
    part.width = area.right - area.left;
    part.height = area.bottom - area.top;
    part.data.reserve(static_cast<size_t>(part.width) * part.height);
    for (int y = area.top; y < area.bottom; ++y)
      for (int x = area.left; x < area.right; ++x) part.data.push_back(screen.At(x, y));
    return part;
  }

 private:
  DWORD processId_;
  HWND window_;
  std::filesystem::path output_;
  bool windowsOnly_;
  int count_ = 0;
};

// High contrast for the run: the user's setting as Windows keeps it (which the program reads where the
// system does not offer the mode, as under Wine) and the system colours of a high-contrast scheme.
// The destructor puts both back.
class HighContrastScope {
 public:
  HighContrastScope() {
    HKEY key = nullptr;
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, &key,
                          nullptr) == ERROR_SUCCESS) {
      wchar_t old[16] = {};
      DWORD size = sizeof(old) - sizeof(wchar_t);
      hadFlags_ = ::RegQueryValueExW(key, L"Flags", nullptr, nullptr, reinterpret_cast<BYTE*>(old), &size) ==
                  ERROR_SUCCESS;
      if (hadFlags_) oldFlags_ = old;
      constexpr wchar_t kOn[] = L"127";  // HCF_HIGHCONTRASTON among the usual flags
      ::RegSetValueExW(key, L"Flags", 0, REG_SZ, reinterpret_cast<const BYTE*>(kOn), sizeof(kOn));
      ::RegCloseKey(key);
    }
    for (size_t i = 0; i < std::size(kScheme); ++i) oldColors_[i] = ::GetSysColor(kScheme[i].element);
    SetColors(true);
  }
  ~HighContrastScope() {
    SetColors(false);
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, kKey, 0, KEY_WRITE, &key) != ERROR_SUCCESS) return;
    if (hadFlags_)
      ::RegSetValueExW(key, L"Flags", 0, REG_SZ, reinterpret_cast<const BYTE*>(oldFlags_.c_str()),
                       static_cast<DWORD>((oldFlags_.size() + 1) * sizeof(wchar_t)));
    else
      ::RegDeleteValueW(key, L"Flags");
    ::RegCloseKey(key);
  }
  HighContrastScope(const HighContrastScope&) = delete;
  HighContrastScope& operator=(const HighContrastScope&) = delete;

 private:
  static constexpr wchar_t kKey[] = L"Control Panel\\Accessibility\\HighContrast";
  struct Color {
    int element;
    COLORREF contrast;
  };
  // Windows' "High Contrast Black".
  static constexpr Color kScheme[] = {
      {COLOR_WINDOW, RGB(0, 0, 0)},         {COLOR_WINDOWTEXT, RGB(255, 255, 255)},
      {COLOR_BTNFACE, RGB(0, 0, 0)},        {COLOR_BTNTEXT, RGB(255, 255, 255)},
      {COLOR_HIGHLIGHT, RGB(26, 235, 255)}, {COLOR_HIGHLIGHTTEXT, RGB(0, 0, 0)},
      {COLOR_GRAYTEXT, RGB(63, 242, 63)},
  };
  void SetColors(bool contrast) const {
    int elements[std::size(kScheme)];
    COLORREF colors[std::size(kScheme)];
    for (size_t i = 0; i < std::size(kScheme); ++i) {
      elements[i] = kScheme[i].element;
      colors[i] = contrast ? kScheme[i].contrast : oldColors_[i];
    }
    ::SetSysColors(static_cast<int>(std::size(kScheme)), elements, colors);
  }

  bool hadFlags_ = false;
  std::wstring oldFlags_;
  COLORREF oldColors_[std::size(kScheme)] = {};
};

// Compares the screenshots of two folders, by name.
int Compare(const std::filesystem::path& before, const std::filesystem::path& after) {
  std::vector<std::wstring> names;
  for (const auto& folder : {before, after})
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
      const std::wstring name = entry.path().filename().wstring();
      if (entry.path().extension() != L".bmp" || name.ends_with(L"-diff.bmp")) continue;
      if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
    }
  std::sort(names.begin(), names.end());
  size_t equal = 0;
  for (const std::wstring& name : names) {
    const test::Pixels a = test::LoadBitmapFile(before / name), b = test::LoadBitmapFile(after / name);
    if (a.data.empty() || b.data.empty()) {
      std::wprintf(L"%-40ls MISSING %ls\n", name.c_str(), a.data.empty() ? L"before" : L"after");
      continue;
    }
    const size_t differences = test::CountDifferences(a, b);
    if (differences == 0) {
      ++equal;
      std::wprintf(L"%-40ls equal\n", name.c_str());
      continue;
    }
    if (a.width != b.width || a.height != b.height) {
      std::wprintf(L"%-40ls DIFFERS in size: %dx%d, %dx%d\n", name.c_str(), a.width, a.height, b.width,
                   b.height);
      continue;
    }
    RECT box{a.width, a.height, 0, 0};
    test::Pixels marked = b;
    for (int y = 0; y < a.height; ++y)
      for (int x = 0; x < a.width; ++x) {
        COLORREF& pixel = marked.data[static_cast<size_t>(y) * a.width + x];
        if (a.At(x, y) != b.At(x, y)) {
          pixel = RGB(255, 0, 0);
          box = {std::min<LONG>(box.left, x), std::min<LONG>(box.top, y), std::max<LONG>(box.right, x + 1),
                 std::max<LONG>(box.bottom, y + 1)};
        } else {
          pixel = RGB(128 + GetRValue(pixel) / 2, 128 + GetGValue(pixel) / 2, 128 + GetBValue(pixel) / 2);
        }
      }
    std::filesystem::path diff = after / name;
    diff.replace_extension(L"");
    diff += L"-diff.bmp";
    test::SaveBitmapFile(marked, diff);
    std::wprintf(L"%-40ls DIFFERS in %u pixels within (%ld,%ld)-(%ld,%ld)\n", name.c_str(),
                 static_cast<unsigned>(differences), box.left, box.top, box.right, box.bottom);
  }
  std::wprintf(L"%u views, %u equal, %u differ or are missing\n", static_cast<unsigned>(names.size()),
               static_cast<unsigned>(equal), static_cast<unsigned>(names.size() - equal));
  return equal == names.size() && !names.empty() ? 0 : 1;
}

// Checks the layouts of one folder's views: each on its own, and with a design folder against the
// same view there.
int CheckLayouts(const std::filesystem::path& folder, const std::filesystem::path& design) {
  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    if (entry.path().extension() == L".layout") files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  size_t faulty = 0;
  int dpi = 0;
  for (const auto& file : files) {
    const std::wstring name = file.stem().wstring();
    const auto layout = test::LoadLayout(file);
    std::vector<std::wstring> faults;
    if (!layout) {
      faults.push_back(L"the layout cannot be read");
    } else {
      dpi = layout->dpi;
      faults = test::PlacementFaults(*layout);
      if (!design.empty()) {
        const auto designed = test::LoadLayout(design / file.filename());
        if (!designed) {
          faults.push_back(L"no layout of this view at 96 DPI");
        } else {
          const auto scale = test::ScaleFaults(*designed, *layout);
          faults.insert(faults.end(), scale.begin(), scale.end());
        }
      }
    }
    std::wprintf(L"%-40ls %ls\n", name.c_str(), faults.empty() ? L"laid out well" : L"FAULTY:");
    for (const std::wstring& fault : faults) std::wprintf(L"    %ls\n", fault.c_str());
    faulty += faults.empty() ? 0 : 1;
  }
  if (!design.empty())
    for (const auto& entry : std::filesystem::directory_iterator(design))
      if (entry.path().extension() == L".layout" &&
          !std::filesystem::exists(folder / entry.path().filename())) {
        std::wprintf(L"%-40ls FAULTY:\n    not taken at this scale\n", entry.path().stem().wstring().c_str());
        ++faulty;
      }
  std::wprintf(L"%u layouts at %d DPI, %u faulty\n", static_cast<unsigned>(files.size()), dpi,
               static_cast<unsigned>(faulty));
  return faulty == 0 && !files.empty() ? 0 : 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3 || (argc < 4 && std::wstring(argv[1]) != L"--check-layout")) {
    std::fwprintf(stderr,
                  L"usage: ViewShots STARTDECK_EXE PRODUCT_NAME OUTPUT_FOLDER [--windows]\n"
                  L"       ViewShots --compare BEFORE_FOLDER AFTER_FOLDER\n"
                  L"       ViewShots --check-layout FOLDER [DESIGN_FOLDER]\n");
    return 2;
  }
  if (std::wstring(argv[1]) == L"--compare") return Compare(argv[2], argv[3]);
  if (std::wstring(argv[1]) == L"--check-layout") return CheckLayouts(argv[2], argc > 3 ? argv[3] : L"");
  const std::filesystem::path output = argv[3];
  // With --windows, each picture holds only the area of the program's windows (a screen of a
  // high scale is large).
  bool windowsOnly = false, cues = false, contrast = false;
  for (int i = 4; i < argc; ++i) {
    const std::wstring option = argv[i];
    windowsOnly = windowsOnly || option == L"--windows";
    cues = cues || option == L"--cues";
    contrast = contrast || option == L"--contrast";
  }
  std::optional<HighContrastScope> highContrast;
  if (contrast) highContrast.emplace();
  std::error_code error;
  std::filesystem::create_directories(output, error);
  // The pointer in a corner, away from the window, so that no hover lights a control up.
  ::SetCursorPos(::GetSystemMetrics(SM_CXSCREEN) - 1, ::GetSystemMetrics(SM_CYSCREEN) - 1);
  test::Process deck;
  if (!deck.Start(argv[1])) {
    std::fwprintf(stderr, L"%ls did not start (error %lu)\n", argv[1], deck.LastError());
    return 1;
  }
  const HWND window = test::WaitForWindow(deck.Id(), argv[2], L"#32770", 30s);
  if (!window) {
    std::fwprintf(stderr, L"no window titled \"%ls\" showed\n", argv[2]);
    return 1;
  }
  Shooter shooter(deck.Id(), window, output, windowsOnly);
  if (contrast) {
    shooter.ShootContrast();
    std::wprintf(L"%d views saved in %ls\n", shooter.Count(), output.wstring().c_str());
    ::PostMessageW(window, WM_CLOSE, 0, 0);
    deck.WaitForExit(10s);
    return 0;
  }
  shooter.Shoot(L"view-start-page");
  for (const wchar_t* mode : {L"", L"-all"}) {
    if (*mode) {
      HWND showAll = ::GetDlgItem(window, IDC_SHOW_ALL_FEATURES);
      test::Click(showAll);
      test::WaitUntil([&] { return ::SendMessageW(showAll, BM_GETCHECK, 0, 0) == BST_CHECKED; }, 5s);
      shooter.Shoot(L"view-start-page-all");
    }
    for (const Tab& tab : kTabs) shooter.VisitTab(tab, mode);
  }
  // Last: once a key showed the cues they stay for the rest of the run.
  if (cues) shooter.ShootCues();
  std::wprintf(L"%d views saved in %ls\n", shooter.Count(), output.wstring().c_str());
  ::PostMessageW(window, WM_CLOSE, 0, 0);
  deck.WaitForExit(10s);
  return 0;
}
