// The switch of the suite's QIP Infium plug-in: the plug-in DLL and its language library are copied
// into the messenger's Plugins folder, and the choice is kept in the per-user Messengers key.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "switches/Switch.h"

class CQIPInfiumSW final : public CSwitch {
 public:
  explicit CQIPInfiumSW(std::wstring name) : CSwitch(std::move(name)) {}

  [[nodiscard]] bool IsPackagePresent() override;
  int CollectPlugins() override;
  int ApplyStates(switches::PluginList& records, int quiet) override;

  [[nodiscard]] CPlugSt GetHostInfo() const override { return {L"QIP Infium", switches::kQipInfium}; }
  void GetKinds(std::vector<int>& kinds) const override { kinds.push_back(switches::kQipInfium); }

  // The messenger's install location of the last installation detected.
  [[nodiscard]] const std::wstring& InstallLocation() const noexcept { return installLocation_; }

  static constexpr wchar_t kFolderValue[] = L"VantoQIP";
  static constexpr wchar_t kPluginFile[] = L"VantoQIP.dll";
  static constexpr wchar_t kLibraryBase[] = L"VantoQIP";  // of the plug-in's language libraries
  static constexpr wchar_t kMessengerImage[] = L"infium.exe";

 private:
  // Copies the plug-in and its language library into `target`; true when all three are there.
  bool Install(const switches::PluginRecord& record, const std::wstring& target, const std::wstring& plugin,
               const std::wstring& library) const;
  // Deletes them again, unless the messenger runs.
  static void Uninstall(const switches::PluginRecord& record, const std::wstring& target, const std::wstring& plugin,
                        const std::wstring& library);

  std::wstring pluginFile_;
  bool pluginPresent_ = false;
  std::wstring installLocation_;
};
