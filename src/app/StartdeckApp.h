// The application object: owns everything that lives for the whole run and carries the start-up and
// shutdown sequences. One instance, created by the entry point.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "core/KernelConnection.h"
#include "core/SettingsStore.h"
#include "core/SharedGraphics.h"
#include "core/SingleInstance.h"
#include "core/SkinPrefetch.h"
#include "profile/CryptedProfile.h"
#include "tasks/DictAndTMMUtils.h"
#include "window/MainWindowContext.h"
#include "win/ComScope.h"
#include "win/Handle.h"

class CTranslateMenuUtils;

class CStartdeckApp final : public ui::MainWindowContext {
 public:
  CStartdeckApp();
  ~CStartdeckApp() override;
  CStartdeckApp(const CStartdeckApp&) = delete;
  CStartdeckApp& operator=(const CStartdeckApp&) = delete;

  // Start-up: prepares everything and runs the main window modally. Always false: no message loop
  // runs after the main window has closed.
  bool InitInstance();
  // Shutdown, each step even if an earlier one failed. Returns the process exit code.
  int ExitInstance() noexcept;

  // Shows string `id` with `argument` (in double quotes) in place of its %s; returns the button.
  // The other-products message carries a link and goes to the kernel's message component.
  int ShowMessage(UINT id, std::wstring_view argument = {}, UINT flags = MB_OK) override;
  int ShowText(const std::wstring& text, UINT flags) override;

  [[nodiscard]] const std::wstring& AppName() const noexcept { return appName_; }
  [[nodiscard]] const std::wstring& ProductName() const noexcept override { return productName_; }
  [[nodiscard]] const std::wstring& ClientName() const noexcept override { return clientName_; }
  [[nodiscard]] int EntryView() const noexcept override { return entryView_; }
  [[nodiscard]] const std::wstring& HelpPath() const noexcept override { return helpPath_; }
  [[nodiscard]] const std::wstring& ResourceLibraryPath() const noexcept { return resourceLibrary_; }
  [[nodiscard]] const CXCryptedProfileW& Profile() const noexcept { return profile_; }
  [[nodiscard]] const CXCryptedProfileW& ProductConfiguration() const noexcept override { return profile_; }
  [[nodiscard]] bool KernelIsLocal() const noexcept override { return kernel_.IsLocal(); }
  [[nodiscard]] std::wstring KernelServerName() const override { return kernel_.ServerName(); }
  [[nodiscard]] app::KernelConnection& Kernel() noexcept override { return kernel_; }
  // The settings are loaded once the web service has answered, after the window shows: whoever asks
  // for them before has the main window load them first (it waits for the answer if need be).
  [[nodiscard]] app::SettingsStore& Settings() override {
    LoadPendingSettings();
    return settings_;
  }
  void SetSettingsLoader(std::function<void()> loader) override { settingsLoader_ = std::move(loader); }
  [[nodiscard]] const app::SharedGraphics& Graphics() const noexcept override { return graphics_; }
  [[nodiscard]] app::SharedGraphics& RescalableGraphics() noexcept override { return graphics_; }
  void WindowPainted() override;
  [[nodiscard]] HWND MainWindow() const noexcept override { return mainWindow_; }
  void SetMainWindow(HWND window) noexcept override;

  // The hand-off object, from before the window to shutdown. Its plug-in table is loaded after the
  // window's first paint, or by whoever needs it first.
  [[nodiscard]] CTranslateMenuUtils* MenuUtils() override;
  [[nodiscard]] tasks::CDictAndTMMUtils& DictAndTm() noexcept override { return dictAndTm_; }

  // The main window's "show all features" box, which the hand-off's lists follow.
  [[nodiscard]] bool ShowAllFeatures() const noexcept override { return showAllFeatures_; }
  void SetShowAllFeatures(bool showAll) noexcept override { showAllFeatures_ = showAll; }
  [[nodiscard]] std::wstring ActivityAddress() const override {
    LoadPendingSettings();
    return settings_.ActivityUrl();
  }

  // Written by the update exchange's threads and its event sink, read by the main window.
  [[nodiscard]] bool UpdatesInstalling() const noexcept override { return service_->Installing(); }
  [[nodiscard]] std::shared_ptr<updates::ServiceInfo> Service() const override { return service_; }

 private:
  bool Start();
  bool LoadResourceFile();
  // Runs the settings loader once; a caller reached from inside it finds it gone.
  void LoadPendingSettings() const {
    if (settingsLoader_) std::exchange(settingsLoader_, nullptr)();
  }

  std::wstring appName_ = L"VANTO Main Application";
  std::wstring clientName_;
  std::wstring productName_;
  int entryView_ = 0;
  std::wstring programFolder_;
  std::wstring programTitle_;
  std::wstring helpPath_;
  std::wstring resourceLibrary_;
  CXCryptedProfileW profile_;
  app::SingleInstance instance_;
  std::optional<win::OleScope> ole_;
  // The imaging factory and decoder maker of every picture this thread decodes, while it has OLE.
  std::optional<app::SkinImageFactoryScope> skinDecodes_;
  // The pictures of the window's first paint, decoded on a thread of their own meanwhile.
  std::optional<app::SkinPrefetch> firstPaintPictures_;
  win::UniqueModule richEdit_;
  app::KernelConnection kernel_;
  app::SettingsStore settings_;
  app::SharedGraphics graphics_;
  std::unique_ptr<CTranslateMenuUtils> menuUtils_;
  bool pluginsLoaded_ = false;
  mutable std::function<void()> settingsLoader_;
  tasks::CDictAndTMMUtils dictAndTm_{*this};
  bool showAllFeatures_ = false;
  HWND mainWindow_ = nullptr;
  // Outlives the main window: a thread still talking to the component may write to it.
  std::shared_ptr<updates::ServiceInfo> service_ = std::make_shared<updates::ServiceInfo>();
};
