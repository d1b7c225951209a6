// The switch of the suite's plug-in for Adobe Acrobat and Adobe Reader.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "switches/Switch.h"

class CAcrobatSW final : public CSwitch {
 public:
  explicit CAcrobatSW(std::wstring name) : CSwitch(std::move(name)) {}

  // The host is not detected yet, so the plug-in table keeps this switch as a missing host.
  [[nodiscard]] bool IsPackagePresent() override { return false; }
  int CollectPlugins() override { return 0; }
  int ApplyStates(switches::PluginList&, int) override { return 0; }

  [[nodiscard]] CPlugSt GetHostInfo() const override { return {L"Acrobat", switches::kAcrobat}; }
  void GetKinds(std::vector<int>& kinds) const override { kinds.push_back(switches::kAcrobat); }
};
