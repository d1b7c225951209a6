// The switch of the suite's Skype integration. The suite's Skype companion program reads the
// choice from the per-user Messengers key; switching only writes it there.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "switches/Switch.h"

class CSkypeSW final : public CSwitch {
 public:
  explicit CSkypeSW(std::wstring name) : CSwitch(std::move(name), suite::SwitchFamily::kSkype) {}

  [[nodiscard]] bool IsPackagePresent() override;
  int CollectPlugins() override;
  int ApplyStates(switches::PluginList& records, int quiet) override;

  [[nodiscard]] CPlugSt GetHostInfo() const override { return {L"Skype", switches::kSkype}; }

  static constexpr wchar_t kFolderValue[] = L"VantoSkype";
  static constexpr wchar_t kCompanionFile[] = L"VantoSkype.exe";

 private:
  std::wstring companionFile_;
  bool companionPresent_ = false;
};
