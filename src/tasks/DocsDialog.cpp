#include "tasks/DocsDialog.h"

#include <shellapi.h>

#include "ResourceIds.h"
#include "core/PrivateMessages.h"
#include "StringIds.h"
#include "core/RegistryKey.h"
#include "profile/CryptedProfile.h"
#include "suite/InfSections.h"
#include "suite/LaunchContext.h"
#include "suite/ShellStart.h"
#include "tasks/PanelParts.h"
#include "controls/Paint.h"
#include "win/Resources.h"

namespace tasks {
namespace {

constexpr UINT kErrorBox = MB_OK | MB_ICONEXCLAMATION;

// The controls whose text is white; every other one is black.
bool DrawsWhite(int id) {
  return id >= 1046 && id <= 1048;
}

// An icon of `size` pixels square from icon file `file` (a program, a library or an .ico): number
// `index` there, or the resource of ID -index when it is negative.
win::UniqueIcon IconFromFile(const wchar_t* file, int index, int size) {
  HICON icon = nullptr;
  UINT id = 0;
  const UINT extracted = ::PrivateExtractIconsW(file, index, size, size, &icon, &id, 1, LR_DEFAULTCOLOR);
  // 0xFFFFFFFF: the file was not found; 0: it holds no such icon.
  return win::UniqueIcon(extracted != 0 && extracted != 0xFFFFFFFF ? icon : nullptr);
}

// The icon the shell associates with the file, `size` pixels square. Where the shell finds none of the
// file's own (Wine's shell, for one, gives up on a document and asks the calling module for a stock
// icon that it does not have), the icon of the program that opens the file.
win::UniqueIcon AssociatedIcon(const std::wstring& file, int size) {
  // A longer path could only be cut to another file's, and the shell cannot open it anyway.
  if (file.size() >= MAX_PATH) return {};
  const HINSTANCE self = ::GetModuleHandleW(nullptr);
  // At the system's icon size the shell's own choice is the one to show; at another size the icon is
  // read from where the shell says it lives, at that size, rather than shrunk or stretched.
  if (size == ::GetSystemMetrics(SM_CXICON)) {
    // ExtractAssociatedIconW may write the icon's own file into its path argument.
    wchar_t path[MAX_PATH] = {};
    file.copy(path, MAX_PATH - 1);
    WORD index = 0;
    if (win::UniqueIcon icon(::ExtractAssociatedIconW(self, path, &index)); icon) return icon;
  } else {
    SHFILEINFOW info{};
    if (::SHGetFileInfoW(file.c_str(), 0, &info, sizeof info, SHGFI_ICONLOCATION) && info.szDisplayName[0])
      if (win::UniqueIcon icon = IconFromFile(info.szDisplayName, info.iIcon, size); icon) return icon;
  }
  wchar_t program[MAX_PATH] = {};
  if (reinterpret_cast<INT_PTR>(::FindExecutableW(file.c_str(), nullptr, program)) <= 32 || !program[0])
    return {};
  if (size == ::GetSystemMetrics(SM_CXICON)) {
    const HICON first = ::ExtractIconW(self, program, 0);
    // 1: the program's file holds no icons at all.
    return win::UniqueIcon(reinterpret_cast<INT_PTR>(first) > 1 ? first : nullptr);
  }
  return IconFromFile(program, 0, size);
}

}  // namespace

bool CDocsDialog::Create(HWND parent, int x, int y, const ui::skin::ListPanelLook& look,
                         const ui::skin::ListSkin& skin, int listId, const app::SharedGraphics& graphics,
                         app::SharedFont noteFont) {
  graphics_ = &graphics;
  noteFontId_ = noteFont;
  scale_ = graphics.Scale();
  CCustomListDialog::SetScale(scale_);
  return Make(parent, x, y, look, skin, listId, graphics.Font(noteFont));
}

bool CDocsDialog::Create(HWND parent, int x, int y, const ui::skin::ListPanelLook& look,
                         const ui::skin::ListSkin& skin, int listId, HFONT noteFont) {
  graphics_ = nullptr;
  scale_ = win::Scale();
  return Make(parent, x, y, look, skin, listId, noteFont);
}

bool CDocsDialog::Make(HWND parent, int x, int y, const ui::skin::ListPanelLook& look,
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
    case app::kApplyScaleMessage: {
      const bool handled = CCustomListDialog::OnMessage(message, wParam, lParam, result);
      ApplyScale(static_cast<int>(wParam));
      return handled;
    }
    case WM_CTLCOLORSTATIC:
      result = ControlColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
      return true;
    default: return CCustomListDialog::OnMessage(message, wParam, lParam, result);
  }
}

RECT CDocsDialog::NotePlace() {
  RECT panel{};
  ::GetClientRect(hwnd(), &panel);
  // Below the list, whose rows reach down from its top by the height of the row strip.
  RECT list{};
  if (List().hwnd()) {
    ::GetWindowRect(List().hwnd(), &list);
    ::MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&list), 2);
  }
  const int margin = scale_.Px(kNoteMargin);
  return {scale_.Px(kNoteLeft), list.bottom + margin, panel.right - margin, panel.bottom - margin};
}

void CDocsDialog::CreateNote() {
  const RECT place = NotePlace();
  const std::wstring text = win::LoadString(IDS_DOCS_PDF_VIEWER) + L" " + kPdfViewerAddress;
  const HWND note = ::CreateWindowExW(
      0, L"Static", text.c_str(), WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX, place.left, place.top,
      place.right - place.left, place.bottom - place.top, hwnd(),
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_DOCS_NOTE)), ::GetModuleHandleW(nullptr), nullptr);
  if (note && noteFont_) ::SendMessageW(note, WM_SETFONT, reinterpret_cast<WPARAM>(noteFont_), FALSE);
}

void CDocsDialog::ApplyScale(int dpi) {
  const win::Scale scale(dpi);
  const bool iconsChange = scale.Px(kIconSize) != scale_.Px(kIconSize);
  scale_ = scale;
  // The note hangs below the list, by the list's height at the new scale: the list takes the scale
  // now. It takes it again from the window's walk over its children, which changes nothing then.
  if (List().hwnd()) ::SendMessageW(List().hwnd(), app::kApplyScaleMessage, static_cast<WPARAM>(dpi), 0);
  if (const HWND note = ::GetDlgItem(hwnd(), IDC_DOCS_NOTE)) {
    const RECT place = NotePlace();
    ::SetWindowPos(note, nullptr, place.left, place.top, place.right - place.left, place.bottom - place.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    if (graphics_) noteFont_ = graphics_->Font(noteFontId_);
    if (noteFont_) ::SendMessageW(note, WM_SETFONT, reinterpret_cast<WPARAM>(noteFont_), TRUE);
  }
  // The background may be another picture now: the brush is made from it when next needed.
  backgroundBrush_.reset();
  brushMade_ = false;
  if (iconsChange) {
    // The icons are read again at their new size, each when its row is next drawn; the list stays
    // scrolled where it was.
    const int first = List().FirstVisible();
    Fill();
    List().Scroll(first);
  }
  ::InvalidateRect(hwnd(), nullptr, TRUE);
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

std::vector<DocumentRecord> CDocsDialog::Listed(const suite::LaunchContext& context, size_t limit) {
  std::vector<DocumentRecord> documents;
  const CXCryptedProfileW& configuration = context.ProductConfiguration();
  const size_t count = configuration.SectionEntryCount(suite::kDocsMenuSection);
  for (size_t i = 0; i < count && documents.size() < limit; ++i) {
    DocumentRecord document;
    document.id =
        configuration.GetString(suite::kDocsMenuSection, configuration.KeyAt(suite::kDocsMenuSection, i));
    if (document.id.empty()) continue;
    app::RegistryKey key;
    if (!key.Open(HKEY_LOCAL_MACHINE, std::wstring(reg::kDocs) + L"\\" + document.id)) continue;
    document.path = key.ReadString(L"Path");
    if (document.path.empty()) continue;
    document.shortDescription = key.ReadString(L"ShortDescription");
    if (document.shortDescription.empty()) continue;
    document.fullDescription = key.ReadString(L"FullDescription");
    documents.push_back(std::move(document));
  }
  return documents;
}

bool CDocsDialog::Fill() {
  List().DeleteAllItems();
  documents_ = Listed(context_);
  // The shell is slow to give icons: each is asked for when its row is first drawn.
  for (size_t i = 0; i < documents_.size(); ++i)
    List().AddItemWithIconSource(
        [path = documents_[i].path, size = scale_.Px(kIconSize)] { return AssociatedIcon(path, size); },
        documents_[i].shortDescription, documents_[i].fullDescription, false, static_cast<int>(i));
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
