// The documents the user handed over last, in the translation tab's blue column: each with its
// task's icon, its folder, application and date in its tip. Choosing one hands it over again as it
// was (its task's panel with the same application, direction and profile); a document that is gone
// is dimmed, and choosing it offers to take it off the list. Delete and the context menu take one
// entry off, or all.
#pragma once

#include <windows.h>

#include <vector>

#include "controls/CustomListDialog.h"
#include "controls/RecentList.h"
#include "suite/RecentDocuments.h"
#include "window/WindowPart.h"

namespace ui {

class MainViews;
class MainWindowContext;

class RecentDocumentsView : public WindowPart {
 public:
  // Design pixels in the translation tab's panel: below its heading, in its blue column.
  static constexpr POINT kAt{
      skin::CCustomListDialog::kHeadingAt.x,
      skin::CCustomListDialog::kHeadingAt.y + skin::CCustomListDialog::kHeadingHeight + 2};

  RecentDocumentsView(MainWindowContext& app, MainViews& views) noexcept : app_(app), views_(views) {}

  // app::kRecentListMessage and app::kRecentDocumentsChangedMessage.
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;
  void ApplyScale(const app::SharedGraphics& graphics) override;
  // The list goes into the translation tab's panel, made by then.
  void AfterFirstPaint() override;

  [[nodiscard]] const skin::CRecentList& List() const noexcept { return list_; }

 private:
  // The entries as they are stored now, and the list's rows from them.
  void Refresh();
  void HandOverAgain(size_t index);
  void Forget(size_t index);

  MainWindowContext& app_;
  MainViews& views_;
  HWND window_ = nullptr;
  skin::CRecentList list_;
  std::vector<suite::RecentDocument> entries_;  // as the rows show them
};

}  // namespace ui
