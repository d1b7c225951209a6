// The switch of the suite's Windows Live Messenger integration. Its record only tells that the
// integration is there: it cannot be switched.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "switches/Switch.h"

class CMsnSW final : public CSwitch {
 public:
  explicit CMsnSW(std::wstring name) : CSwitch(std::move(name)) {}

  // The host is not detected yet, so the plug-in table keeps this switch as a missing host.
  [[nodiscard]] bool IsPackagePresent() override { return false; }
  int CollectPlugins() override { return 0; }
  int ApplyStates(switches::PluginList&, int) override { return 0; }

  [[nodiscard]] CPlugSt GetHostInfo() const override { return {L"Windows Live Messenger", switches::kLiveMessenger}; }
  void GetKinds(std::vector<int>& kinds) const override { kinds.push_back(switches::kLiveMessenger); }
};
