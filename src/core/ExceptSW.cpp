#include "core/ExceptSW.h"

#include "StringIds.h"
#include "win/MessageBox.h"
#include "win/Resources.h"
#include "core/CaughtFailure.h"

CExceptSW::CExceptSW([[maybe_unused]] std::wstring_view displayName, std::wstring_view productName,
                     int reason, [[maybe_unused]] int ignored)
    : caption_(win::LoadString(IDS_SW_CAPTION)) {
  // String 133 ends in CR LF and an opening quote, so the product name stands on a line of its own.
  message_ = win::LoadString(IDS_SW_EMBED_FAILED);
  message_ += productName;
  message_ += win::LoadString(IDS_SW_QUOTE);
  message_ += L"\r\n";
  switch (reason) {
    case kGeneralFailure:
    case kOtherFailure: message_ += win::LoadString(IDS_SW_CONTACT_SUPPORT); break;
    case kNoAdministratorRights: message_ += win::LoadString(IDS_SW_NO_ADMIN); break;
    default: break;
  }
}

void CExceptSW::Show(HWND owner) const noexcept {
  try {
    win::ShowMessageBox(owner, message_, caption_, boxType_);
  } catch (...) {
    // A message box that cannot be shown must not take the switch down with it.
    app::LogCaughtException(L"ExceptSW", __LINE__, L"Showing the switch's message");
  }
}
