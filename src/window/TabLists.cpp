#include "window/TabLists.h"

#include "core/SharedGraphics.h"
#include "core/StartupTrace.h"
#include "SkinIds.h"
#include "menu/TabTable.h"
#include "suite/LaunchList.h"
#include "win/Resources.h"

namespace ui {

// The model hands each command to its tab's list: the command index as the row's data, extra
// (not available) commands dimmed.
class TabLists::MenuRows final : public MenuListSink {
 public:
  explicit MenuRows(skin::CCustomList& list) noexcept : list_(list) {}
  void Clear() override { list_.DeleteAllItems(); }
  void AddRow(HICON icon, const std::wstring& title, const std::wstring& description, int data,
              bool enabled) override {
    list_.AddItem(icon, title, description, !enabled, data);
  }
  void AddRowWithIconId(int iconId, const std::wstring& title, const std::wstring& description, int data,
                        bool enabled) override {
    list_.AddItemWithIconId(iconId, title, description, !enabled, data);
  }

 private:
  skin::CCustomList& list_;
};

namespace {

// Rows that go nowhere: the catalogue says whether the launch tab has any before its list exists.
class NoLaunchRows final : public suite::LaunchListSink {
 public:
  void Clear() override {}
  void AddRow(HICON, const std::wstring&, const std::wstring&, bool) override {}
};

// The tabs of the catalogue's launch list and of the product's documents.
constexpr int kListsLaunchTab = NumberOf(TabShowing(TabContent::kLaunchList));
constexpr const TabRow& kDocumentsTab = *TabShowing(TabContent::kDocuments);

}  // namespace

TabLists::TabLists(const CXCryptedProfileW& configuration, suite::LaunchContext& context)
    : source_(configuration), model_(source_), context_(context) {}

TabLists::~TabLists() = default;

// The lists' pictures and fonts at the graphics' scale. The bitmaps are named, not decoded: each is
// decoded when a panel is first drawn, so until then the hidden panels cost none.
TabLists::ListLooks TabLists::LooksOf(const app::SharedGraphics& graphics) {
  ListLooks looks;
  skin::ListSkin& skin = looks.skin;
  skin.rows = app::SkinBitmap(graphics, IDB_LIST_ROWS);
  skin.hot = app::SkinBitmap(graphics, IDB_LIST_ROWS_HOT);
  skin.hotScroll = app::SkinBitmap(graphics, IDB_LIST_ROWS_HOT_SCROLL);
  skin.titleFont = graphics.Font(app::SharedFont::kTahoma12Bold);
  skin.secondFont = graphics.Font(app::SharedFont::kTahoma12);
  skin.scrollBar.up[0] = app::SkinBitmap(graphics, IDB_SCROLL_UP_NORMAL);
  skin.scrollBar.up[1] = app::SkinBitmap(graphics, IDB_SCROLL_UP_HOVER);
  skin.scrollBar.up[2] = app::SkinBitmap(graphics, IDB_SCROLL_UP_PRESSED);
  skin.scrollBar.down[0] = app::SkinBitmap(graphics, IDB_SCROLL_DOWN_NORMAL);
  skin.scrollBar.down[1] = app::SkinBitmap(graphics, IDB_SCROLL_DOWN_HOVER);
  skin.scrollBar.down[2] = app::SkinBitmap(graphics, IDB_SCROLL_DOWN_PRESSED);
  skin.scrollBar.track = app::SkinBitmap(graphics, IDB_SCROLL_TRACK);
  skin.scrollBar.thumb[0] = app::SkinBitmap(graphics, IDB_SCROLL_THUMB_NORMAL);
  skin.scrollBar.thumb[1] = app::SkinBitmap(graphics, IDB_SCROLL_THUMB_HOVER);
  skin.scrollBar.thumb[2] = app::SkinBitmap(graphics, IDB_SCROLL_THUMB_PRESSED);
  skin::ListPanelLook& look = looks.panel;
  look.background = app::SkinBitmap(graphics, IDB_PANEL_BACKGROUND);
  look.headingFont = graphics.Font(app::SharedFont::kTahoma14Bold);

  return looks;
}

std::vector<int> TabLists::Create(HWND parent, POINT at, const app::SharedGraphics& graphics) {
  const ListLooks looks = LooksOf(graphics);
  const skin::ListPanelLook& look = looks.panel;
  const skin::ListSkin& skin = looks.skin;
  std::vector<int> failed;
  made_ = true;
  for (const TabRow& tab : kTabs) {
    if (!ShowsList(tab) || tab.content == TabContent::kDocuments) continue;
    skin::CCustomListDialog& panel = panels_[IndexOf(tab.tab)];
    if (panel.Create(parent, at.x, at.y, look, skin, tab.panelId)) {
      panel.SetScale(graphics.Scale());
      panel.SetHeading(win::LoadString(tab.headingId));
    } else
      failed.push_back(static_cast<int>(tab.tab));
  }
  // Only a list that exists gets rows.
  for (size_t i = 0; i < rows_.size(); ++i)
    if (skin::CCustomListDialog& panel = panels_[IndexOf(kConfiguredTabs[i])]; panel.hwnd())
      rows_[i] = std::make_unique<MenuRows>(panel.List());
  if (Panel(kListsLaunchTab))
    launchList_ = std::make_unique<suite::LaunchList>(context_, panels_[IndexOf(kListsLaunchTab)].List());

  app::MarkStartup(L"panels: list tabs");
  // The documents are listed as the panel is made.
  docs_ = std::make_unique<tasks::CDocsDialog>(context_);
  if (docs_->Create(parent, at.x, at.y, look, skin, kDocumentsTab.panelId, graphics,
                    app::SharedFont::kTahoma10)) {
    docs_->SetScale(graphics.Scale());
    docs_->SetHeading(win::LoadString(kDocumentsTab.headingId));
  } else
    failed.push_back(static_cast<int>(kDocumentsTab.tab));
  return failed;
}

void TabLists::Foresee(bool showAll) {
  const MenuModel::TabsFilled menus = model_.Foresee(showAll);
  for (size_t i = 0; i < std::size(kConfiguredTabs); ++i) hasRows_[IndexOf(kConfiguredTabs[i])] = menus[i];
  NoLaunchRows noLaunchRows;
  hasRows_[IndexOf(kListsLaunchTab)] = suite::LaunchList(context_, noLaunchRows).LikelyHasRows(showAll);
  documentsForeseen_ = !tasks::CDocsDialog::Listed(context_, 1).empty();
  app::MarkStartup(L"lists: which tabs have rows");
}

void TabLists::Rebuild(bool showAll, bool launchLater) {
  if (!made_) {
    Foresee(showAll);
    return;
  }
  MenuModel::TabLists lists{};
  for (size_t i = 0; i < rows_.size(); ++i) lists[i] = rows_[i].get();
  const MenuModel::TabsFilled menus = model_.Rebuild(showAll, lists);
  // A tab without its list is left empty by the model.
  for (size_t i = 0; i < std::size(kConfiguredTabs); ++i) hasRows_[IndexOf(kConfiguredTabs[i])] = menus[i];
  app::MarkStartup(L"lists: tabs 1, 2 and 6");
  if (!launchList_) {
    hasRows_[IndexOf(kListsLaunchTab)] = false;  // it may have been foreseen with rows
    return;
  }
  panels_[IndexOf(kListsLaunchTab)].List().DeleteAllItems();
  launchPending_ = launchLater;
  pendingShowAll_ = showAll;
  hasRows_[IndexOf(kListsLaunchTab)] =
      launchLater ? launchList_->LikelyHasRows(showAll) : launchList_->Fill(showAll);
}

bool TabLists::FillLaunchList() {
  if (!launchPending_ || !launchList_) return false;
  launchPending_ = false;
  bool& hasRows = hasRows_[IndexOf(kListsLaunchTab)];
  const bool hadRows = hasRows;
  hasRows = launchList_->Fill(pendingShowAll_);
  return hasRows != hadRows;
}

bool TabLists::HasRows(int tab) const noexcept {
  if (tab == static_cast<int>(kDocumentsTab.tab))
    return made_ ? docs_ && docs_->hwnd() && docs_->HasDocuments() : documentsForeseen_;
  const size_t index = IndexOf(tab);
  return index < hasRows_.size() && hasRows_[index];
}

void TabLists::TakeLooks(const app::SharedGraphics& graphics) {
  const ListLooks looks = LooksOf(graphics);
  for (skin::CCustomListDialog& panel : panels_)
    if (panel.hwnd()) panel.SetLook(looks.panel, looks.skin);
  if (docs_ && docs_->hwnd()) docs_->SetLook(looks.panel, looks.skin);
}

void TabLists::Place(POINT at) const {
  for (const TabRow& tab : kTabs)
    if (HWND panel = Panel(static_cast<int>(tab.tab)))
      ::SetWindowPos(panel, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

size_t TabLists::IndexOf(int tab) noexcept {
  return tab >= 1 && tab <= kTabCount ? static_cast<size_t>(tab - 1) : kTabCount;
}

HWND TabLists::Panel(int tab) const noexcept {
  if (tab == static_cast<int>(kDocumentsTab.tab)) return docs_ ? docs_->hwnd() : nullptr;
  const size_t index = IndexOf(tab);
  return index < panels_.size() ? panels_[index].hwnd() : nullptr;
}

}  // namespace ui
