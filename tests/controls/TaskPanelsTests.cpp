// The owner of the task panels with panels that are real child windows: one panel serving several
// task codes, a task its panel refuses, a task without a panel, and a panel that cannot be made.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "ControlsHost.h"
#include "core/LogSink.h"
#include "core/SharedGraphics.h"
#include "menu/TaskTable.h"
#include "support/LogLines.h"
#include "support/QuietTaskContext.h"
#include "support/SavedState.h"
#include "support/ScratchDir.h"
#include "window/TaskPanels.h"

namespace controls {
namespace {

// A panel that can carry out every task but `refused`, and notes what it is asked to do.
class StaticPanel final : public tasks::TaskPanel {
 public:
  explicit StaticPanel(int refused = 0, bool creatable = true) : refused_(refused), creatable_(creatable) {}
  ~StaticPanel() override {
    if (window_) ::DestroyWindow(window_);
  }
  bool Create(HWND parent, POINT at) override {
    if (creatable_)
      window_ = ::CreateWindowExW(0, L"STATIC", L"panel", WS_CHILD, at.x, at.y, 100, 100, parent, nullptr,
                                  nullptr, nullptr);
    return window_ != nullptr;
  }
  tasks::OpenOutcome Open(int taskCode, std::wstring_view appTokens) override {
    opened_.push_back({taskCode, std::wstring(appTokens)});
    if (taskCode == refused_) return tasks::OpenOutcome::kNoApplication;
    ::ShowWindow(window_, SW_SHOW);
    return tasks::OpenOutcome::kShown;
  }
  void Hide() override { ::ShowWindow(window_, SW_HIDE); }
  HWND Window() const noexcept override { return window_; }
  void SaveSettings() override { ++saved_; }

  std::vector<std::pair<int, std::wstring>> opened_;
  int saved_ = 0;

 private:
  int refused_;
  bool creatable_;
  HWND window_ = nullptr;
};

using TaskPanelsTest = ControlsTest;

TEST_F(TaskPanelsTest, OnePanelServesItsTasksAndRefusesWhatItCannotDo) {
  ui::TaskPanels panels;
  auto owned = std::make_unique<StaticPanel>(12);
  StaticPanel& documents = *owned;
  panels.Add(std::move(owned), {10, 11, 12}, host_.hwnd(), {9, 146});
  // Made when first needed.
  EXPECT_EQ(documents.Window(), nullptr);
  panels.SaveSettings();
  EXPECT_EQ(documents.saved_, 0);

  using tasks::OpenOutcome;
  EXPECT_EQ(panels.Open(11, L"Word"), OpenOutcome::kShown);
  EXPECT_TRUE(::IsWindowVisible(documents.Window()));
  panels.Hide(11);
  EXPECT_FALSE(::IsWindowVisible(documents.Window()));
  EXPECT_EQ(panels.Open(12, L"Excel"), OpenOutcome::kNoApplication);
  EXPECT_FALSE(::IsWindowVisible(documents.Window()));
  EXPECT_EQ(panels.Open(9, L""), OpenOutcome::kFailed);  // no panel for quick translation here
  EXPECT_EQ(documents.opened_, (std::vector<std::pair<int, std::wstring>>{{11, L"Word"}, {12, L"Excel"}}));

  // Settings are saved once per panel, not once per task.
  panels.SaveSettings();
  EXPECT_EQ(documents.saved_, 1);
}

// Where a panel's window sits in the host's client area.
POINT PlaceOf(HWND panel) {
  RECT place{};
  ::GetWindowRect(panel, &place);
  ::MapWindowPoints(nullptr, ::GetParent(panel), reinterpret_cast<POINT*>(&place), 2);
  return {place.left, place.top};
}

TEST_F(TaskPanelsTest, PanelsSitAtTheDesignPlaceScaledAndMoveWithTheScale) {
  ui::TaskPanels panels;
  auto first = std::make_unique<StaticPanel>();
  auto second = std::make_unique<StaticPanel>();
  StaticPanel& early = *first;
  StaticPanel& late = *second;
  panels.Add(std::move(first), {10}, host_.hwnd(), {9, 146});
  panels.Add(std::move(second), {20}, host_.hwnd(), {9, 146});
  ASSERT_EQ(panels.Open(10, L""), tasks::OpenOutcome::kShown);
  EXPECT_EQ(PlaceOf(early.Window()).x, 9);
  EXPECT_EQ(PlaceOf(early.Window()).y, 146);

  const struct {
    int dpi;
    POINT place;
  } cases[] = {{144, {14, 219}}, {192, {18, 292}}, {120, {11, 183}}, {96, {9, 146}}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.dpi);
    panels.SetScale(win::Scale(c.dpi));
    EXPECT_EQ(PlaceOf(early.Window()).x, c.place.x);
    EXPECT_EQ(PlaceOf(early.Window()).y, c.place.y);
  }
  // A panel made after a change is made at the place of the scale then.
  panels.SetScale(win::Scale(168));
  ASSERT_EQ(panels.Open(20, L""), tasks::OpenOutcome::kShown);
  EXPECT_EQ(PlaceOf(late.Window()).x, 16);   // 15.75
  EXPECT_EQ(PlaceOf(late.Window()).y, 256);  // 255.5
}

TEST_F(TaskPanelsTest, APanelThatCannotBeMadeIsLeftOutAndLoggedOnce) {
  test::ScratchDir scratch;
  const test::Restorer log = test::SavedLog();
  app::Log().SetFilePath((scratch.path() / L"log.txt").wstring());

  ui::TaskPanels panels;
  panels.Add(std::make_unique<StaticPanel>(0, false), {20, 23}, host_.hwnd(), {9, 146});
  EXPECT_EQ(panels.Open(23, L""), tasks::OpenOutcome::kFailed);
  EXPECT_EQ(panels.Find(20), nullptr);
  EXPECT_EQ(panels.Open(20, L""), tasks::OpenOutcome::kFailed);

  EXPECT_EQ(test::ReadLogLines(scratch.path() / L"log.txt"),
            std::vector<std::wstring>{L"Main window: the panel of tasks 20,23 could not be created"});
}

// Every task of the task table has a panel, and two tasks share one exactly when the table gives
// them the same kind.
TEST_F(TaskPanelsTest, EveryTaskHasThePanelOfItsKind) {
  const app::SharedGraphics graphics;  // never made: no panel window is
  test::QuietTaskContext context(host_.hwnd(), graphics);
  ui::TaskPanels panels;
  panels.CreateAll(context, host_.hwnd(), {9, 146});
  for (const ui::TaskRow& task : ui::Tasks()) {
    SCOPED_TRACE(task.taskCode);
    const tasks::TaskPanel* panel = panels.Find(task.taskCode);
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->Window(), nullptr);  // made when first opened
    for (const ui::TaskRow& other : ui::Tasks())
      EXPECT_EQ(panels.Find(other.taskCode) == panel, other.panel == task.panel) << other.taskCode;
  }
  EXPECT_EQ(panels.Find(ui::kNoTask), nullptr);
}

}  // namespace
}  // namespace controls
