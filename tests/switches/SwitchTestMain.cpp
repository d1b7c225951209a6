// The switch test program: registers the ED template installer substitute, then runs the tests in a
// single-threaded apartment, as the start centre runs its switches.
#include <windows.h>

#include <memory>

#include <gtest/gtest.h>

#include "OfficeTestSupport.h"
#include "support/StateCheck.h"
#include "win/ComScope.h"

int main(int argc, char** argv) {
  const win::ComApartment apartment;
  ::testing::InitGoogleTest(&argc, argv);
  ::testing::AddGlobalTestEnvironment(std::make_unique<officetest::EdSetupRegistration>().release());
  test::CheckProcessStateAroundEveryTest();
  return RUN_ALL_TESTS();
}
