// What starting a suite application needs to know of the running start centre: the product's
// configuration, where the translation kernel runs, and how to talk to the user.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

class CXCryptedProfileW;

namespace suite {

class LaunchContext {
 public:
  virtual ~LaunchContext() = default;

  // The product's .inf: the "apps", "allapps" and "_menu6" sections.
  [[nodiscard]] virtual const CXCryptedProfileW& ProductConfiguration() const = 0;
  [[nodiscard]] virtual const std::wstring& ProductName() const = 0;
  // Whether the translation kernel runs on this machine; otherwise the server's name.
  [[nodiscard]] virtual bool KernelIsLocal() const = 0;
  [[nodiscard]] virtual std::wstring KernelServerName() const = 0;

  // String `id` with `argument` in quotes for its %s (the other-products message in its rich form).
  virtual int ShowMessage(UINT id, std::wstring_view argument, UINT flags) = 0;
  // A ready-made text, captioned like every message of the program.
  virtual int ShowText(const std::wstring& text, UINT flags) = 0;
  // The window that a started exclusive application asks to close; may be null.
  [[nodiscard]] virtual HWND MainWindow() const = 0;
};

}  // namespace suite
