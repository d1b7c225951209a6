// The layout record the screenshots of every scale are checked by: read from a window of another
// program (this test program started again as a sample window), with the fonts of its controls
// read inside that program; and the checks, each shown to find the fault it is for.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "support/Driver.h"
#include "support/TestPaths.h"
#include "support/WindowLayout.h"
#include "win/Handle.h"

int ShowLayoutSample();

namespace {

using namespace std::chrono_literals;

constexpr wchar_t kSampleClass[] = L"StartdeckLayoutSample";
constexpr wchar_t kSampleTitle[] = L"Layout sample";

// The sample's controls (Static windows) in its client area of 400x300: the second overlaps the
// first, the third reaches out of the client area, the fourth is hidden, the fifth holds a control.
struct SampleControl {
  int id;
  RECT rect;
  int font;  // 0: none set
  bool visible;
  int parentId;  // 0: the window itself
};
constexpr SampleControl kSample[] = {
    {1, {10, 10, 110, 40}, -13, true, 0},  {2, {100, 20, 200, 50}, -24, true, 0},
    {3, {350, 250, 450, 290}, 0, true, 0}, {4, {10, 100, 110, 130}, -12, false, 0},
    {5, {200, 100, 380, 200}, 0, true, 0}, {6, {10, 10, 60, 30}, -16, true, 5},
};

LRESULT CALLBACK SampleProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) ::PostQuitMessage(0);
  return ::DefWindowProcW(window, message, wParam, lParam);
}

TEST(WindowLayout, IsReadFromAnotherProgramWithTheFontsItsControlsAnswer) {
  test::Process sample;
  ASSERT_TRUE(sample.Start(test::BinFolder() / L"harness_tests.exe", L"--layout-sample"));
  const HWND window = test::WaitForWindow(sample.Id(), kSampleTitle, kSampleClass, 20s);
  ASSERT_NE(window, nullptr);
  const test::WindowLayout layout = test::RecordLayout(window);
  ::PostMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_TRUE(sample.WaitForExit(10s));

  EXPECT_EQ(layout.window.right - layout.window.left, 400);
  EXPECT_EQ(layout.window.bottom - layout.window.top, 300);
  EXPECT_EQ(test::FormatLayout(layout).substr(test::FormatLayout(layout).find(L"control")),
            L"control 10 10 110 40 400 300 -13 StartdeckLayoutSample/Static:1\n"
            L"control 100 20 200 50 400 300 -24 StartdeckLayoutSample/Static:2\n"
            L"control 350 250 450 290 400 300 - StartdeckLayoutSample/Static:3\n"
            L"control 200 100 380 200 400 300 - StartdeckLayoutSample/Static:5\n"
            L"control 10 10 60 30 180 100 -16 StartdeckLayoutSample/Static:5/Static:6\n");

  EXPECT_EQ(test::PlacementFaults(layout),
            (std::vector<std::wstring>{
                L"StartdeckLayoutSample/Static:3 (350,250)-(450,290) is cut off by its parent's client area "
                L"of 400x300",
                L"StartdeckLayoutSample/Static:1 (10,10)-(110,40) overlaps its sibling Static:2 "
                L"(100,20)-(200,50)"}));
}

TEST(WindowLayout, SurvivesItsTextForm) {
  const std::wstring text =
      L"dpi 144\nwindow 5 6 1040 795\ncontrol 0 0 10 20 30 40 -20 #32770:0/Static:1\n"
      L"control 1 2 3 4 5 6 - #32770:0/My Class:7#1\n";
  const auto layout = test::ParseLayout(text);
  ASSERT_TRUE(layout.has_value());
  EXPECT_EQ(layout->dpi, 144);
  ASSERT_EQ(layout->controls.size(), 2u);
  EXPECT_EQ(layout->controls[1].path, L"#32770:0/My Class:7#1");
  EXPECT_FALSE(layout->controls[1].hasFont);
  EXPECT_EQ(test::FormatLayout(*layout), text);
  for (const wchar_t* bad :
       {L"", L"dpi x", L"dpi 96\nwindow 1 2 3", L"dpi 96\nwindow 1 2 3 4\ncontrol 1 2 3 4 5 6 7z p",
        L"dpi 96\nwindow 1 2 3 4\nother"})
    EXPECT_FALSE(test::ParseLayout(bad).has_value()) << testing::PrintToString(std::wstring(bad));
}

// The design view: a window of 690x526 with a button drawn in a font of 13 and a text of 11.
test::WindowLayout Design() {
  test::WindowLayout design;
  design.dpi = 96;
  design.window = {100, 100, 790, 626};
  design.controls = {{L"#32770:0/Button:1", {10, 10, 110, 40}, {672, 369}, -13, true},
                     {L"#32770:0/Static:2", {10, 50, 110, 70}, {672, 369}, -11, true}};
  return design;
}

struct ScaleCase {
  const char* name;
  int dpi;
  SIZE window;
  int buttonFont;
  int textFont;
  bool textShown;
  std::vector<std::wstring> faults;
};

TEST(WindowLayout, AScaledViewIsCheckedAgainstTheDesign) {
  const ScaleCase cases[] = {
      {"scaled at 200 %", 192, {1380, 1052}, -26, -22, true, {}},
      {"scaled at 150 %", 144, {1035, 789}, -20, -17, true, {}},
      {"scaled at 125 %, a pixel per edge off", 120, {865, 656}, -16, -14, true, {}},
      {"the 8-point stock font made by the system at 150 %", 144, {1035, 789}, -20, -16, true, {}},
      {"the 8-point stock font made by the system at 125 %", 120, {863, 658}, -16, -13, true, {}},
      {"a font of neither rule",
       144,
       {1035, 789},
       -19,
       -15,
       true,
       {L"#32770:0/Button:1 draws with a font of height -19, not -20 (-13 at 96 DPI)",
        L"#32770:0/Static:2 draws with a font of height -15, not -17 (-11 at 96 DPI)"}},
      {"not scaled at all",
       192,
       {690, 526},
       -13,
       -11,
       true,
       {L"the window is 690x526, not 1380x1052 (690x526 at 96 DPI)",
        L"#32770:0/Button:1 draws with a font of height -13, not -26 (-13 at 96 DPI)",
        L"#32770:0/Static:2 draws with a font of height -11, not -22 (-11 at 96 DPI)"}},
      {"three pixels too wide",
       144,
       {1038, 789},
       -20,
       -17,
       true,
       {L"the window is 1038x789, not 1035x789 (690x526 at 96 DPI)"}},
      {"a control left out", 144, {1035, 789}, -20, -17, false, {L"#32770:0/Static:2 is not shown"}},
  };
  for (const ScaleCase& c : cases) {
    SCOPED_TRACE(c.name);
    test::WindowLayout scaled;
    scaled.dpi = c.dpi;
    scaled.window = {0, 0, c.window.cx, c.window.cy};
    scaled.controls.push_back({L"#32770:0/Button:1", {}, {}, c.buttonFont, true});
    if (c.textShown) scaled.controls.push_back({L"#32770:0/Static:2", {}, {}, c.textFont, true});
    EXPECT_EQ(test::ScaleFaults(Design(), scaled), c.faults);
  }
}

TEST(WindowLayout, AFontThatIsNoneOfTheDesignHeightsIsAFaultAtEveryScale) {
  test::WindowLayout design = Design();
  design.controls[1].font = -15;
  test::WindowLayout scaled = design;
  EXPECT_EQ(test::ScaleFaults(design, scaled),
            (std::vector<std::wstring>{L"#32770:0/Static:2 draws with a font of height -15 at 96 DPI, none "
                                       L"of the program's design heights"}));
}

}  // namespace

// The sample window of the first test, shown by this program started with --layout-sample until
// it is closed.
int ShowLayoutSample() {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = SampleProcedure;
  windowClass.hInstance = ::GetModuleHandleW(nullptr);
  windowClass.lpszClassName = kSampleClass;
  if (!::RegisterClassW(&windowClass)) return 1;
  const HWND window = ::CreateWindowExW(0, kSampleClass, kSampleTitle, WS_POPUP, 50, 50, 400, 300, nullptr,
                                        nullptr, windowClass.hInstance, nullptr);
  if (!window) return 1;
  std::vector<win::UniqueFont> fonts;
  for (const SampleControl& c : kSample) {
    const HWND parent = c.parentId ? ::GetDlgItem(window, c.parentId) : window;
    const HWND control = ::CreateWindowExW(
        0, L"Static", L"Text", WS_CHILD | (c.visible ? WS_VISIBLE : 0), c.rect.left, c.rect.top,
        c.rect.right - c.rect.left, c.rect.bottom - c.rect.top, parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)), windowClass.hInstance, nullptr);
    if (!control) return 1;
    if (c.font) {
      fonts.emplace_back(::CreateFontW(c.font, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0,
                                       0, 0, L"Tahoma"));
      ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(fonts.back().get()), FALSE);
    }
  }
  ::ShowWindow(window, SW_SHOWNOACTIVATE);
  MSG message;
  while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
  return 0;
}
