// The fixture of every test that starts real copies of the suite application substitute (the
// launcher's, the dictionary installer's, the TM manager's and the hand-off's): the English
// strings, a fresh installation, the elevated starts recorded (and answered when a test says so),
// and an administrator or standard user played. Without the substitute built, each test fails.
#pragma once

#include <windows.h>

#include <optional>
#include <vector>

#include <gtest/gtest.h>

#include "SuiteInstall.h"
#include "suite/ShellStart.h"
#include "support/SavedState.h"

namespace test {

class SuiteInstallTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // A fresh installation, no started programs, an empty Running key and no elevations, for the next
  // case of a table.
  void Reinstall();
  static void PlayAdministrator(bool administrator);

  std::optional<SuiteInstall> install_;
  std::vector<suite::ElevationRequest> elevations_;
  std::optional<INT_PTR> elevationAnswer_;  // the prompt's answer; nullopt: Wine's real "runas"

 private:
  const Restorer savedFacts_ = SavedSystemFacts();
};

}  // namespace test
