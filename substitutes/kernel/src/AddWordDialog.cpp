#include "Dialogs.h"

#include "Dialog.h"
#include "KernelResources.h"
#include "vanto/KernelDialogs.h"

namespace vanto {
namespace {

constexpr int kKinds = 6;

class AddWordDialog final : public ModalDialog {
 public:
  AddWordDialog(bool entryView, const std::wstring& word, const std::wstring& dictionaryName, int kind)
      : entryView_(entryView), word_(word), dictionaryName_(dictionaryName), kind_(kind) {}
  [[nodiscard]] const WordEntry& Entry() const noexcept { return entry_; }
  [[nodiscard]] int Kind() const noexcept { return kind_; }

 private:
  void OnInit(HWND dialog) override {
    ::SetDlgItemTextW(dialog, IDC_VANTO_WORD, word_.c_str());
    ::SetDlgItemTextW(dialog, IDC_VANTO_TRANSLATION, word_.c_str());
    ::SetDlgItemTextW(dialog, IDC_VANTO_DICTIONARY, dictionaryName_.c_str());
    ::SendDlgItemMessageW(dialog, IDC_VANTO_WORD, EM_SETREADONLY, entryView_ ? FALSE : TRUE, 0);
    HWND kinds = ::GetDlgItem(dialog, IDC_VANTO_ENTRY_KIND);
    for (int i = 0; i < kKinds; ++i)
      ::SendMessageW(kinds, CB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(LoadText(IDS_ENTRY_KIND_FIRST + i).c_str()));
    if (kind_ < 0 || kind_ >= kKinds) kind_ = 1;  // an entry this dialog does not know: a noun
    ::SendMessageW(kinds, CB_SETCURSEL, static_cast<WPARAM>(kind_), 0);
    HWND translation = ::GetDlgItem(dialog, IDC_VANTO_TRANSLATION);
    ::SendMessageW(translation, EM_SETSEL, 0, -1);
    ::PostMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(translation), TRUE);
  }

  INT_PTR OnMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM) override {
    if (message == WM_COMMAND && LOWORD(wParam) == IDC_VANTO_ENTRY_KIND && HIWORD(wParam) == CBN_SELCHANGE) {
      const LRESULT selected = ::SendDlgItemMessageW(dialog, IDC_VANTO_ENTRY_KIND, CB_GETCURSEL, 0, 0);
      if (selected >= 0) kind_ = static_cast<int>(selected);
      return TRUE;
    }
    return FALSE;
  }

  bool OnOk(HWND dialog) override {
    WordEntry entry{Trimmed(ItemText(dialog, IDC_VANTO_WORD)),
                    Trimmed(ItemText(dialog, IDC_VANTO_TRANSLATION)), 0};
    const LRESULT selected = ::SendDlgItemMessageW(dialog, IDC_VANTO_ENTRY_KIND, CB_GETCURSEL, 0, 0);
    if (selected >= 0) kind_ = static_cast<int>(selected);
    if (entry.source.empty() || entry.target.empty()) {
      ::MessageBeep(MB_ICONWARNING);
      return false;
    }
    entry.kind = kind_;
    entry_ = std::move(entry);
    return true;
  }

  bool entryView_;
  const std::wstring& word_;
  const std::wstring& dictionaryName_;
  int kind_;
  WordEntry entry_;
};

}  // namespace

std::optional<WordEntry> AskWord(HWND owner, bool entryView, const std::wstring& word,
                                 const std::wstring& dictionaryName, int* kind) {
  AddWordDialog dialog(entryView, word, dictionaryName, *kind);
  const INT_PTR result = dialog.Run(owner, IDD_VANTO_ADDWORD);
  if (result == -1) return std::nullopt;
  *kind = dialog.Kind();
  if (result != IDOK) return std::nullopt;
  return dialog.Entry();
}

}  // namespace vanto
