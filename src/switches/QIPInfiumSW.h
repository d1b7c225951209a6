// The switch of the suite's QIP Infium plug-in: the plug-in DLL and its language library are copied
// into the messenger's Plugins folder, and the choice is kept in the per-user Messengers key. The
// files and the choice change together or not at all.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "switches/Switch.h"

namespace switches {
class FileTransaction;
}

class CQIPInfiumSW final : public CSwitch {
 public:
  explicit CQIPInfiumSW(std::wstring name) : CSwitch(std::move(name), suite::SwitchFamily::kQipInfium) {}

  [[nodiscard]] bool IsPackagePresent() override;
  int CollectPlugins() override;
  int ApplyStates(switches::PluginList& records, int quiet) override;

  [[nodiscard]] CPlugSt GetHostInfo() const override { return {L"QIP Infium", switches::kQipInfium}; }

  // The messenger's install location of the last installation detected.
  [[nodiscard]] const std::wstring& InstallLocation() const noexcept { return installLocation_; }

  static constexpr wchar_t kFolderValue[] = L"VantoQIP";
  static constexpr wchar_t kPluginFile[] = L"VantoQIP.dll";
  static constexpr wchar_t kLibraryBase[] = L"VantoQIP";  // of the plug-in's language libraries
  static constexpr wchar_t kMessengerImage[] = L"infium.exe";

 private:
  // Stage copying the plug-in and its language library into `target`, or deleting them again
  // (unless the messenger runs), in `change`; a file that cannot be staged throws.
  void StageInstall(switches::FileTransaction& change, const switches::PluginRecord& record,
                    const std::wstring& target, const std::wstring& plugin,
                    const std::wstring& library) const;
  static void StageUninstall(switches::FileTransaction& change, const switches::PluginRecord& record,
                             const std::wstring& target, const std::wstring& plugin,
                             const std::wstring& library);

  std::wstring pluginFile_;
  bool pluginPresent_ = false;
  std::wstring installLocation_;
};
