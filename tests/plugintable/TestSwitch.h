// A switch whose host, add-in files and records the test decides, and which can be told to fail
// when it applies a state. It goes through the same failure rule as the suite's switches.
#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "switches/PluginTable.h"
#include "switches/Switch.h"
#include "win/MessageBox.h"

namespace test {

struct SwitchScript {
  std::wstring hostName = L"Test Host";
  // The first kind's row of the host table gives the family the switch serves (the switch then
  // serves all of the family's kinds) and the number GetHostInfo gives.
  std::vector<int> kinds;
  switches::PluginList found;  // what detection finds; empty = host not installed
  bool packagePresent = true;
  bool failApply = false;   // throw the switch's exception for every record
  bool throwOther = false;  // raise an error that is not the switch's exception
  int failureReason = 1;
};

// What a test observes of one switch, even after the table destroyed it.
struct SwitchLog {
  int collected = 0;
  int applied = 0;
  bool destroyed = false;
};

class TestSwitch final : public CSwitch {
 public:
  TestSwitch(std::wstring name, SwitchScript script, std::shared_ptr<SwitchLog> log);
  ~TestSwitch() override;

  [[nodiscard]] bool IsPackagePresent() override { return script_.packagePresent; }
  int CollectPlugins() override;
  int ApplyStates(switches::PluginList& records, int quiet) override;
  [[nodiscard]] CPlugSt GetHostInfo() const override { return {script_.hostName, script_.kinds.front()}; }

 private:
  SwitchScript script_;
  std::shared_ptr<SwitchLog> log_;
};

// A script for a host with the given kinds and detected records; failures are set afterwards.
[[nodiscard]] SwitchScript Script(std::wstring hostName, std::vector<int> kinds,
                                  switches::PluginList found = {});

// For one test: the program's English strings, and every message box answered with OK and kept.
class AnsweredBoxes {
 public:
  AnsweredBoxes();
  ~AnsweredBoxes();
  AnsweredBoxes(const AnsweredBoxes&) = delete;
  AnsweredBoxes& operator=(const AnsweredBoxes&) = delete;

  [[nodiscard]] bool StringsLoaded() const noexcept { return loaded_; }
  [[nodiscard]] const std::vector<win::MessageBoxRequest>& Shown() const noexcept { return shown_; }

 private:
  bool loaded_ = false;
  std::vector<win::MessageBoxRequest> shown_;
};

// A record as detection finds it (id 0).
[[nodiscard]] switches::PluginRecord Found(int application, std::wstring displayName, int state, int kind,
                                           std::wstring productName);

}  // namespace test
