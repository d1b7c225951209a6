#include "controls/CustomEdit.h"

#include <commctrl.h>

#include "controls/AccessibleLabel.h"
#include "win/Dc.h"
#include "win/Handle.h"

namespace ui::skin {
namespace {

constexpr UINT_PTR kEditSubclassId = 0x5EDC;

void DrawFrame(HWND edit) noexcept {
  const win::WindowDc dc(edit, win::WindowDc::Area::kWholeWindow);
  if (!dc) return;
  RECT rc{};
  ::GetWindowRect(edit, &rc);
  ::OffsetRect(&rc, -rc.left, -rc.top);
  win::UniqueBrush brush(::CreateSolidBrush(CCustomEdit::kBorderColor));
  ::FrameRect(dc.get(), &rc, brush.get());
}

}  // namespace

CCustomEdit::~CCustomEdit() {
  Detach();
}

bool CCustomEdit::Attach(HWND edit) noexcept {
  if (edit_ || !::IsWindow(edit)) return false;
  if (!::SetWindowSubclass(edit, &CCustomEdit::Procedure, kEditSubclassId, reinterpret_cast<DWORD_PTR>(this)))
    return false;
  edit_ = edit;
  ::SetWindowPos(edit, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  return true;
}

void CCustomEdit::Detach() noexcept {
  if (!edit_) return;
  accessible_.Disconnect();
  ::RemoveWindowSubclass(edit_, &CCustomEdit::Procedure, kEditSubclassId);
  edit_ = nullptr;
}

LRESULT CALLBACK CCustomEdit::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                        DWORD_PTR self) noexcept {
  switch (message) {
    case WM_NCPAINT: {
      const LRESULT result = ::DefSubclassProc(hwnd, message, wParam, lParam);
      DrawFrame(hwnd);
      return result;
    }
    case WM_GETOBJECT: {
      LRESULT object = 0;
      auto* field = reinterpret_cast<CCustomEdit*>(self);
      if (field->accessible_.Answer(hwnd, field, wParam, lParam, object)) return object;
      break;
    }
    case WM_NCDESTROY: reinterpret_cast<CCustomEdit*>(self)->Detach(); break;
    default: break;
  }
  return ::DefSubclassProc(hwnd, message, wParam, lParam);
}

void CCustomEdit::SetAccessibleName(std::wstring name) {
  name_ = std::move(name);
  named_ = true;
  win::RaiseAccessEvent(EVENT_OBJECT_NAMECHANGE, edit_);
}

std::wstring CCustomEdit::AccName(long) const {
  return named_ ? name_ : win::WithoutAccessKey(LabelBefore(edit_));
}

std::wstring CCustomEdit::AccValue(long) const {
  if (!edit_ || (::GetWindowLongPtrW(edit_, GWL_STYLE) & ES_PASSWORD)) return {};
  return win::WindowTextOf(edit_);
}

bool CCustomEdit::AccSetValue(long child, const std::wstring& value) {
  if (child != CHILDID_SELF || !edit_ || (::GetWindowLongPtrW(edit_, GWL_STYLE) & ES_READONLY)) return false;
  // As typing would: the field tells its parent (EN_CHANGE) and a screen reader hears of it.
  if (!::SetWindowTextW(edit_, value.c_str())) return false;
  win::RaiseAccessEvent(EVENT_OBJECT_VALUECHANGE, edit_);
  return true;
}

long CCustomEdit::AccRole(long) const {
  return ROLE_SYSTEM_TEXT;
}

long CCustomEdit::AccState(long) const {
  const LONG_PTR style = edit_ ? ::GetWindowLongPtrW(edit_, GWL_STYLE) : 0;
  return ((style & ES_READONLY) ? STATE_SYSTEM_READONLY : 0) |
         ((style & ES_PASSWORD) ? STATE_SYSTEM_PROTECTED : 0);
}

std::wstring CCustomEdit::AccKeyboardShortcut(long) const {
  return named_ ? std::wstring() : AccessKeyShortcut(LabelBefore(edit_));
}

}  // namespace ui::skin
