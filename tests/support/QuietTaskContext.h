// The start centre's side of the task panels, for tests that make panels and lay them out: the
// graphics are the test's; nothing else may be asked of it, and a message either way is a failure.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <string_view>

#include "core/KernelConnection.h"
#include "core/SettingsStore.h"
#include "core/SharedGraphics.h"
#include "profile/CryptedProfile.h"
#include "tasks/DictAndTMMUtils.h"
#include "tasks/TaskContext.h"

namespace test {

class QuietTaskContext final : public tasks::TaskContext {
 public:
  QuietTaskContext(HWND window, const app::SharedGraphics& graphics) : window_(window), graphics_(graphics) {}
  const CXCryptedProfileW& ProductConfiguration() const override { return configuration_; }
  const std::wstring& ProductName() const override { return name_; }
  bool KernelIsLocal() const override { return true; }
  std::wstring KernelServerName() const override { return {}; }
  int ShowMessage(UINT id, std::wstring_view, UINT) override {
    ADD_FAILURE() << "message " << id;
    return IDCANCEL;
  }
  int ShowText(const std::wstring& text, UINT) override {
    ADD_FAILURE() << ::testing::PrintToString(text);
    return IDCANCEL;
  }
  HWND MainWindow() const override { return window_; }
  bool ShowAllFeatures() const override { return false; }
  std::wstring ActivityAddress() const override { return {}; }
  app::KernelConnection& Kernel() override { return kernel_; }
  app::SettingsStore& Settings() override { return settings_; }
  const app::SharedGraphics& Graphics() const override { return graphics_; }
  CTranslateMenuUtils* MenuUtils() override { return nullptr; }
  tasks::CDictAndTMMUtils& DictAndTm() override { return dictAndTm_; }
  int EntryView() const override { return 0; }

 private:
  HWND window_;
  const app::SharedGraphics& graphics_;
  CXCryptedProfileW configuration_;
  std::wstring name_;
  app::KernelConnection kernel_;
  app::SettingsStore settings_;
  tasks::CDictAndTMMUtils dictAndTm_{*this};
};

}  // namespace test
