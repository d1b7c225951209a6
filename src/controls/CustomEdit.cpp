#include "controls/CustomEdit.h"

#include <commctrl.h>

#include "win/Dc.h"
#include "win/Handle.h"

namespace ui::skin {
namespace {

constexpr UINT_PTR kSubclassId = 0x5EDC;

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
  if (!::SetWindowSubclass(edit, &CCustomEdit::Procedure, kSubclassId, reinterpret_cast<DWORD_PTR>(this)))
    return false;
  edit_ = edit;
  ::SetWindowPos(edit, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  return true;
}

void CCustomEdit::Detach() noexcept {
  if (!edit_) return;
  ::RemoveWindowSubclass(edit_, &CCustomEdit::Procedure, kSubclassId);
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
    case WM_NCDESTROY: reinterpret_cast<CCustomEdit*>(self)->Detach(); break;
    default: break;
  }
  return ::DefSubclassProc(hwnd, message, wParam, lParam);
}

}  // namespace ui::skin
