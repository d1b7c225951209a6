#include "controls/LBRichEdit.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <vector>

#include "ResourceIds.h"
#include "core/PrivateMessages.h"
#include "suite/SystemLibrary.h"
#include "win/Handle.h"
#include "win/Resources.h"
#include "core/CaughtFailure.h"

namespace ui::skin {
namespace {

constexpr UINT_PTR kRichEditSubclassId = 0x5EDD;
constexpr UINT kUnicode = 1200;  // the code page of UTF-16 in the text messages

// One item of the menu resource: its command and its text.
struct MenuItem {
  UINT id = 0;
  std::wstring text;
};

std::vector<MenuItem> ItemsOf(HMENU popup) {
  std::vector<MenuItem> items;
  const int count = ::GetMenuItemCount(popup);
  for (int i = 0; i < count; ++i) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_ID | MIIM_STRING | MIIM_FTYPE;
    if (!::GetMenuItemInfoW(popup, static_cast<UINT>(i), TRUE, &info) || (info.fType & MFT_SEPARATOR))
      continue;
    std::wstring text(info.cch + 1, L'\0');  // with room for the terminating NUL
    info.cch = static_cast<UINT>(text.size());
    info.dwTypeData = text.data();
    if (!::GetMenuItemInfoW(popup, static_cast<UINT>(i), TRUE, &info)) continue;
    text.resize(info.cch);
    items.push_back({info.wID, std::move(text)});
  }
  return items;
}

// Plain text fed to EM_STREAMIN in the pieces the control asks for. A piece never ends between the
// CR and the LF of a line break: a control that takes each piece on its own (Wine's does) would make
// two line breaks of it.
struct StreamSource {
  const wchar_t* next;
  size_t left;  // characters
};

DWORD CALLBACK ReadStream(DWORD_PTR cookie, LPBYTE buffer, LONG wanted, LONG* given) {
  auto* source = reinterpret_cast<StreamSource*>(cookie);
  size_t count = std::min(source->left, static_cast<size_t>(wanted > 0 ? wanted : 0) / sizeof(wchar_t));
  if (count > 1 && count < source->left && source->next[count - 1] == L'\r' && source->next[count] == L'\n')
    --count;
  std::memcpy(buffer, source->next, count * sizeof(wchar_t));
  source->next += count;
  source->left -= count;
  *given = static_cast<LONG>(count * sizeof(wchar_t));
  return 0;
}

}  // namespace

CLBRichEdit::~CLBRichEdit() {
  Detach();
}

bool CLBRichEdit::LoadLibraryOnce() noexcept {
  // Kept until the process ends: fields may live as long as the program.
  static const win::UniqueModule library = suite::LoadSystemLibrary(L"riched20.dll");
  return static_cast<bool>(library);
}

bool CLBRichEdit::Create(HWND parent, int id, RECT place, HFONT font) {
  if (edit_ || !LoadLibraryOnce()) return false;
  HWND edit = ::CreateWindowExW(0, L"RichEdit20W", L"",
                                WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER | WS_VSCROLL | ES_MULTILINE |
                                    ES_AUTOVSCROLL | ES_WANTRETURN | ES_NOHIDESEL,
                                place.left, place.top, place.right, place.bottom, parent,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                ::GetModuleHandleW(nullptr), nullptr);
  if (!edit) return false;
  if (!::SetWindowSubclass(edit, &CLBRichEdit::Procedure, kRichEditSubclassId,
                           reinterpret_cast<DWORD_PTR>(this))) {
    ::DestroyWindow(edit);
    return false;
  }
  edit_ = edit;
  // The control's own limit (32,767 characters) would cut a long paste short without a word.
  ::SendMessageW(edit_, EM_EXLIMITTEXT, 0, INT_MAX);
  font_ = font;
  if (font) ::SendMessageW(edit_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  ::SendMessageW(edit_, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELONG(Margin(), Margin()));
  (void)frame_.Attach(edit_);
  accelerators_.reset(
      ::LoadAcceleratorsW(win::ResourceModule(), MAKEINTRESOURCEW(IDR_RICHEDIT_ACCELERATORS)));
  return true;
}

void CLBRichEdit::SetScale(win::Scale scale) noexcept {
  scale_ = scale;
  if (!edit_) return;
  ::SendMessageW(edit_, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELONG(Margin(), Margin()));
  ::InvalidateRect(edit_, nullptr, TRUE);
}

void CLBRichEdit::SetFont(HFONT font) noexcept {
  font_ = font;
  if (edit_ && font) ::SendMessageW(edit_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

void CLBRichEdit::Detach() noexcept {
  if (!edit_) return;
  ::RemoveWindowSubclass(edit_, &CLBRichEdit::Procedure, kRichEditSubclassId);
  frame_.Detach();
  edit_ = nullptr;
}

bool CLBRichEdit::TranslateAccelerator(MSG& message) const noexcept {
  if (!edit_ || !accelerators_ || message.hwnd != edit_) return false;
  if (message.message < WM_KEYFIRST || message.message > WM_KEYLAST) return false;
  return ::TranslateAcceleratorW(edit_, accelerators_.get(), &message) != 0;
}

std::wstring CLBRichEdit::Text() const {
  GETTEXTLENGTHEX measure{GTL_USECRLF | GTL_PRECISE | GTL_NUMCHARS, kUnicode};
  const LRESULT length = ::SendMessageW(edit_, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&measure), 0);
  if (length <= 0) return {};
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  GETTEXTEX how{};
  how.cb = static_cast<DWORD>(text.size() * sizeof(wchar_t));
  how.flags = GT_USECRLF;
  how.codepage = kUnicode;
  const LRESULT copied = ::SendMessageW(edit_, EM_GETTEXTEX, reinterpret_cast<WPARAM>(&how),
                                        reinterpret_cast<LPARAM>(text.data()));
  text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
  return text;
}

void CLBRichEdit::SetText(const std::wstring& text) const {
  StreamSource source{text.data(), text.size()};
  EDITSTREAM stream{};
  stream.dwCookie = reinterpret_cast<DWORD_PTR>(&source);
  stream.pfnCallback = &ReadStream;
  ::SendMessageW(edit_, EM_STREAMIN, SF_TEXT | SF_UNICODE, reinterpret_cast<LPARAM>(&stream));
}

void CLBRichEdit::PastePlainText() const noexcept {
  // Unicode text, not CF_TEXT: text outside the system's ANSI code page (Russian on a Western
  // system) must arrive as it was copied.
  ::SendMessageW(edit_, EM_PASTESPECIAL, CF_UNICODETEXT, 0);
}

CHARRANGE CLBRichEdit::Selection() const noexcept {
  CHARRANGE range{};
  ::SendMessageW(edit_, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
  return range;
}

LONG CLBRichEdit::Length() const noexcept {
  GETTEXTLENGTHEX measure{GTL_PRECISE | GTL_NUMCHARS, kUnicode};
  return static_cast<LONG>(::SendMessageW(edit_, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&measure), 0));
}

UniqueMenu CLBRichEdit::ContextMenu() const {
  const UniqueMenu resource(::LoadMenuW(win::ResourceModule(), L"RButtonMenu"));
  const HMENU popup = resource ? ::GetSubMenu(resource.get(), 0) : nullptr;
  if (!popup) return {};
  UniqueMenu menu(::CreatePopupMenu());
  if (!menu) return {};
  const CHARRANGE selection = Selection();
  const bool nothingSelected = selection.cpMin == selection.cpMax;
  const bool allSelected = selection.cpMin == 0 && selection.cpMax >= Length();
  for (const MenuItem& item : ItemsOf(popup)) {
    bool enabled = true;
    switch (item.id) {
      case IDM_EDIT_CUT:
      case IDM_EDIT_COPY:
      case IDM_EDIT_CLEAR: enabled = !nothingSelected; break;
      case IDM_EDIT_SELECT_ALL:
        enabled = !allSelected;
        ::AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
        break;
      default: break;
    }
    ::AppendMenuW(menu.get(), MF_STRING | (enabled ? MF_ENABLED : MF_GRAYED), item.id, item.text.c_str());
  }
  return menu;
}

void CLBRichEdit::RunCommand(UINT command) const noexcept {
  switch (command) {
    case IDM_EDIT_CUT: ::SendMessageW(edit_, WM_CUT, 0, 0); break;
    case IDM_EDIT_COPY: ::SendMessageW(edit_, WM_COPY, 0, 0); break;
    case IDM_EDIT_PASTE:
      // The control's own paste: the richest format the clipboard holds, formatting kept.
      ::SendMessageW(edit_, WM_PASTE, 0, 0);
      break;
    case IDM_EDIT_CLEAR: ::SendMessageW(edit_, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(L"")); break;
    case IDM_EDIT_SELECT_ALL: {
      CHARRANGE all{0, Length()};
      ::SendMessageW(edit_, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&all));
      break;
    }
    default: break;
  }
}

POINT CLBRichEdit::CaretPoint() const noexcept {
  POINTL at{};
  ::SendMessageW(edit_, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&at), Selection().cpMax);
  POINT point{at.x, at.y};
  RECT client{};
  ::GetClientRect(edit_, &client);
  // A caret scrolled out of sight: the menu opens at the field's corner instead.
  if (!::PtInRect(&client, point)) point = {client.left, client.top};
  ::ClientToScreen(edit_, &point);
  return point;
}

void CLBRichEdit::ShowContextMenu(LPARAM where) {
  POINT at{GET_X_LPARAM(where), GET_Y_LPARAM(where)};
  if (at.x == -1 && at.y == -1) at = CaretPoint();
  const UniqueMenu menu = ContextMenu();
  if (!menu) return;
  menuActive_ = true;
  ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
  const UINT command = static_cast<UINT>(::TrackPopupMenu(
      menu.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN, at.x, at.y, 0, edit_, nullptr));
  menuActive_ = false;
  if (command != 0) RunCommand(command);
}

LRESULT CALLBACK CLBRichEdit::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                        DWORD_PTR self) noexcept {
  auto* field = reinterpret_cast<CLBRichEdit*>(self);
  switch (message) {
    case WM_CONTEXTMENU: try { field->ShowContextMenu(lParam);
      } catch (...) {
        // Nothing to show: the menu could not be built.
        app::LogCaughtException(L"LBRichEdit", __LINE__, L"Showing the field's context menu");
      }
      return 0;
    case WM_SETCURSOR:
      if (field->menuActive_) {
        ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
        return TRUE;
      }
      break;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDM_PASTE_PLAIN:
        case IDM_PASTE_PLAIN_INSERT:
          ::SendMessageW(::GetParent(hwnd), WM_COMMAND, wParam, reinterpret_cast<LPARAM>(hwnd));
          return 0;
        case IDM_EDIT_CUT:
        case IDM_EDIT_COPY:
        case IDM_EDIT_PASTE: field->RunCommand(LOWORD(wParam)); return 0;
        default: break;
      }
      break;
    case WM_GETFONT:
      // The font the field was given, whatever the control makes of it.
      if (field->font_) return reinterpret_cast<LRESULT>(field->font_);
      break;
    case app::kApplyScaleMessage: field->SetScale(win::Scale(static_cast<int>(wParam))); return 0;
    case WM_NCDESTROY: field->Detach(); break;
    default: break;
  }
  return ::DefSubclassProc(hwnd, message, wParam, lParam);
}

}  // namespace ui::skin
