// The start centre as the hand-off object sees it, played by a test: the launcher tests' context
// (message boxes answered and recorded, a kernel here or on a named server) with a product
// configuration whose keys carry values (the "_menu1" items), the "show all features" state and the
// Messenger activity address; its main window counts the plug-ins manager requests
// (app::kPluginsManagerMessage).
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "../launcher/LaunchTestContext.h"
#include "profile/CryptedProfile.h"
#include "tasks/HandOffContext.h"

namespace tasktest {

// Sections of {key, value} pairs.
using Sections = test::ValueSections;
using Entries = Sections::value_type::second_type;

[[nodiscard]] inline CXCryptedProfileW MakeConfiguration(const Sections& sections) {
  return test::MakeConfiguration(sections);
}
// {key, "1"} for each key: the application lists.
[[nodiscard]] Entries Keys(std::initializer_list<const wchar_t*> keys);

class HandOffTestContext final : public tasks::HandOffContext {
 public:
  explicit HandOffTestContext(const Sections& sections);
  HandOffTestContext(const HandOffTestContext&) = delete;
  HandOffTestContext& operator=(const HandOffTestContext&) = delete;

  void SetShowAllFeatures(bool on) noexcept { showAll_ = on; }
  void SetActivityAddress(std::wstring address) { activity_ = std::move(address); }
  void UseServer(std::wstring name) { launch_.UseServer(std::move(name)); }
  // Runs `action` whenever the hand-off reads the server's name (in network mode, after it has
  // opened the Running key and before it writes the record): another program at work meanwhile, or
  // a kernel error thrown as app::ComError.
  void WhenServerNameIsRead(std::function<void()> action) { onServerName_ = std::move(action); }

  [[nodiscard]] const std::vector<test::ShownBox>& Shown() const noexcept { return launch_.Shown(); }
  [[nodiscard]] int PluginManagerRequests() const noexcept { return launch_.PluginManagerRequests(); }

  const CXCryptedProfileW& ProductConfiguration() const override { return configuration_; }
  const std::wstring& ProductName() const override { return launch_.ProductName(); }
  bool KernelIsLocal() const override { return launch_.KernelIsLocal(); }
  std::wstring KernelServerName() const override;
  int ShowMessage(UINT id, std::wstring_view argument, UINT flags) override {
    return launch_.ShowMessage(id, argument, flags);
  }
  int ShowText(const std::wstring& text, UINT flags) override { return launch_.ShowText(text, flags); }
  HWND MainWindow() const override { return launch_.MainWindow(); }
  bool ShowAllFeatures() const override { return showAll_; }
  std::wstring ActivityAddress() const override { return activity_; }

 private:
  test::LaunchTestContext launch_;
  CXCryptedProfileW configuration_;
  bool showAll_ = false;
  std::function<void()> onServerName_;
  std::wstring activity_;
};

}  // namespace tasktest
