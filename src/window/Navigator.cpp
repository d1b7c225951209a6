#include "window/Navigator.h"

#include <array>

#include "StringIds.h"
#include "controls/MenuRibbon.h"
#include "win/Resources.h"

namespace ui {
namespace {

// Tab N's start-page button and ribbon tab, for N = 1..7.
constexpr std::array<int, 8> kStartButtonOfTab = {0, 316, 291, 294, 297, 307, 301, 304};
constexpr std::array<int, 8> kRibbonIdOfTab = {0, 335, 338, 348, 353, 355, 342, 345};

// The dictionaries page installs dictionaries, the My VANTO page launches the web service.
constexpr int kDictionariesTab = 3;
constexpr int kMyVantoTab = 7;

int IndexOf(const std::array<int, 8>& ids, int id) noexcept {
  for (int tab = 1; tab <= 7; ++tab)
    if (ids[static_cast<size_t>(tab)] == id) return tab;
  return 0;
}

void Show(HWND window, bool show) noexcept {
  if (window) ::ShowWindow(window, show ? SW_SHOW : SW_HIDE);
}

}  // namespace

int Navigator::TabOfStartButton(int id) noexcept { return IndexOf(kStartButtonOfTab, id); }
int Navigator::TabOfRibbonId(int id) noexcept { return IndexOf(kRibbonIdOfTab, id); }
int Navigator::StartButtonOfTab(int tab) noexcept {
  return tab >= 1 && tab <= 7 ? kStartButtonOfTab[static_cast<size_t>(tab)] : 0;
}
int Navigator::RibbonIdOfTab(int tab) noexcept {
  return tab >= 1 && tab <= 7 ? kRibbonIdOfTab[static_cast<size_t>(tab)] : 0;
}

int Navigator::Tab() const noexcept { return view_ == kStartPage ? 0 : TabOfRibbonId(ribbonId_); }

void Navigator::OpenTab(int tab) {
  const int ribbonId = RibbonIdOfTab(tab);
  if (ribbonId == 0) return;
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
  if (const int tab = TabOfRibbonId(ribbonId)) content_.ShowTab(tab, false);
  if (parts_.launchInstall) Show(parts_.launchInstall->hwnd(), false);
  Show(parts_.dictionaryUpdates, false);
  ribbonId_ = ribbonId;
}

void Navigator::EnterTab(int ribbonId) {
  const int tab = TabOfRibbonId(ribbonId);
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
  Show(parts_.dictionaryUpdates, tab == kMyVantoTab && content_.OffersDictionaryUpdates());
  if (!parts_.launchInstall) return;
  if (tab != kDictionariesTab && tab != kMyVantoTab) {
    Show(parts_.launchInstall->hwnd(), false);
    return;
  }
  parts_.launchInstall->SetCaption(win::LoadString(tab == kDictionariesTab ? IDS_INSTALL : IDS_LAUNCH));
  Show(parts_.launchInstall->hwnd(), true);
}

}  // namespace ui
