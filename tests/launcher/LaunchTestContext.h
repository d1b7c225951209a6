// The start centre as the launcher sees it, played by a test: a product configuration built in
// memory, a kernel that runs here or on a named server, message boxes answered from a script and
// recorded, and a real hidden main window that counts what the start centre's main window is asked
// to do: close (WM_CLOSE, after an exclusive start) and start the plug-ins manager
// (app::kPluginsManagerMessage, after a failed switching-on).
#pragma once

#include <windows.h>

#include <deque>
#include <string>
#include <utility>
#include <vector>

#include "profile/CryptedProfile.h"
#include "suite/LaunchContext.h"

namespace test {

// Sections of key names, each key with a value of its own (only the keys matter to the launcher).
using Sections = std::vector<std::pair<std::wstring, std::vector<std::wstring>>>;

// Sections of {key, value} pairs.
using ValueSections =
    std::vector<std::pair<std::wstring, std::vector<std::pair<std::wstring, std::wstring>>>>;

// The product's .inf, written with the profile writer and read back.
[[nodiscard]] CXCryptedProfileW MakeConfiguration(const ValueSections& sections);
// The same with every key's value "1".
[[nodiscard]] CXCryptedProfileW MakeConfiguration(const Sections& sections);

// The English string table of the language library, for every test of this program.
void UseEnglishStrings();

struct ShownBox {
  bool viaShowMessage = false;  // ShowMessage(id, argument), else ShowText(text)
  UINT id = 0;
  std::wstring argument;
  std::wstring text;  // as the person reads it
  UINT flags = 0;
};

class LaunchTestContext final : public suite::LaunchContext {
 public:
  explicit LaunchTestContext(const Sections& sections);
  ~LaunchTestContext() override;
  LaunchTestContext(const LaunchTestContext&) = delete;
  LaunchTestContext& operator=(const LaunchTestContext&) = delete;

  void UseServer(std::wstring name) { server_ = std::move(name); }
  // Replaces the product's configuration with one whose keys carry the given values.
  void UseConfiguration(const ValueSections& sections) { configuration_ = MakeConfiguration(sections); }
  // The buttons the person presses, in order. A box nobody answers fails the test and gets IDNO.
  void Answer(std::initializer_list<int> buttons) { answers_.insert(answers_.end(), buttons); }

  [[nodiscard]] const std::vector<ShownBox>& Shown() const noexcept { return shown_; }
  [[nodiscard]] size_t UnusedAnswers() const noexcept { return answers_.size(); }
  [[nodiscard]] int CloseRequests() const noexcept { return closeRequests_; }
  [[nodiscard]] int PluginManagerRequests() const noexcept { return pluginRequests_; }

  const CXCryptedProfileW& ProductConfiguration() const override { return configuration_; }
  const std::wstring& ProductName() const override { return productName_; }
  bool KernelIsLocal() const override { return server_.empty(); }
  std::wstring KernelServerName() const override { return server_; }
  int ShowMessage(UINT id, std::wstring_view argument, UINT flags) override;
  int ShowText(const std::wstring& text, UINT flags) override;
  HWND MainWindow() const override { return window_; }

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  int NextAnswer(const std::wstring& text);

  CXCryptedProfileW configuration_;
  std::wstring productName_ = L"VANTO Translator Home";
  std::wstring server_;
  std::deque<int> answers_;
  std::vector<ShownBox> shown_;
  HWND window_ = nullptr;
  int closeRequests_ = 0;
  int pluginRequests_ = 0;
};

}  // namespace test
