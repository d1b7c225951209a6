// What a plug-in switch throws when it cannot switch an add-in: a ready-made message box for the user.
// Thrown by value, caught by reference; the catcher decides whether to show it.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

class CExceptSW {
 public:
  enum Reason : int {
    kGeneralFailure = 1,
    kNoAdministratorRights = 2,
    kOtherFailure = 4,  // shows the same text as kGeneralFailure
  };

  // The display name is not part of the message, and the last number is not used at all.
  CExceptSW(std::wstring_view displayName, std::wstring_view productName, int reason, int ignored);
  CExceptSW(const CExceptSW&) = default;
  CExceptSW& operator=(const CExceptSW&) = default;
  CExceptSW(CExceptSW&&) noexcept = default;
  CExceptSW& operator=(CExceptSW&&) noexcept = default;
  virtual ~CExceptSW() = default;

  [[nodiscard]] const std::wstring& Message() const noexcept { return message_; }
  [[nodiscard]] const std::wstring& Caption() const noexcept { return caption_; }
  [[nodiscard]] UINT BoxType() const noexcept { return boxType_; }

  // MessageBoxW(owner, message, caption, box type).
  void Show(HWND owner) const noexcept;

 private:
  std::wstring message_;
  std::wstring caption_;
  UINT boxType_ = MB_ICONERROR;
};
