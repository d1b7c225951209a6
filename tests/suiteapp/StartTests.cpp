// A suite application's copy of the substitute: what it journals, what its window shows, that it
// leaves its Running record alone, and every way of closing it.
#include <gtest/gtest.h>

#include <functional>
#include <iostream>
#include <regex>

#include "SubstituteHarness.h"
#include "SuiteAppIds.h"
#include "support/Driver.h"
#include "support/Installation.h"
#include "support/ScratchDir.h"

namespace {

using namespace std::chrono_literals;
using test::ScopedRegistryValue;
using test::SubstituteRun;

constexpr wchar_t kBatcherName[] = L"VANTO Batch Translator";

template <class Case>
std::string CaseName(const testing::TestParamInfo<Case>& param) {
  return param.param.name;
}

TEST(SuiteAppStart, BatcherOfTheDemoInstallationJournalsEveryFieldAndKeepsItsRecord) {
  test::Installation installation;
  ASSERT_TRUE(installation.Ok());
  ScopedRegistryValue record(HKEY_CURRENT_USER, test::kRunningKey, L"Batcher", L"S=local");
  const auto program = installation.Folder() / L"Apps" / L"Batcher.exe";
  const auto journal = installation.Folder() / L"journal.log";
  test::ScratchDir elsewhere;  // a working folder that is not the program's own

  const std::wstring before = test::UtcNow();
  SubstituteRun batcher;
  ASSERT_TRUE(batcher.Start(program, L"\"C:\\My Documents\\report one.doc\" /q", elsewhere.path()));
  HWND window = test::WaitForSubstituteWindow(batcher.Id(), kBatcherName);
  ASSERT_NE(window, nullptr);
  const std::wstring after = test::UtcNow();

  const auto lines = test::ReadJournal(journal);
  ASSERT_EQ(lines.size(), 1u);
  const auto& fields = lines[0];
  ASSERT_EQ(fields.size(), 7u);
  EXPECT_TRUE(std::regex_match(fields[0], std::wregex(LR"(\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d\.\d{3}Z)")))
      << fields[0];
  EXPECT_LE(before, fields[0]);
  EXPECT_GE(after, fields[0]);
  EXPECT_EQ(fields[1], L"Batcher.exe");
  EXPECT_EQ(fields[2], L"Batcher");
  EXPECT_EQ(fields[3], batcher.CommandLine());
  EXPECT_EQ(fields[4], elsewhere.path().wstring());
  EXPECT_EQ(fields[5], L"S=local");
  EXPECT_EQ(fields[6], std::to_wstring(batcher.Id()));

  EXPECT_EQ(test::ControlText(window, IDC_NAME), kBatcherName);
  EXPECT_EQ(test::ControlText(window, IDC_APP_ID), L"Batcher");
  EXPECT_EQ(test::ControlText(window, IDC_EXECUTABLE), program.wstring());
  EXPECT_EQ(test::ControlText(window, IDC_COMMAND_LINE), batcher.CommandLine());
  EXPECT_EQ(test::ControlText(window, IDC_WORKING_FOLDER), elsewhere.path().wstring());
  EXPECT_EQ(test::ControlText(window, IDC_RECORD), L"S=local");
  EXPECT_EQ(test::ControlText(window, IDC_RECORD_LOCATION),
            std::wstring(L"HKCU\\") + test::kRunningKey + L"\\Batcher");
  EXPECT_EQ(test::ControlText(window, IDC_JOURNAL), journal.wstring());
  std::wcout << L"screenshot: " << test::SaveScreenshot(L"suiteapp-batcher").wstring() << L"\n";

  test::Click(::GetDlgItem(window, IDCANCEL));
  ASSERT_TRUE(batcher.WaitForExit(10s));
  EXPECT_EQ(batcher.ExitCode(), 0u);
  EXPECT_EQ(test::ReadRegistryText(HKEY_CURRENT_USER, test::kRunningKey, L"Batcher"), L"S=local");
  EXPECT_EQ(test::ReadJournal(journal).size(), 1u);
}

// What the start centre may have left under the program's app ID, and what the journal says.
struct RecordCase {
  const char* name;
  std::optional<std::wstring> value;
  std::wstring journaled;
};

void PrintTo(const RecordCase& c, std::ostream* out) {
  *out << c.name;
}

class SuiteAppRecord : public testing::TestWithParam<RecordCase> {};

TEST_P(SuiteAppRecord, IsJournaledAsFoundAndLeftAsFound) {
  const RecordCase& c = GetParam();
  test::ScratchDir scratch;
  const auto journal = scratch.path() / L"journal.log";
  test::ScopedJournal journalHere(journal);
  ScopedRegistryValue record(HKEY_CURRENT_USER, test::kRunningKey, L"TMD", c.value);
  const auto program = test::CopySubstituteAs(scratch.Folder(L"Apps"), L"TMD.exe");

  SubstituteRun tmd;
  ASSERT_TRUE(tmd.Start(program));
  HWND window = test::WaitForSubstituteWindow(tmd.Id(), L"VANTO TM Manager");
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(test::ControlText(window, IDC_RECORD), c.journaled);
  ::PostMessageW(window, WM_CLOSE, 0, 0);
  ASSERT_TRUE(tmd.WaitForExit(10s));

  const auto lines = test::JournalLinesOf(journal, tmd.Id());
  ASSERT_EQ(lines.size(), 1u);
  ASSERT_EQ(lines[0].size(), 7u);
  EXPECT_EQ(lines[0][2], L"TMD");
  EXPECT_EQ(lines[0][5], c.journaled);
  EXPECT_EQ(test::ReadRegistryText(HKEY_CURRENT_USER, test::kRunningKey, L"TMD"), c.value);
}

INSTANTIATE_TEST_SUITE_P(
    Records, SuiteAppRecord,
    testing::Values(RecordCase{"Missing", std::nullopt, L"<none>"}, RecordCase{"Empty", L"", L""},
                    RecordCase{"DatabaseOnServer", L"G=C:\\TM\\Legal base.tmd;S=SRV1",
                               L"G=C:\\TM\\Legal base.tmd;S=SRV1"},
                    RecordCase{"NotAscii", L"G=Übersetzungen-База;S=local", L"G=Übersetzungen-База;S=local"}),
    CaseName<RecordCase>);

// Every way a person (or a test) ends the program; each ends it with exit code 0.
struct CloseCase {
  const char* name;
  std::wstring arguments;
  std::function<void(HWND)> close;
};

void PrintTo(const CloseCase& c, std::ostream* out) {
  *out << c.name;
}

class SuiteAppClose : public testing::TestWithParam<CloseCase> {};

TEST_P(SuiteAppClose, EndsWithExitCodeZero) {
  const CloseCase& c = GetParam();
  test::ScratchDir scratch;
  test::ScopedJournal journalHere(scratch.path() / L"journal.log");
  const auto program = test::CopySubstituteAs(scratch.path(), L"Dictkit.exe");
  SubstituteRun dictkit;
  ASSERT_TRUE(dictkit.Start(program, c.arguments));
  if (c.close) {
    HWND window = test::WaitForSubstituteWindow(dictkit.Id(), L"VANTO Dictionary Manager");
    ASSERT_NE(window, nullptr);
    c.close(window);
  }
  ASSERT_TRUE(dictkit.WaitForExit(10s));
  EXPECT_EQ(dictkit.ExitCode(), 0u);
}

void PressEscape(HWND window) {
  HWND button = ::GetDlgItem(window, IDCANCEL);
  ::PostMessageW(button, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
  ::PostMessageW(button, WM_KEYUP, VK_ESCAPE, 0xC0010001);
}

void PressAltF4(HWND window) {
  constexpr LPARAM kAltDown = 1 << 29;
  ::PostMessageW(window, WM_SYSKEYDOWN, VK_F4, kAltDown | (0x3E << 16) | 1);
}

INSTANTIATE_TEST_SUITE_P(
    Ways, SuiteAppClose,
    testing::Values(CloseCase{"CloseButton", L"", [](HWND w) { test::Click(::GetDlgItem(w, IDCANCEL)); }},
                    CloseCase{"Escape", L"", PressEscape}, CloseCase{"AltF4", L"", PressAltF4},
                    CloseCase{"ExitAfter", L"/exitafter:200", nullptr},
                    CloseCase{"ExitAfterAnyCase", L"/EXITAFTER:0", nullptr}),
    CaseName<CloseCase>);

TEST(SuiteAppStart, ShowsWaitForServerExitOnlyWhenAskedTo) {
  test::ScratchDir scratch;
  test::ScopedJournal journalHere(scratch.path() / L"journal.log");
  const auto program = test::CopySubstituteAs(scratch.path(), L"UBackup.exe");
  for (const bool asked : {true, false}) {
    SubstituteRun backup;
    ASSERT_TRUE(backup.Start(program, asked ? L"/WaitForServerExit" : L""));
    HWND window = test::WaitForSubstituteWindow(backup.Id(), L"VANTO Backup");
    ASSERT_NE(window, nullptr);
    HWND note = ::GetDlgItem(window, IDC_WAIT_NOTE);
    ASSERT_NE(note, nullptr);
    EXPECT_EQ(::IsWindowVisible(note) != FALSE, asked);
    if (asked) {
      EXPECT_NE(test::ControlText(window, IDC_WAIT_NOTE).find(L"/WaitForServerExit"), std::wstring::npos);
    }
    test::Click(::GetDlgItem(window, IDCANCEL));
    ASSERT_TRUE(backup.WaitForExit(10s));
    EXPECT_EQ(backup.ExitCode(), 0u);
  }
}

TEST(SuiteAppStart, AnUnknownNameAnswersForItself) {
  test::ScratchDir scratch;
  const auto journal = scratch.path() / L"journal.log";
  test::ScopedJournal journalHere(journal);
  ScopedRegistryValue record(HKEY_CURRENT_USER, test::kRunningKey, L"NewTool", L"S=local");
  const auto program = test::CopySubstituteAs(scratch.path(), L"NewTool.exe");
  SubstituteRun tool;
  ASSERT_TRUE(tool.Start(program, L"/exitafter:0"));
  ASSERT_TRUE(tool.WaitForExit(20s));
  const auto lines = test::JournalLinesOf(journal, tool.Id());
  ASSERT_EQ(lines.size(), 1u);
  ASSERT_EQ(lines[0].size(), 7u);
  EXPECT_EQ(lines[0][1], L"NewTool.exe");
  EXPECT_EQ(lines[0][2], L"NewTool");
  EXPECT_EQ(lines[0][5], L"S=local");
}

}  // namespace
