// The switch of the suite's Firefox extension (one record per Firefox installation).
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "switches/Switch.h"

class CMozillaSW final : public CSwitch {
 public:
  explicit CMozillaSW(std::wstring name) : CSwitch(std::move(name)) {}

  // The host is not detected yet, so the plug-in table keeps this switch as a missing host.
  [[nodiscard]] bool IsPackagePresent() override { return false; }
  int CollectPlugins() override { return 0; }
  int ApplyStates(switches::PluginList&, int) override { return 0; }

  [[nodiscard]] CPlugSt GetHostInfo() const override { return {L"Mozilla FireFox", switches::kFirefox}; }
  void GetKinds(std::vector<int>& kinds) const override { kinds.push_back(switches::kFirefox); }
};
