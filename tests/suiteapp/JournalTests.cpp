// The journal: whole lines from copies started together, earlier lines untouched, one line per
// start whatever the command line holds, and the fallback location.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <map>
#include <set>

#include "SubstituteHarness.h"
#include "support/ScratchDir.h"

namespace {

using namespace std::chrono_literals;
using test::ScopedRegistryValue;
using test::SubstituteRun;

TEST(SuiteAppJournal, CopiesStartedTogetherEachAppendOneWholeLine) {
  test::ScratchDir scratch;
  const auto journal = scratch.path() / L"journal.log";
  const std::string earlier = "2001-01-01T00:00:00.000Z\tOld.exe\tOld\t\"Old.exe\"\tC:\\\t<none>\t7\r\n";
  test::WriteFile(journal,
                  "\xEF\xBB\xBF"
                  "earlier line: Übersetzung\r\n" +
                      earlier);
  test::ScopedJournal journalHere(journal);
  ScopedRegistryValue record(HKEY_CURRENT_USER, test::kRunningKey, L"Batcher", L"S=local");
  const auto batcher = test::CopySubstituteAs(scratch.Folder(L"Apps"), L"Batcher.exe");
  const auto vnto = test::CopySubstituteAs(scratch.Folder(L"Apps"), L"Vnto.exe");

  // All start suspended, then are let go at once, so their appends meet.
  constexpr int kCopies = 8;
  std::vector<SubstituteRun> runs(kCopies);
  for (int i = 0; i < kCopies; ++i) {
    const std::wstring padding(static_cast<size_t>(200 * i), L'x');  // lines of different lengths
    ASSERT_TRUE(runs[static_cast<size_t>(i)].Start(
        i % 2 ? vnto : batcher, L"/copy:" + std::to_wstring(i) + L" " + padding + L" /exitafter:0", {},
        true));
  }
  for (auto& run : runs) run.Resume();
  for (auto& run : runs) {
    ASSERT_TRUE(run.WaitForExit(30s));
    EXPECT_EQ(run.ExitCode(), 0u);
  }

  const std::string bytes = test::ReadFile(journal);
  ASSERT_EQ(bytes.rfind("\xEF\xBB\xBF"
                        "earlier line: Übersetzung\r\n" +
                            earlier,
                        0),
            0u)
      << "earlier lines changed";
  const auto lines = test::ReadJournal(journal);
  ASSERT_EQ(lines.size(), 2u + kCopies);
  std::map<std::wstring, const SubstituteRun*> byPid;
  for (const auto& run : runs) byPid[std::to_wstring(run.Id())] = &run;
  std::set<std::wstring> seen;
  for (size_t i = 2; i < lines.size(); ++i) {
    const auto& fields = lines[i];
    ASSERT_EQ(fields.size(), 7u) << "line " << i;
    const auto run = byPid.find(fields[6]);
    ASSERT_NE(run, byPid.end()) << "line " << i;
    EXPECT_TRUE(seen.insert(fields[6]).second) << "two lines of one start";
    EXPECT_EQ(fields[3], run->second->CommandLine());
    const bool isVnto = fields[1] == L"Vnto.exe";
    EXPECT_EQ(fields[2], isVnto ? L"Vnto" : L"Batcher");
    EXPECT_EQ(fields[5], isVnto ? L"<none>" : L"S=local");
  }
  EXPECT_EQ(seen.size(), static_cast<size_t>(kCopies));
}

TEST(SuiteAppJournal, ControlCharactersAndNonAsciiTextStayOnOneLine) {
  test::ScratchDir scratch;
  const auto journal = scratch.path() / L"journal.log";
  test::ScopedJournal journalHere(journal);
  ScopedRegistryValue record(HKEY_CURRENT_USER, test::kRunningKey, L"VntoX",
                             L"D=1;T=A\tB;U=\"line\r\nbreak\"");
  const auto program = test::CopySubstituteAs(scratch.path(), L"VntoX.exe");
  SubstituteRun lite;
  ASSERT_TRUE(lite.Start(program, L"\"C:\\Документы\\a\tb.docx\" /exitafter:0"));
  ASSERT_TRUE(lite.WaitForExit(20s));

  const auto lines = test::ReadJournal(journal);
  ASSERT_EQ(lines.size(), 1u);
  ASSERT_EQ(lines[0].size(), 7u);
  std::wstring expectedCommand = lite.CommandLine();
  std::replace(expectedCommand.begin(), expectedCommand.end(), L'\t', L'\x2409');
  EXPECT_EQ(lines[0][3], expectedCommand);
  EXPECT_NE(lines[0][3].find(L"Документы"), std::wstring::npos);
  EXPECT_EQ(lines[0][5],
            L"D=1;T=A\x2409"
            L"B;U=\"line\x240D\x240A"
            L"break\"");
}

TEST(SuiteAppJournal, WithoutAJournalValueGoesToTheTemporaryFolder) {
  ScopedRegistryValue noJournal(HKEY_CURRENT_USER, test::kSubstituteKey, L"Journal", std::nullopt);
  wchar_t temp[MAX_PATH + 1] = {};
  ASSERT_GT(::GetTempPathW(MAX_PATH + 1, temp), 0u);
  const std::filesystem::path journal = std::filesystem::path(temp) / L"VantoSuiteApps.log";
  test::ScratchDir scratch;
  const auto program = test::CopySubstituteAs(scratch.path(), L"SrvLogin.exe");
  SubstituteRun login;
  ASSERT_TRUE(login.Start(program, L"/exitafter:0"));
  ASSERT_TRUE(login.WaitForExit(20s));
  // The file is shared by the whole session; this start's line is the one with its process ID and
  // its command line (which names this test's scratch folder).
  auto lines = test::JournalLinesOf(journal, login.Id());
  std::erase_if(lines, [&](const auto& fields) { return fields[3] != login.CommandLine(); });
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0][1], L"SrvLogin.exe");
  EXPECT_EQ(lines[0][2], L"SrvLogin");
}

}  // namespace
