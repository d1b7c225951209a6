// The switch of the suite's add-ins in Microsoft Word, Outlook, Excel, PowerPoint and FrontPage.
// One instance serves one Office edition: 1 = Office 2000/XP/2003, 2 = Office 2007/2010. Each
// edition knows a full and a Lite COM add-in, registered per user under Office's Addins key, and
// for Word the ED template, which the suite's template installer (a COM server) puts in place.
#pragma once

#include <windows.h>
#include <wrl/client.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "switches/Switch.h"

struct IVantoEdSetup;

class CMSOfficeSW final : public CSwitch {
 public:
  // The application indexes of the Office hosts.
  enum Application : int { kWord = 0, kOutlook = 1, kExcel = 2, kPowerPoint = 3, kFrontPage = 4 };
  static constexpr int kApplicationCount = 5;

  // The ED template installer of one set of switches: created on the first ED query of either
  // edition and kept while a switch holding it lives, so it is released on the thread that built
  // and uses the switches, before that thread leaves COM.
  class SharedInstaller {
   public:
    SharedInstaller();
    SharedInstaller(const SharedInstaller&) = delete;
    SharedInstaller& operator=(const SharedInstaller&) = delete;
    ~SharedInstaller();

    // Throws app::ComError when the object cannot be created; a later call tries again.
    [[nodiscard]] Microsoft::WRL::ComPtr<IVantoEdSetup> Get();

   private:
    Microsoft::WRL::ComPtr<IVantoEdSetup> installer_;
  };

  // Without `installer`, the switch has one of its own.
  CMSOfficeSW(int edition, std::wstring name, std::wstring liteName, std::wstring edName,
              std::shared_ptr<SharedInstaller> installer = nullptr);
  ~CMSOfficeSW() override;

  [[nodiscard]] bool IsPackagePresent() override;
  int CollectPlugins() override;
  int ApplyStates(switches::PluginList& records, int quiet) override;
  [[nodiscard]] CPlugSt GetHostInfo() const override;

  // Detection steps, for the switch itself and its tests. `app` is an application index, `kind`
  // one of this switch's add-in kinds.
  [[nodiscard]] bool HostInstalled(int app) const;
  [[nodiscard]] bool AllowedForApp(int app, int kind) const;
  [[nodiscard]] bool PackageInstalled(int app, int kind);
  [[nodiscard]] bool IsRegistered(int app, int kind);
  // "Software\Microsoft\Office\<application>\Addins\<ProgID>" (under HKEY_CURRENT_USER).
  [[nodiscard]] std::wstring AddinKeyPath(int app, int kind) const;

  [[nodiscard]] int Edition() const noexcept { return edition_; }
  // The kinds IsPackagePresent found, as bits.
  [[nodiscard]] int PackagesFound() const noexcept { return packages_; }

 private:
  // What one detection step reads: each Folders value and each add-in folder's tree once.
  class Lookup;

  [[nodiscard]] bool PackageInstalled(int app, int kind, Lookup& lookup);
  [[nodiscard]] bool AllowedForApp(int app, int kind, Lookup& lookup) const;
  // The installer reference of the ED kind's edition, taken from the shared installer on first
  // use; a failed creation throws app::ComError.
  Microsoft::WRL::ComPtr<IVantoEdSetup>& Installer(int kind);
  [[nodiscard]] bool EdPackageInstalled(int kind, Lookup& lookup);
  void AppendRecordIfPresent(int app, int kind, const std::wstring& productName, Lookup& lookup);
  void Enable(const switches::PluginRecord& record);
  void Disable(const switches::PluginRecord& record);
  void RegisterAddin(const switches::PluginRecord& record);
  // Has the ED installer put the template in place (`on`) or take it away.
  void SwitchTemplate(const switches::PluginRecord& record, bool on);
  [[nodiscard]] std::wstring FriendlyName(int app, int kind) const;

  int edition_;
  std::wstring liteName_;
  std::wstring edName_;
  int packages_ = 0;
  std::shared_ptr<SharedInstaller> shared_;
  // One reference per edition, as each edition's ED kind uses its own; empty until first needed.
  Microsoft::WRL::ComPtr<IVantoEdSetup> installer2003_;
  Microsoft::WRL::ComPtr<IVantoEdSetup> installer2007_;
};
