// A test that leaves process-wide state (the diagnostic log, the played
// system facts, the current resource module, the current folder) other than it found it fails, so
// that the next test starts from the state every test expects. Header-only, like SavedState.h.
#pragma once

#include <windows.h>

#include <filesystem>
#include <optional>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "core/LogSink.h"
#include "win/Resources.h"
#include "win/System.h"

namespace test {

struct ProcessState {
  std::wstring logFile;
  bool logEnabled = true;
  std::optional<unsigned> windowsMajorVersion;
  std::optional<bool> administrator;
  HMODULE resources = nullptr;
  std::filesystem::path folder;

  static ProcessState Now() {
    const win::SystemFacts& facts = win::SystemFactOverrides();
    return {app::Log().FilePath(), app::Log().Enabled(),  facts.windowsMajorVersion,
            facts.administrator,   win::ResourceModule(), std::filesystem::current_path()};
  }
  friend bool operator==(const ProcessState&, const ProcessState&) = default;
};

class StateCheck final : public ::testing::EmptyTestEventListener {
 public:
  void OnTestStart(const ::testing::TestInfo&) override { before_ = ProcessState::Now(); }
  void OnTestEnd(const ::testing::TestInfo&) override {
    const ProcessState after = ProcessState::Now();
    if (after == before_) return;
    std::wostringstream what;
    if (after.logFile != before_.logFile || after.logEnabled != before_.logEnabled)
      what << L" the log (file \"" << after.logFile << L"\" instead of \"" << before_.logFile << L"\")";
    if (after.windowsMajorVersion != before_.windowsMajorVersion ||
        after.administrator != before_.administrator)
      what << L" the played system facts";
    if (after.resources != before_.resources) what << L" the resource module";
    if (after.folder != before_.folder) what << L" the current folder (" << after.folder.wstring() << L")";
    ADD_FAILURE() << "the test left process-wide state changed:" << what.str();
  }

 private:
  ProcessState before_;
};

// Installs the check for every test of the program; call before RUN_ALL_TESTS. Returns true, so
// that a program with GoogleTest's own main can install it from a namespace-scope initialiser.
inline bool CheckProcessStateAroundEveryTest() {
  // After the printer: the end of a test reaches the listeners in reverse order, so the failure
  // shows with the test it belongs to.
  ::testing::UnitTest::GetInstance()->listeners().Append(new StateCheck);  // owned by GoogleTest
  return true;
}

}  // namespace test
