#include "window/TabLists.h"

#include "core/SharedGraphics.h"
#include "core/StartupTrace.h"
#include "SkinIds.h"
#include "StringIds.h"
#include "suite/LaunchList.h"
#include "win/Resources.h"

namespace ui {
namespace {

// Headings of the list tabs, in kListTabs order.
constexpr UINT kHeadings[] = {IDS_HEADING_TRANSLATION, IDS_HEADING_CUSTOMIZE, IDS_HEADING_LAUNCH, IDS_HEADING_NET};

}  // namespace

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

TabLists::TabLists(const CXCryptedProfileW& configuration, suite::LaunchContext& context)
    : source_(configuration), model_(source_), context_(context) {}

TabLists::~TabLists() = default;

std::vector<int> TabLists::Create(HWND parent, POINT at, const app::SharedGraphics& graphics) {
  // The bitmaps are decoded when a panel is first drawn: until then the hidden panels cost none.
  skin::ListSkin skin;
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
  skin::ListPanelLook look;
  look.background = app::SkinBitmap(graphics, IDB_PANEL_BACKGROUND);
  look.headingFont = graphics.Font(app::SharedFont::kTahoma14Bold);

  std::vector<int> failed;
  for (size_t i = 0; i < kListTabs.size(); ++i) {
    if (panels_[i].Create(parent, at.x, at.y, look, skin, kListIdBase + kListTabs[i]))
      panels_[i].SetHeading(win::LoadString(kHeadings[i]));
    else
      failed.push_back(kListTabs[i]);
  }
  // Only a list that exists gets rows.
  const auto rowsOf = [this](int tab) {
    skin::CCustomListDialog& panel = panels_[IndexOf(tab)];
    return panel.hwnd() ? std::make_unique<MenuRows>(panel.List()) : nullptr;
  };
  rows_ = {rowsOf(1), rowsOf(2), rowsOf(6)};  // NOLINT(clang-analyzer-cplusplus.NewDeleteLeaks): rows_ owns
  if (panels_[IndexOf(4)].hwnd()) launchList_ = std::make_unique<suite::LaunchList>(context_, panels_[IndexOf(4)].List());

  app::MarkStartup(L"panels: list tabs");
  // The documents are listed as the panel is made.
  docs_ = std::make_unique<tasks::CDocsDialog>(context_);
  if (docs_->Create(parent, at.x, at.y, look, skin, kListIdBase + kDocumentationTab,
                    graphics.Font(app::SharedFont::kTahoma10)))
    docs_->SetHeading(win::LoadString(IDS_HEADING_GUIDE));
  else
    failed.push_back(kDocumentationTab);
  return failed;
}

void TabLists::Rebuild(bool showAll, bool launchLater) {
  const MenuModel::TabsFilled menus = model_.Rebuild(showAll, {rows_[0].get(), rows_[1].get(), rows_[2].get()});
  // A tab without its list is left empty by the model.
  hasRows_[IndexOf(1)] = menus[0];
  hasRows_[IndexOf(2)] = menus[1];
  hasRows_[IndexOf(6)] = menus[2];
  app::MarkStartup(L"lists: tabs 1, 2 and 6");
  if (!launchList_) return;
  panels_[IndexOf(4)].List().DeleteAllItems();
  launchPending_ = launchLater;
  pendingShowAll_ = showAll;
  hasRows_[IndexOf(4)] = launchLater ? launchList_->LikelyHasRows(showAll) : launchList_->Fill(showAll);
}

bool TabLists::FillLaunchList() {
  if (!launchPending_ || !launchList_) return false;
  launchPending_ = false;
  const bool hadRows = hasRows_[IndexOf(4)];
  hasRows_[IndexOf(4)] = launchList_->Fill(pendingShowAll_);
  return hasRows_[IndexOf(4)] != hadRows;
}

bool TabLists::HasRows(int tab) const noexcept {
  if (tab == kDocumentationTab) return docs_ && docs_->hwnd() && docs_->HasDocuments();
  const size_t index = IndexOf(tab);
  return index < hasRows_.size() && hasRows_[index];
}

size_t TabLists::IndexOf(int tab) noexcept {
  for (size_t i = 0; i < kListTabs.size(); ++i)
    if (kListTabs[i] == tab) return i;
  return kListTabs.size();
}

HWND TabLists::Panel(int tab) const noexcept {
  if (tab == kDocumentationTab) return docs_ ? docs_->hwnd() : nullptr;
  const size_t index = IndexOf(tab);
  return index < panels_.size() ? panels_[index].hwnd() : nullptr;
}

int TabLists::TabOfListId(int listId) noexcept {
  for (int tab : kTabsWithList)
    if (listId == kListIdBase + tab) return tab;
  return 0;
}

}  // namespace ui
