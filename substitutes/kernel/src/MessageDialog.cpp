#include "Dialogs.h"

#include <commctrl.h>
#include <shellapi.h>

#include "Dialog.h"
#include "vanto/KernelDialogs.h"

namespace vanto {
namespace {

LPCWSTR IconFor(LONG flags) noexcept {
  switch (flags & MB_ICONMASK) {
    case MB_ICONERROR: return IDI_ERROR;
    case MB_ICONQUESTION: return IDI_QUESTION;
    case MB_ICONWARNING: return IDI_WARNING;
    case MB_ICONINFORMATION: return IDI_INFORMATION;
    default: return nullptr;
  }
}

class TextDialog final : public ModalDialog {
 public:
  TextDialog(const std::wstring& caption, const std::wstring& text, LONG flags)
      : caption_(caption), text_(text), flags_(flags) {}

 private:
  void OnInit(HWND dialog) override {
    if (!caption_.empty()) ::SetWindowTextW(dialog, caption_.c_str());
    ::SetDlgItemTextW(dialog, IDC_VANTO_TEXT, text_.c_str());
    HWND icon = ::GetDlgItem(dialog, IDC_VANTO_ICON);
    if (LPCWSTR id = IconFor(flags_)) {
      // A shared system icon: the window never destroys it.
      ::SendMessageW(icon, STM_SETICON, reinterpret_cast<WPARAM>(::LoadIconW(nullptr, id)), 0);
    } else {
      ::ShowWindow(icon, SW_HIDE);
    }
  }

  INT_PTR OnMessage(HWND dialog, UINT message, WPARAM, LPARAM lParam) override {
    if (message != WM_NOTIFY) return FALSE;
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header->idFrom != IDC_VANTO_TEXT || (header->code != NM_CLICK && header->code != NM_RETURN))
      return FALSE;
    const auto* link = reinterpret_cast<const NMLINK*>(lParam);
    if (link->item.szUrl[0])
      ::ShellExecuteW(dialog, L"open", link->item.szUrl, nullptr, nullptr, SW_SHOWNORMAL);
    return TRUE;
  }

  const std::wstring& caption_;
  const std::wstring& text_;
  LONG flags_;
};

}  // namespace

bool ShowTextDialog(HWND owner, int templateId, const std::wstring& caption, const std::wstring& text,
                    LONG flags) {
  TextDialog dialog(caption, text, flags);
  return dialog.Run(owner, templateId) != -1;
}

}  // namespace vanto
