#include "SuiteInstallTest.h"

#include "LaunchTestContext.h"
#include "win/System.h"

namespace test {

void SuiteInstallTest::SetUp() {
  UseEnglishStrings();
  // A build without the substitute cannot test these starts: that is a failure, not a skip.
  ASSERT_TRUE(SuiteInstall::SubstituteBuilt()) << "SuiteApp.exe has not been built";
  install_.emplace();
  suite::SetElevationHook([this](const suite::ElevationRequest& request) -> std::optional<INT_PTR> {
    elevations_.push_back(request);
    return elevationAnswer_;
  });
}

void SuiteInstallTest::TearDown() {
  suite::SetElevationHook({});
  install_.reset();
}

void SuiteInstallTest::Reinstall() {
  install_.reset();
  install_.emplace();
  elevations_.clear();
}

void SuiteInstallTest::PlayAdministrator(bool administrator) {
  win::SystemFacts facts;
  facts.administrator = administrator;
  win::OverrideSystemFacts(facts);
}

}  // namespace test
