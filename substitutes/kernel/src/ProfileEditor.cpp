// The profile editor: a modal list of the current direction's profiles; OK makes the chosen one current.
#include <windows.h>
#include <oleauto.h>

#include "ComObject.h"
#include "Config.h"
#include "Dialog.h"
#include "DirectionTable.h"
#include "KernelState.h"
#include "Objects.h"
#include "core/Variant.h"
#include "vanto/KernelDialogs.h"

namespace vanto {
namespace {

class ProfileDialog final : public ModalDialog {
 public:
  ProfileDialog(std::wstring directionName, std::wstring current)
      : directionName_(std::move(directionName)), chosen_(std::move(current)) {}
  [[nodiscard]] const std::wstring& Chosen() const noexcept { return chosen_; }

 private:
  void OnInit(HWND dialog) override {
    ::SetDlgItemTextW(dialog, IDC_VANTO_DIRECTION, directionName_.c_str());
    HWND list = ::GetDlgItem(dialog, IDC_VANTO_PROFILE_LIST);
    for (std::wstring_view profile : ProfileNames()) {
      const std::wstring name(profile);
      const LRESULT at = ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
      if (name == chosen_) ::SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(at), 0);
    }
  }
  bool OnOk(HWND dialog) override {
    const LRESULT selected = ::SendDlgItemMessageW(dialog, IDC_VANTO_PROFILE_LIST, LB_GETCURSEL, 0, 0);
    if (selected >= 0 && static_cast<size_t>(selected) < ProfileNames().size())
      chosen_ = ProfileNames()[static_cast<size_t>(selected)];
    return true;
  }

  const std::wstring directionName_;
  std::wstring chosen_;
};

// The owner comes as any integer VARIANT (or as nothing).
HWND OwnerFrom(VARIANT& owner) noexcept {
  app::Variant number;
  if (!number.ChangeTypeFrom(owner, VT_I8)) return nullptr;
  return OwnerWindow(V_I8(&number.value()));
}

class ProfileEditor final : public ComObject<ProfileEditor, IVantoProfileEditor> {
 public:
  explicit ProfileEditor(StatePtr state) noexcept : state_(std::move(state)) {}
  static const QITAB* Table() noexcept {
    static const QITAB table[] = {InterfaceRow<ProfileEditor, IVantoProfileEditor>(), {}};
    return table;
  }

  HRESULT STDMETHODCALLTYPE ShowModal(VARIANT owner, VARIANT* inOutFlag, VARIANT, VARIANT) noexcept override {
    if (const HRESULT failure = ProfileEditorError(); failure != S_OK) return failure;
    return Guarded([&] {
      const int direction = state_->CurrentDirection();
      ProfileDialog dialog(std::wstring(Directions()[static_cast<size_t>(direction)].name),
                           state_->CurrentProfile(direction));
      const INT_PTR result = dialog.Run(OwnerFrom(owner), IDD_VANTO_PROFILES);
      if (result == -1) return E_FAIL;
      if (result == IDOK) (void)state_->SetCurrentProfile(direction, dialog.Chosen());
      if (inOutFlag) {
        ::VariantClear(inOutFlag);
        V_VT(inOutFlag) = VT_I4;
        V_I4(inOutFlag) = result == IDOK ? 1 : 0;
      }
      return S_OK;
    });
  }

 private:
  const StatePtr state_;
};

}  // namespace

HRESULT MakeProfileEditor(StatePtr state, IVantoProfileEditor** out) noexcept {
  return MakeObject<ProfileEditor>(out, std::move(state));
}

}  // namespace vanto
