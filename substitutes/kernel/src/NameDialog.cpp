#include "Dialogs.h"

#include "Dialog.h"
#include "vanto/KernelDialogs.h"

namespace vanto {
namespace {

class NameDialog final : public ModalDialog {
 public:
  NameDialog(const std::wstring& directionName, const std::function<bool(const std::wstring&)>& taken)
      : directionName_(directionName), taken_(taken) {}
  [[nodiscard]] const std::wstring& Name() const noexcept { return name_; }

 private:
  void OnInit(HWND dialog) override {
    ::SetDlgItemTextW(dialog, IDC_VANTO_DIRECTION, directionName_.c_str());
    ::SendDlgItemMessageW(dialog, IDC_VANTO_NAME, EM_LIMITTEXT, 120, 0);
  }
  bool OnOk(HWND dialog) override {
    std::wstring name = Trimmed(ItemText(dialog, IDC_VANTO_NAME));
    if (name.empty() || taken_(name)) {
      ::MessageBeep(MB_ICONWARNING);
      ::SetFocus(::GetDlgItem(dialog, IDC_VANTO_NAME));
      return false;
    }
    name_ = std::move(name);
    return true;
  }

  const std::wstring& directionName_;
  const std::function<bool(const std::wstring&)>& taken_;
  std::wstring name_;
};

}  // namespace

std::optional<std::wstring> AskName(HWND owner, int templateId, const std::wstring& directionName,
                                    const std::function<bool(const std::wstring&)>& taken) {
  NameDialog dialog(directionName, taken);
  if (dialog.Run(owner, templateId) != IDOK) return std::nullopt;
  return dialog.Name();
}

}  // namespace vanto
