// The kernel test program: registers VantoKernel.dll, then runs the tests in a single-threaded
// apartment. Started with --kernel-child it is the second process of the persistence tests.
#include <windows.h>

#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "KernelTestSupport.h"
#include "win/ComScope.h"

int wmain(int argc, wchar_t** argv) {
  const win::ComApartment apartment;  // COM for the whole run, released after the last test
  if (argc > 1 && std::wstring(argv[1]) == kerneltest::kChildSwitch)
    return kerneltest::ChildMain(argc - 2, argv + 2);
  ::testing::InitGoogleTest(&argc, argv);
  ::testing::AddGlobalTestEnvironment(std::make_unique<kerneltest::KernelRegistration>().release());
  return RUN_ALL_TESTS();
}
