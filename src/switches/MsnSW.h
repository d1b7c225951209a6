// The switch of the suite's Windows Live Messenger integration. Its record only tells that the
// integration is there: it cannot be switched.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "switches/Switch.h"

class CMsnSW final : public CSwitch {
 public:
  explicit CMsnSW(std::wstring name) : CSwitch(std::move(name), suite::SwitchFamily::kLiveMessenger) {}

  [[nodiscard]] bool IsPackagePresent() override;
  int CollectPlugins() override;
  // Nothing to switch.
  int ApplyStates(switches::PluginList&, int) override { return 0; }

  [[nodiscard]] CPlugSt GetHostInfo() const override {
    return {L"Windows Live Messenger", switches::kLiveMessenger};
  }

  static constexpr wchar_t kFolderValue[] = L"VantoMSN";
  static constexpr wchar_t kHelpFile[] = L"VantoMSN.chm";

 private:
  std::wstring helpFile_;
  bool helpPresent_ = false;
};
