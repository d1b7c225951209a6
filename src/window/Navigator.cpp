#include "window/Navigator.h"

#include "controls/MenuRibbon.h"
#include "menu/TabTable.h"
#include "win/Resources.h"

namespace ui {
namespace {

void Show(HWND window, bool show) noexcept {
  if (window) ::ShowWindow(window, show ? SW_SHOW : SW_HIDE);
}

}  // namespace

int Navigator::Tab() const noexcept {
  return view_ == kStartPage ? 0 : NumberOf(TabOfRibbonId(ribbonId_));
}

void Navigator::OpenTab(int tab) {
  const TabRow* row = FindTab(tab);
  if (row == nullptr) return;
  const int ribbonId = row->ribbonId;
  Show(parts_.startPage, false);
  Show(parts_.showAll, false);
  content_.ShowTab(tab, true);
  if (parts_.ribbon) {
    parts_.ribbon->Mark(ribbonId);
    Show(parts_.ribbon->hwnd(), true);
  }
  ribbonId_ = ribbonId;
  view_ = tab;
  Show(parts_.welcome, false);
  Show(parts_.about, false);
  Show(parts_.home, true);
  Show(parts_.back, false);
  ShowLaunchInstallFor(tab);
}

void Navigator::GoHome() {
  if (ribbonId_ != 0) LeaveTab(ribbonId_);
  if (parts_.ribbon) {
    parts_.ribbon->Clear(false);
    Show(parts_.ribbon->hwnd(), false);
  }
  Show(parts_.home, false);
  Show(parts_.back, false);
  Show(parts_.about, true);
  Show(parts_.welcome, true);
  Show(parts_.showAll, true);
  Show(parts_.startPage, true);
  ribbonId_ = 0;
  view_ = kStartPage;
}

void Navigator::SwitchToTab(int tab) {
  if (ribbonId_ != 0) LeaveTab(ribbonId_);
  OpenTab(tab);
}

void Navigator::GoBack() {
  if (ribbonId_ == 0) return;
  const int ribbonId = ribbonId_;
  LeaveTab(ribbonId);
  EnterTab(ribbonId);
}

void Navigator::LeaveTab(int ribbonId) {
  // The view still names what the tab shows: its own content, or a task panel opened on it.
  if (ShowsTask()) content_.HideTask(view_);
  if (const int tab = NumberOf(TabOfRibbonId(ribbonId))) content_.ShowTab(tab, false);
  if (parts_.launchInstall) Show(parts_.launchInstall->hwnd(), false);
  Show(parts_.dictionaryUpdates, false);
  ribbonId_ = ribbonId;
}

void Navigator::EnterTab(int ribbonId) {
  const int tab = NumberOf(TabOfRibbonId(ribbonId));
  if (tab == 0) return;
  ribbonId_ = ribbonId;
  view_ = tab;
  content_.ShowTab(tab, true);
  Show(parts_.back, false);
  ShowLaunchInstallFor(tab);
}

void Navigator::ShowTask(int taskCode) {
  if (view_ == kStartPage) return;
  if (const int tab = Tab()) content_.ShowTab(tab, false);
  Show(parts_.back, true);
  view_ = taskCode;
}

void Navigator::ShowLaunchInstallFor(int tab) {
  // The web-service page offers the dictionary updates, when the web service does.
  const TabRow* row = FindTab(tab);
  const TabButton button = row ? row->button : TabButton::kNone;
  Show(parts_.dictionaryUpdates,
       button == TabButton::kLaunchWebService && content_.OffersDictionaryUpdates());
  if (!parts_.launchInstall) return;
  if (button == TabButton::kNone) {
    Show(parts_.launchInstall->hwnd(), false);
    return;
  }
  parts_.launchInstall->SetCaption(win::LoadString(row->buttonCaptionId));
  Show(parts_.launchInstall->hwnd(), true);
}

}  // namespace ui
