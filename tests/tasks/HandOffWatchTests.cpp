// The watch that takes back the record of a host that ended without taking it, against the real
// registry (sandboxed) and real processes: one that has ended, and this test program itself, which
// runs on.
#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "support/Driver.h"
#include "support/RegistrySandbox.h"
#include "tasks/HandOffWatch.h"
#include "win/Handle.h"

namespace {

using namespace std::chrono_literals;

constexpr wchar_t kWatchRunning[] = L"Software\\Korvelsoft\\VNTO9\\Running";
constexpr wchar_t kHanded[] = L"D=2311;T=General;U=\"C:\\Docs\\Letter.doc\"";
// No process of this name runs here.
constexpr wchar_t kHost[] = L"C:\\Program Files\\Office\\NoSuchHost.exe";

// A process that has ended: the command interpreter, told to end at once.
win::UniqueHandle EndedProcess() {
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info{};
  std::wstring line = L"cmd.exe /c exit 0";
  if (!::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr,
                        &startup, &info))
    return {};
  const win::UniqueHandle thread(info.hThread);
  win::UniqueHandle process(info.hProcess);
  ::WaitForSingleObject(process.get(), 30000);
  return process;
}

// A launcher that started the real program and has ended: a command interpreter that ended, the
// parent of a hidden editor that runs on until the test ends it.
struct Launcher {
  Launcher() = default;
  Launcher(const Launcher&) = delete;
  Launcher& operator=(const Launcher&) = delete;
  ~Launcher() {
    if (started) ::TerminateProcess(started.get(), 0);
  }
  win::UniqueHandle launcher;
  win::UniqueHandle started;
};

void StartEndedLauncher(Launcher& result) {
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info{};
  std::wstring line = L"cmd.exe /c exit 0";
  if (!::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW | CREATE_SUSPENDED,
                        nullptr, nullptr, &startup, &info))
    return;
  const win::UniqueHandle launcherThread(info.hThread);
  result.launcher = win::UniqueHandle(info.hProcess);

  SIZE_T size = 0;
  ::InitializeProcThreadAttributeList(nullptr, 1, 0, &size);
  std::vector<unsigned char> buffer(size);
  auto* attributes = reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(buffer.data());
  HANDLE parent = result.launcher.get();
  if (!::InitializeProcThreadAttributeList(attributes, 1, 0, &size) ||
      !::UpdateProcThreadAttribute(attributes, 0, PROC_THREAD_ATTRIBUTE_PARENT_PROCESS, &parent,
                                   sizeof(parent), nullptr, nullptr))
    return;
  STARTUPINFOEXW started{};
  started.StartupInfo.cb = sizeof(started);
  started.StartupInfo.dwFlags = STARTF_USESHOWWINDOW;
  started.StartupInfo.wShowWindow = SW_HIDE;
  started.lpAttributeList = attributes;
  std::wstring editor = L"notepad.exe";
  const BOOL made =
      ::CreateProcessW(nullptr, editor.data(), nullptr, nullptr, FALSE, EXTENDED_STARTUPINFO_PRESENT, nullptr,
                       nullptr, &started.StartupInfo, &info);
  ::DeleteProcThreadAttributeList(attributes);
  if (!made) return;
  ::CloseHandle(info.hThread);
  result.started = win::UniqueHandle(info.hProcess);
  ::ResumeThread(launcherThread.get());
  ::WaitForSingleObject(result.launcher.get(), 30000);
}

// This program, which runs on while the test looks.
win::UniqueHandle RunningProcess() {
  HANDLE self = nullptr;
  ::DuplicateHandle(::GetCurrentProcess(), ::GetCurrentProcess(), ::GetCurrentProcess(), &self, SYNCHRONIZE,
                    FALSE, 0);
  return win::UniqueHandle(self);
}

std::wstring OwnFileName() {
  wchar_t path[MAX_PATH] = {};
  ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  const std::wstring full(path);
  return full.substr(full.find_last_of(L'\\') + 1);
}

std::optional<std::wstring> RunningRecord(const wchar_t* name) {
  DWORD size = 0;
  if (::RegGetValueW(HKEY_CURRENT_USER, kWatchRunning, name, RRF_RT_REG_SZ, nullptr, nullptr, &size) !=
      ERROR_SUCCESS)
    return std::nullopt;
  return test::GetString(HKEY_CURRENT_USER, kWatchRunning, name);
}

class HandOffWatchTest : public test::SandboxedTest {
 protected:
  tasks::HandedRecord Handed(const wchar_t* name = L"Word", const wchar_t* executable = kHost) const {
    test::SetString(HKEY_CURRENT_USER, kWatchRunning, name, kHanded);
    return {HKEY_CURRENT_USER, kWatchRunning, name, kHanded, executable};
  }
  // Handles the watch's messages until it watches nothing more.
  static bool Settled(const tasks::HandOffWatch& watch) {
    return test::WaitUntil([&] { return watch.Watching() == 0; }, 20s);
  }
};

TEST_F(HandOffWatchTest, AHostThatEndedLeavesTheRecordOnlyWhenSomeoneTookItOrWroteIt) {
  const struct {
    const char* what;
    std::optional<std::wstring> meanwhile;  // what the host did with the value; nullopt: deleted it
    bool touched;                           // else left as written
    std::optional<std::wstring> after;
  } cases[] = {
      {"left as written: taken back", std::nullopt, false, std::nullopt},
      {"deleted: taken", std::nullopt, true, std::nullopt},
      {"written anew", L"D=2311;T=General;U=read", true, L"D=2311;T=General;U=read"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    tasks::HandOffWatch watch;
    win::UniqueHandle process = EndedProcess();
    ASSERT_TRUE(process);
    const tasks::HandedRecord handed = Handed();
    if (c.touched) {
      if (c.meanwhile)
        test::SetString(HKEY_CURRENT_USER, kWatchRunning, L"Word", *c.meanwhile);
      else
        ::RegDeleteKeyValueW(HKEY_CURRENT_USER, kWatchRunning, L"Word");
    }
    ASSERT_TRUE(watch.Watch(handed, std::move(process)));
    EXPECT_EQ(watch.Watching(), 1u);
    ASSERT_TRUE(Settled(watch));
    EXPECT_EQ(RunningRecord(L"Word"), c.after);
  }
}

TEST_F(HandOffWatchTest, ARecordStaysWhileItsHostRunsAndWhenAnotherCopyOfItRuns) {
  {
    // Still running when the limit passes.
    tasks::HandOffWatch watch(300);
    ASSERT_TRUE(watch.Watch(Handed(), RunningProcess()));
    ASSERT_TRUE(Settled(watch));
    EXPECT_EQ(RunningRecord(L"Word"), kHanded);
  }
  EXPECT_EQ(RunningRecord(L"Word"), kHanded);  // nor when the watch goes
  {
    // The started copy ended, but another of the same program runs: it may be the one to read.
    tasks::HandOffWatch watch;
    ASSERT_TRUE(watch.Watch(Handed(L"Word", OwnFileName().c_str()), EndedProcess()));
    ASSERT_TRUE(Settled(watch));
    EXPECT_EQ(RunningRecord(L"Word"), kHanded);
  }
  {
    // The started launcher ended, but the program it started runs on: that one reads the record.
    Launcher launcher;
    StartEndedLauncher(launcher);
    ASSERT_TRUE(launcher.started);
    tasks::HandOffWatch watch;
    ASSERT_TRUE(watch.Watch(Handed(), std::move(launcher.launcher)));
    ASSERT_TRUE(Settled(watch));
    EXPECT_EQ(RunningRecord(L"Word"), kHanded);
  }
}

TEST_F(HandOffWatchTest, ALaterHandOffOwnsTheValueAndOthersAreWatchedApart) {
  tasks::HandOffWatch watch;
  // The first hand-off's host ends at once; by then a second one wrote the same text again.
  ASSERT_TRUE(watch.Watch(Handed(), EndedProcess()));
  ASSERT_TRUE(watch.Watch(Handed(), RunningProcess()));
  EXPECT_EQ(watch.Watching(), 1u);
  // Another host's record, whose host ended.
  ASSERT_TRUE(watch.Watch(Handed(L"Excel"), EndedProcess()));
  EXPECT_TRUE(test::WaitUntil([&] { return watch.Watching() == 1; }, 20s));
  EXPECT_EQ(RunningRecord(L"Word"), kHanded);
  EXPECT_EQ(RunningRecord(L"Excel"), std::nullopt);
}

TEST_F(HandOffWatchTest, GoingAwaySettlesHostsThatHaveEnded) {
  {
    tasks::HandOffWatch watch;
    ASSERT_TRUE(watch.Watch(Handed(L"Word"), EndedProcess()));
    ASSERT_TRUE(watch.Watch(Handed(L"Excel"), RunningProcess()));
    // No message is handled before the watch goes.
  }
  EXPECT_EQ(RunningRecord(L"Word"), std::nullopt);
  EXPECT_EQ(RunningRecord(L"Excel"), kHanded);
}

TEST_F(HandOffWatchTest, NoProcessNoWatch) {
  tasks::HandOffWatch watch;
  EXPECT_FALSE(watch.Watch(Handed(), win::UniqueHandle()));
  EXPECT_EQ(watch.Watching(), 0u);
  EXPECT_EQ(RunningRecord(L"Word"), kHanded);
}

}  // namespace
