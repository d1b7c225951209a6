#include "tasks/DocsDialog.h"

#include <shellapi.h>

#include "ResourceIds.h"
#include "StringIds.h"
#include "core/RegistryKey.h"
#include "profile/CryptedProfile.h"
#include "suite/LaunchContext.h"
#include "suite/ShellStart.h"
#include "controls/Paint.h"
#include "win/Resources.h"

namespace tasks {
namespace {

constexpr UINT kErrorBox = MB_OK | MB_ICONEXCLAMATION;

// The controls whose text is white; every other one is black.
bool DrawsWhite(int id) {
  return id >= 1046 && id <= 1048;
}

// The icon the shell associates with the file. Where the shell finds none of the file's own (Wine's
// shell, for one, gives up on a document and asks the calling module for a stock icon that it does
// not have), the icon of the program that opens the file.
win::UniqueIcon AssociatedIcon(const std::wstring& file) {
  // A longer path could only be cut to another file's, and the shell cannot open it anyway.
  if (file.size() >= MAX_PATH) return {};
  const HINSTANCE self = ::GetModuleHandleW(nullptr);
  // ExtractAssociatedIconW may write the icon's own file into its path argument.
  wchar_t path[MAX_PATH] = {};
  file.copy(path, MAX_PATH - 1);
  WORD index = 0;
  win::UniqueIcon icon(::ExtractAssociatedIconW(self, path, &index));
  if (icon) return icon;
  wchar_t program[MAX_PATH] = {};
  if (reinterpret_cast<INT_PTR>(::FindExecutableW(file.c_str(), nullptr, program)) <= 32 || !program[0])
    return {};
  const HICON first = ::ExtractIconW(self, program, 0);
  // 1: the program's file holds no icons at all.
  return win::UniqueIcon(reinterpret_cast<INT_PTR>(first) > 1 ? first : nullptr);
}

}  // namespace

bool CDocsDialog::Create(HWND parent, int x, int y, const ui::skin::ListPanelLook& look,
                         const ui::skin::ListSkin& skin, int listId, HFONT noteFont) {
  background_ = look.background;
  noteFont_ = noteFont;
  backgroundBrush_.reset();
  brushMade_ = false;
  return CCustomListDialog::Create(parent, x, y, look, skin, listId);
}

bool CDocsDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
  switch (message) {
    case WM_INITDIALOG: {
      const bool handled = CCustomListDialog::OnMessage(message, wParam, lParam, result);
      CreateNote();
      Fill();
      return handled;
    }
    case WM_CTLCOLORSTATIC:
      result = ControlColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
      return true;
    default: return CCustomListDialog::OnMessage(message, wParam, lParam, result);
  }
}

void CDocsDialog::CreateNote() {
  RECT panel{};
  ::GetClientRect(hwnd(), &panel);
  // Below the list, whose rows reach down from its top by the height of the row strip.
  RECT list{};
  if (List().hwnd()) {
    ::GetWindowRect(List().hwnd(), &list);
    ::MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&list), 2);
  }
  const int top = list.bottom + kNoteMargin;
  const std::wstring text = win::LoadString(IDS_DOCS_PDF_VIEWER) + L" " + kPdfViewerAddress;
  const HWND note = ::CreateWindowExW(
      0, L"Static", text.c_str(), WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX, kNoteLeft, top,
      panel.right - kNoteMargin - kNoteLeft, panel.bottom - kNoteMargin - top, hwnd(),
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_DOCS_NOTE)), ::GetModuleHandleW(nullptr), nullptr);
  if (note && noteFont_) ::SendMessageW(note, WM_SETFONT, reinterpret_cast<WPARAM>(noteFont_), FALSE);
}

INT_PTR CDocsDialog::ControlColour(HDC dc, HWND control) const {
  RECT rc{};
  ::GetWindowRect(control, &rc);
  ::MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&rc), 2);
  ::SetBrushOrgEx(dc, -rc.left, -rc.top, nullptr);
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, DrawsWhite(::GetDlgCtrlID(control)) ? RGB(255, 255, 255) : RGB(0, 0, 0));
  if (!brushMade_) {
    brushMade_ = true;
    if (const HBITMAP background = background_.get())
      backgroundBrush_.reset(::CreatePatternBrush(background));
  }
  return reinterpret_cast<INT_PTR>(backgroundBrush_ ? backgroundBrush_.get() : ::GetStockObject(NULL_BRUSH));
}

bool CDocsDialog::Fill() {
  documents_.clear();
  List().DeleteAllItems();
  const CXCryptedProfileW& configuration = context_.ProductConfiguration();
  const size_t count = configuration.SectionEntryCount(kSection);
  for (size_t i = 0; i < count; ++i) {
    DocumentRecord document;
    document.id = configuration.GetString(kSection, configuration.KeyAt(kSection, i));
    if (document.id.empty()) continue;
    app::RegistryKey key;
    if (!key.Open(HKEY_LOCAL_MACHINE, std::wstring(reg::kDocs) + L"\\" + document.id)) continue;
    document.path = key.ReadString(L"Path");
    if (document.path.empty()) continue;
    document.shortDescription = key.ReadString(L"ShortDescription");
    if (document.shortDescription.empty()) continue;
    document.fullDescription = key.ReadString(L"FullDescription");
    documents_.push_back(std::move(document));
  }
  // The shell is slow to give icons: each is asked for when its row is first drawn.
  for (size_t i = 0; i < documents_.size(); ++i)
    List().AddItemWithIconSource([path = documents_[i].path] { return AssociatedIcon(path); },
                                 documents_[i].shortDescription, documents_[i].fullDescription, false,
                                 static_cast<int>(i));
  return HasDocuments();
}

void CDocsDialog::Open(size_t row) {
  if (row >= List().Count()) return;
  const auto index = static_cast<size_t>(List().ItemData(row));
  if (index >= documents_.size()) return;
  const DocumentRecord& document = documents_[index];
  // The one start every program goes through, which keeps a path longer than the shell takes away
  // from it.
  if (suite::StartSucceeded(suite::ShellStart(L"open", document.path, {}, {}))) return;
  // The message names the document: its text says which one could not be opened.
  context_.ShowText(win::LoadString(IDS_LAUNCH_FAILED) + L"\n\n\"" + document.shortDescription + L"\"",
                    kErrorBox);
}

}  // namespace tasks
