// The suite utilities' tests; the same program also plays the child processes they start.
#include <gtest/gtest.h>

#include "ChildRoles.h"
#include "support/StateCheck.h"

int wmain(int argc, wchar_t** argv) {
  if (const std::optional<int> code = suitetest::RunChildRole(argc, argv)) return *code;
  ::testing::InitGoogleTest(&argc, argv);
  test::CheckProcessStateAroundEveryTest();
  return RUN_ALL_TESTS();
}
