// The task panels laid out at the display's scale: made at 150 % and 200 %, each control stands at
// its place of the 100 % design scaled edge by edge, with the shared fonts of the scale; and a change
// of scale there and back leaves every control, text, choice and the focus as it was.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "ResourceIds.h"
#include "SkinIds.h"
#include "core/PrivateMessages.h"
#include "core/SharedGraphics.h"
#include "support/QuietTaskContext.h"
#include "tasks/DictEditDialog.h"
#include "tasks/PanelParts.h"
#include "tasks/QuickTranslationDialog.h"
#include "tasks/SingleComboDialog.h"
#include "tasks/TMMDialog.h"
#include "tasks/TranslateDocumentDialog.h"
#include "win/Scale.h"

namespace {

using app::SharedFont;

LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return ::DefWindowProcW(window, message, wParam, lParam);
}

// How a control's rectangle follows from its design box.
enum class Sized {
  kBox,     // the whole box, edge by edge
  kCombo,   // left, top and width; as tall as its drop button makes it
  kButton,  // left and top; as large as the push buttons' face of the scale
};

struct Expected {
  int id;
  Sized sized;
  RECT box;  // left, top, width, height of the design (height unused for combos, size for buttons)
  SharedFont font = SharedFont::kCount;  // kCount: not checked
};

struct PanelCase {
  const char* name;
  std::function<std::unique_ptr<tasks::CTaskPanelDialog>(tasks::TaskContext&)> make;
  std::vector<Expected> controls;
};

template <class Panel>
std::unique_ptr<tasks::CTaskPanelDialog> Make(tasks::TaskContext& context) {
  return std::make_unique<Panel>(context);
}

const std::vector<PanelCase>& Panels() {
  static const std::vector<PanelCase> panels = {
      {"documents",
       &Make<tasks::CTranslateDocumentDialog>,
       {{IDC_PANEL_DOCUMENT_LABEL, Sized::kBox, {256, 18, 396, 16}, SharedFont::kTahoma12Bold},
        {IDC_PANEL_DOCUMENT, Sized::kBox, {256, 36, 284, 22}, SharedFont::kTahoma12},
        {IDC_PANEL_BROWSE, Sized::kButton, {548, 35, 0, 0}},
        {IDC_PANEL_APPLICATION_LABEL, Sized::kBox, {256, 72, 396, 16}, SharedFont::kTahoma12Bold},
        {IDC_PANEL_APPLICATIONS, Sized::kCombo, {256, 90, 396, 0}},
        {IDC_PANEL_DIRECTION_LABEL, Sized::kBox, {256, 126, 190, 16}, SharedFont::kTahoma12Bold},
        {IDC_PANEL_PROFILE_LABEL, Sized::kBox, {462, 126, 190, 16}, SharedFont::kTahoma12Bold},
        {IDC_PANEL_DIRECTIONS, Sized::kCombo, {256, 144, 190, 0}},
        {IDC_PANEL_PROFILES, Sized::kCombo, {462, 144, 190, 0}},
        {IDC_PANEL_ACTION, Sized::kButton, {548, 184, 0, 0}},
        {IDC_PANEL_OUTCOME, Sized::kBox, {256, 222, 396, 100}, SharedFont::kTahoma12}}},
      {"dictionary",
       &Make<tasks::CDictEditDialog>,
       {{IDC_PANEL_DIRECTION_LABEL, Sized::kBox, {256, 18, 396, 16}, SharedFont::kTahoma12Bold},
        {IDC_PANEL_DIRECTIONS, Sized::kCombo, {256, 36, 396, 0}},
        {IDC_PANEL_DICTIONARY_LABEL, Sized::kBox, {256, 72, 396, 16}, SharedFont::kTahoma12Bold},
        {IDC_PANEL_DICTIONARIES, Sized::kCombo, {256, 90, 396, 0}},
        {IDC_PANEL_NEW_DICTIONARY, Sized::kButton, {548, 126, 0, 0}},
        {IDC_PANEL_WORD_LABEL, Sized::kBox, {256, 164, 396, 16}, SharedFont::kTahoma12Bold},
        {IDC_PANEL_WORD, Sized::kBox, {256, 182, 284, 22}, SharedFont::kTahoma12},
        {IDC_PANEL_ADD_WORD, Sized::kButton, {548, 181, 0, 0}},
        {IDC_PANEL_OUTCOME, Sized::kBox, {256, 222, 396, 100}, SharedFont::kTahoma12}}},
      {"memories",
       &Make<tasks::CTMMDialog>,
       {{IDC_PANEL_DIRECTION_LABEL, Sized::kBox, {256, 18, 396, 16}, SharedFont::kTahoma12Bold},
        {IDC_PANEL_DIRECTIONS, Sized::kCombo, {256, 36, 396, 0}},
        {IDC_PANEL_MEMORY_LABEL, Sized::kBox, {256, 72, 396, 16}, SharedFont::kTahoma12Bold},
        {IDC_PANEL_MEMORIES, Sized::kCombo, {256, 90, 396, 0}},
        {IDC_PANEL_EDIT_MEMORY, Sized::kButton, {548, 126, 0, 0}},
        {IDC_PANEL_NEW_MEMORY_LABEL, Sized::kBox, {256, 174, 284, 32}, SharedFont::kTahoma12Bold},
        {IDC_PANEL_CREATE_MEMORY, Sized::kButton, {548, 170, 0, 0}},
        {IDC_PANEL_OUTCOME, Sized::kBox, {256, 214, 396, 100}, SharedFont::kTahoma12}}},
      {"single list",
       &Make<tasks::CSingleComboDialog>,
       {{IDC_PANEL_APPLICATION_LABEL, Sized::kBox, {256, 18, 396, 16}, SharedFont::kTahoma12Bold},
        {IDC_PANEL_APPLICATIONS, Sized::kCombo, {256, 36, 396, 0}},
        {IDC_PANEL_SINGLE_DIRECTIONS, Sized::kCombo, {256, 36, 396, 0}},
        {IDC_PANEL_ACTION, Sized::kButton, {548, 72, 0, 0}},
        {IDC_PANEL_EDIT_PROFILES, Sized::kButton, {548, 72, 0, 0}},
        {IDC_PANEL_OUTCOME, Sized::kBox, {256, 110, 396, 210}, SharedFont::kTahoma12}}},
  };
  return panels;
}

// The control of `panel` with `id` that is a combo box or not, as `sized` says: the Translate button
// and the "Translate in:" list share their ID.
HWND FindControl(HWND panel, int id, Sized sized) {
  for (HWND child = ::GetWindow(panel, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    wchar_t name[64] = {};
    ::GetClassNameW(child, name, 64);
    const bool combo = std::wstring(name) == L"StartdeckComboBox";
    if (::GetDlgCtrlID(child) == id && combo == (sized == Sized::kCombo)) return child;
  }
  return nullptr;
}

RECT RectIn(HWND child, HWND ancestor) {
  RECT rc{};
  ::GetWindowRect(child, &rc);
  ::MapWindowPoints(nullptr, ancestor, reinterpret_cast<POINT*>(&rc), 2);
  return rc;
}

std::wstring Text(HWND window) {
  return tasks::TextOf(window);
}

std::string Show(const RECT& rc) {
  return "{" + std::to_string(rc.left) + ", " + std::to_string(rc.top) + ", " + std::to_string(rc.right) +
         ", " + std::to_string(rc.bottom) + "}";
}

// The scale change as the main window makes it: the window and then every window below it, parents
// before their children.
void ApplyScaleBelow(HWND window, int dpi) {
  ::SendMessageW(window, app::kApplyScaleMessage, static_cast<WPARAM>(dpi), 0);
  for (HWND child = ::GetWindow(window, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
    ApplyScaleBelow(child, dpi);
}

// Every window below `panel`, with its place and text, in the order of the window tree.
struct ChildState {
  HWND window;
  int id;
  RECT place;
  std::wstring text;
  bool visible;
  bool operator==(const ChildState& other) const {
    return window == other.window && id == other.id && ::EqualRect(&place, &other.place) &&
           text == other.text && visible == other.visible;
  }
};
void CollectBelow(HWND panel, HWND window, std::vector<ChildState>& states) {
  for (HWND child = ::GetWindow(window, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    states.push_back(
        {child, ::GetDlgCtrlID(child), RectIn(child, panel), Text(child), ::IsWindowVisible(child) != FALSE});
    CollectBelow(panel, child, states);
  }
}
std::vector<ChildState> StateBelow(HWND panel) {
  std::vector<ChildState> states;
  CollectBelow(panel, panel, states);
  return states;
}

class PanelScaleTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { graphics_.Create(); }
  static void TearDownTestSuite() { graphics_.Destroy(); }

  void SetUp() override {
    static const bool registered = [] {
      WNDCLASSW windowClass{};
      windowClass.lpfnWndProc = &HostProc;
      windowClass.hInstance = ::GetModuleHandleW(nullptr);
      windowClass.lpszClassName = L"PanelScaleTestHost";
      return ::RegisterClassW(&windowClass) != 0;
    }();
    ASSERT_TRUE(registered);
    host_ = ::CreateWindowExW(0, L"PanelScaleTestHost", L"Panels", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0,
                              0, 1400, 1100, nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(host_, nullptr);
    context_ = std::make_unique<test::QuietTaskContext>(host_, graphics_);
  }
  void TearDown() override {
    panel_.reset();
    if (host_) ::DestroyWindow(host_);
    graphics_.SetScale(skinscale::kDesignDpi);
    graphics_.ReleaseRetired();
  }

  // Switches the graphics to `dpi`, which they must take (no fall-back to another scale).
  static void UseScale(int dpi) {
    graphics_.SetScale(dpi);
    ASSERT_EQ(graphics_.Scale().dpi(), dpi) << "the shared graphics did not take the scale";
  }

  HWND MakePanel(const PanelCase& panelCase) {
    panel_ = panelCase.make(*context_);
    if (!panel_->Create(host_, {9, 146})) return nullptr;
    return panel_->Window();
  }

  // Each control of `panelCase` stands at its design place at the graphics' scale, in its font.
  void ExpectDesignPlaces(HWND panel, const PanelCase& panelCase) const {
    const win::Scale scale = graphics_.Scale();
    const SIZE face = graphics_.BitmapSize(IDB_PUSH_NORMAL);
    for (const Expected& control : panelCase.controls) {
      SCOPED_TRACE(control.id);
      const HWND window = FindControl(panel, control.id, control.sized);
      ASSERT_NE(window, nullptr);
      const RECT& box = control.box;
      const RECT actual = RectIn(window, panel);
      RECT expected = scale.Box(box.left, box.top, box.right, box.bottom);
      if (control.sized == Sized::kCombo) expected.bottom = actual.bottom;
      if (control.sized == Sized::kButton)
        expected = {expected.left, expected.top, expected.left + face.cx, expected.top + face.cy};
      EXPECT_TRUE(::EqualRect(&actual, &expected)) << Show(actual) << " instead of " << Show(expected);
      if (control.font != SharedFont::kCount) {
        EXPECT_EQ(reinterpret_cast<HFONT>(::SendMessageW(window, WM_GETFONT, 0, 0)),
                  graphics_.Font(control.font));
      }
    }
  }

  static app::SharedGraphics graphics_;
  HWND host_ = nullptr;
  std::unique_ptr<test::QuietTaskContext> context_;
  std::unique_ptr<tasks::CTaskPanelDialog> panel_;
};

app::SharedGraphics PanelScaleTest::graphics_;

TEST_F(PanelScaleTest, APanelMadeAtAScalePlacesItsControlsAtTheScaledDesign) {
  for (const int dpi : {96, 144, 192}) {
    for (const PanelCase& panelCase : Panels()) {
      SCOPED_TRACE(std::string(panelCase.name) + " at " + std::to_string(dpi));
      UseScale(dpi);
      const HWND panel = MakePanel(panelCase);
      ASSERT_NE(panel, nullptr);
      ExpectDesignPlaces(panel, panelCase);
      panel_.reset();
    }
  }
}

TEST_F(PanelScaleTest, AChangeOfScaleThereAndBackLeavesEveryControlAsItWas) {
  for (const PanelCase& panelCase : Panels()) {
    SCOPED_TRACE(panelCase.name);
    UseScale(96);
    const HWND panel = MakePanel(panelCase);
    ASSERT_NE(panel, nullptr);
    // Shown as the user sees it (showing fills its fields with what it remembers), with something of
    // the user's in it: a text in its field, part of it selected, and the focus.
    ::ShowWindow(panel, SW_SHOWNA);
    HWND focus = nullptr;
    for (const int field : {IDC_PANEL_DOCUMENT, IDC_PANEL_WORD}) {
      if (const HWND edit = ::GetDlgItem(panel, field)) {
        ::SetWindowTextW(edit, L"C:\\Texts\\Bericht.docx");
        ::SendMessageW(edit, EM_SETSEL, 3, 8);
        focus = edit;
      }
    }
    if (!focus) focus = ::GetDlgItem(panel, IDC_PANEL_DIRECTIONS);
    if (!focus) focus = ::GetDlgItem(panel, IDC_PANEL_APPLICATIONS);
    ::SetFocus(focus);
    ASSERT_EQ(::GetFocus(), focus);
    const std::vector<ChildState> before = StateBelow(panel);

    UseScale(192);
    ApplyScaleBelow(panel, 192);
    ExpectDesignPlaces(panel, panelCase);
    UseScale(96);
    ApplyScaleBelow(panel, 96);

    const std::vector<ChildState> after = StateBelow(panel);
    ASSERT_EQ(after.size(), before.size());
    for (size_t i = 0; i < before.size(); ++i) {
      SCOPED_TRACE(before[i].id);
      EXPECT_TRUE(::EqualRect(&after[i].place, &before[i].place)) << Show(after[i].place);
      EXPECT_EQ(after[i].text, before[i].text);
      EXPECT_EQ(after[i].visible, before[i].visible);
    }
    ExpectDesignPlaces(panel, panelCase);
    EXPECT_EQ(::GetFocus(), focus);
    if (const HWND edit = ::GetDlgItem(panel, IDC_PANEL_DOCUMENT) ? ::GetDlgItem(panel, IDC_PANEL_DOCUMENT)
                                                                  : ::GetDlgItem(panel, IDC_PANEL_WORD)) {
      DWORD start = 0, end = 0;
      ::SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
      EXPECT_EQ(start, 3u);
      EXPECT_EQ(end, 8u);
    }
    panel_.reset();
  }
}

// The quick translation's rows hang one below the other from the caption's height in its font: each
// stands at the design's distance, scaled, below the one above, at the design's columns.
TEST_F(PanelScaleTest, QuickTranslationStacksItsRowsAtTheScaledDistances) {
  for (const int dpi : {96, 144, 192}) {
    SCOPED_TRACE(dpi);
    UseScale(dpi);
    panel_ = std::make_unique<tasks::CQTransDlg>(*context_);
    ASSERT_TRUE(panel_->Create(host_, {9, 146}));
    const HWND panel = panel_->Window();
    ::SetWindowTextW(::GetDlgItem(panel, IDC_QUICK_SOURCE), L"The house is small.\r\nThe cat sleeps.");
    ::SetFocus(::GetDlgItem(panel, IDC_QUICK_SOURCE));
    const auto check = [&](const win::Scale scale) {
      const auto rect = [&](int id) { return RectIn(::GetDlgItem(panel, id), panel); };
      const RECT caption = rect(IDC_QUICK_CAPTION), directionLabel = rect(IDC_PANEL_DIRECTION_LABEL),
                 profileLabel = rect(IDC_PANEL_PROFILE_LABEL), directions = rect(IDC_PANEL_DIRECTIONS),
                 profiles = rect(IDC_PANEL_PROFILES), source = rect(IDC_QUICK_SOURCE),
                 target = rect(IDC_QUICK_TARGET), translate = rect(IDC_QUICK_TRANSLATE),
                 clear = rect(IDC_QUICK_CLEAR);
      // Columns: the paper side, its two halves, the buttons at its right edge.
      for (const RECT& whole : {caption, source, target}) {
        EXPECT_EQ(whole.left, scale.Px(256));
        EXPECT_EQ(whole.right, scale.Px(652));
      }
      for (const RECT& left : {directionLabel, directions}) {
        EXPECT_EQ(left.left, scale.Px(256));
        EXPECT_EQ(left.right, scale.Px(446));
      }
      for (const RECT& right : {profileLabel, profiles}) {
        EXPECT_EQ(right.left, scale.Px(462));
        EXPECT_EQ(right.right, scale.Px(652));
      }
      EXPECT_EQ(translate.left, scale.Px(548));
      EXPECT_EQ(clear.left, scale.Px(436));
      // Rows: the caption at the top, then each at its distance below the one above.
      EXPECT_EQ(caption.top, scale.Px(14));
      EXPECT_GT(caption.bottom, caption.top);
      EXPECT_EQ(directionLabel.top, caption.bottom + scale.Px(8));
      EXPECT_EQ(directionLabel.bottom - directionLabel.top, scale.Px(16));
      EXPECT_EQ(directions.top, directionLabel.bottom + scale.Px(2));
      EXPECT_EQ(profiles.top, directions.top);
      EXPECT_EQ(source.top, directions.bottom + scale.Px(12));
      EXPECT_EQ(translate.top, source.bottom + scale.Px(8));
      EXPECT_EQ(clear.top, translate.top);
      EXPECT_EQ(target.top, translate.top + scale.Px(24) + scale.Px(8));
      EXPECT_EQ(target.bottom - target.top, source.bottom - source.top);
      EXPECT_LE(target.bottom, scale.Px(318));
      EXPECT_GT(target.bottom, scale.Px(318) - 2);
      EXPECT_EQ(
          reinterpret_cast<HFONT>(::SendMessageW(::GetDlgItem(panel, IDC_QUICK_CAPTION), WM_GETFONT, 0, 0)),
          graphics_.Font(SharedFont::kTahoma12Bold));
    };
    check(win::Scale(dpi));
    const std::vector<ChildState> before = StateBelow(panel);
    const HWND focus = ::GetFocus();
    const int other = dpi == 192 ? 96 : 192;
    UseScale(other);
    ApplyScaleBelow(panel, other);
    check(win::Scale(other));
    UseScale(dpi);
    ApplyScaleBelow(panel, dpi);
    check(win::Scale(dpi));
    EXPECT_EQ(StateBelow(panel), before);
    EXPECT_EQ(::GetFocus(), focus);
    EXPECT_EQ(Text(::GetDlgItem(panel, IDC_QUICK_SOURCE)), L"The house is small.\r\nThe cat sleeps.");
    panel_.reset();
  }
}

}  // namespace
