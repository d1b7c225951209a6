#include "window/RecentDocumentsView.h"

#include <string>
#include <string_view>
#include <utility>

#include "ResourceIds.h"
#include "StringIds.h"
#include "core/LogSink.h"
#include "core/PrivateMessages.h"
#include "core/SharedGraphics.h"
#include "core/SkinLibrary.h"
#include "menu/TabTable.h"
#include "menu/TaskTable.h"
#include "tasks/TaskPanel.h"
#include "window/MainViews.h"
#include "window/MainWindowContext.h"
#include "win/Resources.h"

namespace ui {

namespace {

using skin::RecentListAction;

skin::RecentListLook LookOf(const app::SharedGraphics& graphics) {
  return {graphics.Font(app::SharedFont::kTahoma12Bold), graphics.Font(app::SharedFont::kTahoma12)};
}

// "C:\...", "\\server\share\..." or "C:/...": a file; anything else (a web address) is not.
bool IsFilePath(std::wstring_view document) {
  const bool drive =
      document.size() >= 3 && document[1] == L':' && (document[2] == L'\\' || document[2] == L'/');
  return drive || document.starts_with(L"\\\\");
}

// Whether a file document is known to be gone. A network path is not looked at while the list is
// filled, where an unreachable server would hold the window; it is when the entry is chosen.
bool KnownGone(const std::wstring& document, bool lookAtNetwork) {
  if (!IsFilePath(document)) return false;
  if (!lookAtNetwork) {
    if (document.starts_with(L"\\\\")) return false;
    const wchar_t root[] = {document[0], L':', L'\\', L'\0'};
    if (::GetDriveTypeW(root) == DRIVE_REMOTE) return false;
  }
  const DWORD attributes = ::GetFileAttributesW(document.c_str());
  return attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::wstring_view NameOf(std::wstring_view document) {
  if (!IsFilePath(document)) return document;
  const size_t slash = document.find_last_of(L"\\/");
  return slash == std::wstring_view::npos ? document : document.substr(slash + 1);
}

std::wstring FolderOf(std::wstring_view document) {
  const size_t slash = document.find_last_of(L"\\/");
  return std::wstring(slash == std::wstring_view::npos ? document : document.substr(0, slash));
}

// The time in the user's own short date and time, in the user's time zone; empty for none.
std::wstring LocalTimeText(const FILETIME& utc) {
  if (utc.dwHighDateTime == 0 && utc.dwLowDateTime == 0) return {};
  SYSTEMTIME universal{}, local{};
  if (!::FileTimeToSystemTime(&utc, &universal) ||
      !::SystemTimeToTzSpecificLocalTime(nullptr, &universal, &local))
    return {};
  wchar_t date[80] = {}, time[80] = {};
  if (!::GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_SHORTDATE, &local, nullptr, date, 80, nullptr) ||
      !::GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, TIME_NOSECONDS, &local, nullptr, time, 80))
    return {};
  return std::wstring(date) + L' ' + time;
}

// Where the document is, what it went to and when, one to a line; and that it is gone.
std::wstring TipOf(const suite::RecentDocument& entry, bool gone) {
  std::wstring tip = IsFilePath(entry.document) ? FolderOf(entry.document) : entry.document;
  std::wstring handed = entry.application;
  if (const std::wstring when = LocalTimeText(entry.handedOver); !when.empty())
    handed += (handed.empty() ? L"" : L", ") + when;
  if (!handed.empty()) tip += L"\n" + handed;
  if (gone) tip += L"\n" + win::LoadString(IDS_RECENT_GONE);
  return tip;
}

}  // namespace

void RecentDocumentsView::AfterFirstPaint() {
  const HWND panel = views_.ListPanel(MenuTab::kTranslation);
  window_ = ::GetAncestor(panel, GA_ROOT);
  if (!panel) return;
  const app::SharedGraphics& graphics = app_.Graphics();
  skin::RecentListTexts texts{win::LoadString(IDS_RECENT_DOCUMENTS), win::LoadString(IDS_RECENT_TRANSLATE),
                              win::LoadString(IDS_RECENT_REMOVE), win::LoadString(IDS_RECENT_CLEAR)};
  if (!list_.Create(panel, IDC_RECENT_DOCUMENTS, kAt, graphics.Scale(), LookOf(graphics), std::move(texts),
                    window_)) {
    app::Log().Line(L"The recent documents' list could not be made.");
    return;
  }
  Refresh();
}

void RecentDocumentsView::ApplyScale(const app::SharedGraphics& graphics) {
  if (!list_.hwnd()) return;
  list_.SetScale(graphics.Scale(), LookOf(graphics));
  Refresh();  // the icons at the new size
}

bool RecentDocumentsView::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
  if (!list_.hwnd() || (message != app::kRecentListMessage && message != app::kRecentDocumentsChangedMessage))
    return false;
  result = 0;
  if (message == app::kRecentDocumentsChangedMessage) {
    Refresh();
    return true;
  }
  const auto row = static_cast<size_t>(lParam);
  const bool hasRow = lParam >= 0 && row < entries_.size();
  switch (static_cast<RecentListAction>(wParam)) {
    case RecentListAction::kChoose:
      if (hasRow) HandOverAgain(row);
      break;
    case RecentListAction::kRemove:
      if (hasRow) Forget(row);
      break;
    case RecentListAction::kClear:
      if (!suite::ForgetAllDocuments()) app::Log().Line(L"The recent documents could not be cleared.");
      Refresh();
      break;
  }
  return true;
}

void RecentDocumentsView::Refresh() {
  entries_ = suite::ReadRecentDocuments();
  const win::Scale scale = app_.Graphics().Scale();
  std::vector<skin::RecentRow> rows;
  rows.reserve(entries_.size());
  for (const suite::RecentDocument& entry : entries_) {
    const bool gone = KnownGone(entry.document, false);
    const TaskRow* task = FindTask(entry.taskCode);
    rows.push_back(
        {task ? app::LoadSkinIcon(static_cast<int>(task->command.iconId), skin::CRecentList::kIconSize, scale)
              : win::UniqueIcon(),
         std::wstring(NameOf(entry.document)), TipOf(entry, gone), gone});
  }
  list_.SetRows(std::move(rows));
}

void RecentDocumentsView::HandOverAgain(size_t index) {
  const suite::RecentDocument entry = entries_[index];
  if (KnownGone(entry.document, true)) {
    if (app_.ShowMessage(IDS_RECENT_GONE_ASK, entry.document, MB_YESNO | MB_ICONQUESTION) == IDYES)
      Forget(index);
    else
      Refresh();  // dimmed from now on
    return;
  }
  FileDrop* opener = views_.Opener();
  if (!opener) return;
  tasks::TaskPanel* panel = opener->OpenTask(entry.taskCode);
  if (!panel) {
    // This product has no such task: the one that takes the document's type, as for a dropped file
    // (which says so when none does).
    if (IsFilePath(entry.document)) (void)opener->OpenTaskOf(entry.document);
    return;
  }
  // What is no longer there (the application, the direction, the profile) leaves the panel filled
  // as far as it could be, for the user to choose and confirm.
  if (!panel->HandOverAgain(entry))
    if (const HWND translate = ::GetDlgItem(panel->Window(), IDC_PANEL_ACTION);
        translate && ::IsWindowVisible(translate))
      ::SetFocus(translate);
}

void RecentDocumentsView::Forget(size_t index) {
  if (!suite::ForgetDocument(entries_[index].document))
    app::Log().Line(L"A recent document could not be taken off the list.");
  Refresh();
}

}  // namespace ui
