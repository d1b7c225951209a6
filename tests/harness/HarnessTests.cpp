// The test harness itself: programs a test leaves running must not hold the run, and the registry
// sandbox must leave the real registry as it found it.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "support/RegistrySandbox.h"
#include "support/TestPaths.h"
#include "win/Handle.h"

namespace {

constexpr wchar_t kLingerSwitch[] = L"--linger";

TEST(Harness, AChildThatOutlivesTheTestDoesNotHoldTheRun) {
  // The child inherits our standard handles and stays for five minutes; CTest must still see this test
  // end at once. (If it did not, the run would hit the test time-out.)
  std::wstring command =
      L"\"" + (test::BinFolder() / L"harness_tests.exe").wstring() + L"\" " + kLingerSwitch;
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = ::GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = ::GetStdHandle(STD_OUTPUT_HANDLE);
  startup.hStdError = ::GetStdHandle(STD_ERROR_HANDLE);
  PROCESS_INFORMATION process{};
  ASSERT_TRUE(::CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                               &process));
  win::UniqueHandle processHandle(process.hProcess);
  win::UniqueHandle threadHandle(process.hThread);
  EXPECT_EQ(::WaitForSingleObject(processHandle.get(), 200), static_cast<DWORD>(WAIT_TIMEOUT));
}

TEST(Harness, RegistrySandboxRedirectsAndCleansUp) {
  // Other tests share the prefix's real registry, so the probe key is this process's own.
  const std::wstring probe = L"Software\\StartdeckHarnessProbe" + std::to_wstring(::GetCurrentProcessId());
  std::wstring root;
  {
    test::RegistrySandbox sandbox;
    root = sandbox.root();
    test::SetString(HKEY_LOCAL_MACHINE, probe, L"Probe", L"sandboxed");
    test::SetString(HKEY_CURRENT_USER, probe, L"Probe", L"sandboxed");
    EXPECT_EQ(test::GetString(HKEY_LOCAL_MACHINE, probe, L"Probe"), L"sandboxed");
    EXPECT_EQ(test::GetString(HKEY_CURRENT_USER, probe, L"Probe"), L"sandboxed");
    // An empty registry: nothing of the real machine shows through.
    EXPECT_FALSE(test::KeyExists(HKEY_LOCAL_MACHINE, L"Software\\Microsoft"));
    EXPECT_FALSE(test::KeyExists(HKEY_CLASSES_ROOT, L"CLSID"));
  }
  EXPECT_FALSE(test::KeyExists(HKEY_LOCAL_MACHINE, probe));
  EXPECT_FALSE(test::KeyExists(HKEY_CURRENT_USER, probe));
  EXPECT_FALSE(test::KeyExists(HKEY_CURRENT_USER, root));
  EXPECT_TRUE(test::KeyExists(HKEY_LOCAL_MACHINE, L"Software\\Microsoft"));
}

}  // namespace

// The window of the layout tests (LayoutTests.cpp), shown by this program started again.
int ShowLayoutSample();

int wmain(int argc, wchar_t** argv) {
  if (argc > 1 && std::wstring(argv[1]) == kLingerSwitch) {
    ::Sleep(300000);  // longer than any test may take
    return 0;
  }
  if (argc > 1 && std::wstring(argv[1]) == L"--layout-sample") return ShowLayoutSample();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
