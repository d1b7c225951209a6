// Starting real programs: copies of the suite application substitute, started through the shell,
// report in their journal how they were started and which Running record they found.
#include <gtest/gtest.h>

#include <windows.h>

#include <shellapi.h>

#include <algorithm>
#include <iostream>

#include "LaunchTestContext.h"
#include "StringIds.h"
#include "SuiteInstall.h"
#include "suite/LaunchList.h"
#include "suite/Launcher.h"
#include "suite/ShellStart.h"
#include "win/Resources.h"
#include "win/System.h"

namespace {

using test::ArgumentsOf;
using test::RunningRecord;

class NullSink final : public suite::LaunchListSink {
 public:
  void Clear() override {}
  void AddRow(HICON, const std::wstring&, const std::wstring&, bool) override {}
};

class LauncherTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::UseEnglishStrings();
    if (!test::SuiteInstall::SubstituteBuilt()) {
      std::cout << "SKIPPED: SuiteApp.exe has not been built\n";
      GTEST_SKIP() << "SuiteApp.exe has not been built";
    }
    install_.emplace();
    suite::SetElevationHook([this](const suite::ElevationRequest& request) -> std::optional<INT_PTR> {
      elevations_.push_back(request);
      return elevationAnswer_;
    });
  }

  void TearDown() override {
    suite::SetElevationHook({});
    win::OverrideSystemFacts({});
    install_.reset();
  }

  static void SetAdministrator(bool administrator) {
    win::SystemFacts facts;
    facts.administrator = administrator;
    win::OverrideSystemFacts(facts);
  }
  static void StandardUser() { SetAdministrator(false); }
  static void Administrator() { SetAdministrator(true); }

  // The launch list's row for `appId` in show-all mode, so rows whose files are missing are there.
  static void LaunchFromList(test::LaunchTestContext& context, const std::wstring& appId) {
    NullSink sink;
    suite::LaunchList list(context, sink);
    ASSERT_TRUE(list.Fill(true));
    const auto items = list.Items();
    const auto row = std::find_if(items.begin(), items.end(), [&](const suite::AppItem& i) { return i.appId == appId; });
    ASSERT_NE(row, items.end()) << "no row for " << appId;
    list.LaunchItem(static_cast<size_t>(row - items.begin()));
  }

  static std::wstring Elevation(UINT reason) { return win::LoadString(reason) + win::LoadString(IDS_LAUNCH_AS_ADMIN); }

  std::optional<test::SuiteInstall> install_;
  std::vector<suite::ElevationRequest> elevations_;
  std::optional<INT_PTR> elevationAnswer_;  // nullopt: the real call goes ahead
};

TEST_F(LauncherTest, ListStartOfBatcherLeavesItsLocalRecordAndPassesNoArguments) {
  test::LaunchTestContext context({{L"apps", {L"Batcher"}}, {L"allapps", {L"Batcher"}}});
  install_->Install(L"Batcher");

  LaunchFromList(context, L"Batcher");

  const auto started = install_->WaitForStartOf(L"Batcher.exe");
  ASSERT_TRUE(started);
  EXPECT_EQ(started->record, L"S=local");
  EXPECT_EQ(ArgumentsOf(started->commandLine), L"");
  EXPECT_EQ(RunningRecord(L"Batcher"), L"S=local");
  EXPECT_TRUE(context.Shown().empty());
  EXPECT_EQ(context.CloseRequests(), 0);
}

TEST_F(LauncherTest, ListStartWithAServerKernelNamesTheServer) {
  test::LaunchTestContext context({{L"apps", {L"Lexa"}}, {L"allapps", {L"Lexa"}}});
  context.UseServer(L"SRV1");
  install_->Install(L"Lexa");

  LaunchFromList(context, L"Lexa");

  const auto started = install_->WaitForStartOf(L"Lexa.exe");
  ASSERT_TRUE(started);
  EXPECT_EQ(started->record, L"S=SRV1");
  EXPECT_EQ(RunningRecord(L"Lexa"), L"S=SRV1");
}

TEST_F(LauncherTest, MenuCommandStartsTheFirstInstalledAndNamesTheRecordByTheCommandsOwnId) {
  test::LaunchTestContext context({{L"apps", {L"Vnto", L"VntoI", L"VntoX"}}});
  context.UseServer(L"SRV1");
  install_->Install(L"VntoX");

  suite::Launcher(context).LaunchCommandApps(L"Vnto|VntoI|VntoX");

  const auto started = install_->WaitForStartOf(L"VntoX.exe");
  ASSERT_TRUE(started);
  EXPECT_EQ(ArgumentsOf(started->commandLine), L"");
  EXPECT_EQ(RunningRecord(L"Vnto"), L"S=SRV1");
  EXPECT_EQ(RunningRecord(L"VntoX"), std::nullopt);
  EXPECT_EQ(started->record, L"<none>") << "VntoX finds no record of its own name";
  EXPECT_TRUE(context.Shown().empty());
}

TEST_F(LauncherTest, MenuCommandWithALocalKernelWritesNoRecord) {
  test::LaunchTestContext context(test::Sections{{L"apps", {L"Glosso"}}});
  install_->Install(L"Glosso");

  suite::Launcher(context).LaunchCommandApps(L"Glosso");

  const auto started = install_->WaitForStartOf(L"Glosso.exe");
  ASSERT_TRUE(started);
  EXPECT_EQ(started->record, L"<none>");
  EXPECT_EQ(RunningRecord(L"Glosso"), std::nullopt);
}

TEST_F(LauncherTest, FailedListStartTakesBackItsRecordAndSaysSo) {
  test::LaunchTestContext context({{L"apps", {L"Batcher"}}, {L"allapps", {L"Batcher"}}});
  install_->Register(L"Batcher", install_->Folder() / L"Batcher.exe");  // no such file

  LaunchFromList(context, L"Batcher");

  EXPECT_EQ(RunningRecord(L"Batcher"), std::nullopt);
  ASSERT_EQ(context.Shown().size(), 1u);
  EXPECT_EQ(context.Shown()[0].id, static_cast<UINT>(IDS_LAUNCH_FAILED));
  EXPECT_EQ(context.Shown()[0].argument, L"VANTO Batch Translator");
  EXPECT_EQ(context.CloseRequests(), 0);
}

TEST_F(LauncherTest, FailedMenuStartTakesBackTheRecordItWroteAndNoOther) {
  test::LaunchTestContext context({{L"apps", {L"Vnto", L"VntoX"}}});
  context.UseServer(L"SRV1");
  install_->Register(L"VntoX", install_->Folder() / L"VntoX.exe");  // no such file
  test::WriteRunningRecord(L"VntoX", L"S=OTHER");                   // another start's record

  suite::Launcher(context).LaunchCommandApps(L"Vnto|VntoX");

  EXPECT_EQ(RunningRecord(L"Vnto"), std::nullopt);
  EXPECT_EQ(RunningRecord(L"VntoX"), L"S=OTHER");
  ASSERT_EQ(context.Shown().size(), 1u);
  EXPECT_EQ(context.Shown()[0].id, static_cast<UINT>(IDS_LAUNCH_FAILED));
  EXPECT_EQ(context.Shown()[0].argument, L"VANTO Translator");
}

TEST_F(LauncherTest, MenuCommandWithNothingInstalledSaysSoAndLeavesNoRecord) {
  test::LaunchTestContext context({{L"apps", {L"Glosso", L"GlossoL"}}});
  context.UseServer(L"SRV1");
  install_->Register(L"Vnto", install_->Folder() / L"Vnto.exe");  // the Apps key exists

  suite::Launcher(context).LaunchCommandApps(L"Glosso|GlossoL");

  ASSERT_EQ(context.Shown().size(), 1u);
  EXPECT_EQ(context.Shown()[0].id, static_cast<UINT>(IDS_APP_NOT_INSTALLED));
  EXPECT_EQ(context.Shown()[0].argument, L"VANTO Terminology Manager");
  EXPECT_EQ(RunningRecord(L"Glosso"), std::nullopt);
}

TEST_F(LauncherTest, StandardUserStartsBackupUnelevatedAfterDecliningRightsAndTheStartCentreCloses) {
  StandardUser();
  test::LaunchTestContext context({{L"apps", {L"UBackup"}}, {L"allapps", {L"UBackup"}}});
  install_->Install(L"UBackup");
  context.Answer({IDYES, IDNO});

  LaunchFromList(context, L"UBackup");

  const auto started = install_->WaitForStartOf(L"UBackup.exe");
  ASSERT_TRUE(started);
  EXPECT_EQ(ArgumentsOf(started->commandLine), L"/WaitForServerExit");
  EXPECT_EQ(started->record, L"S=local");
  EXPECT_TRUE(elevations_.empty());
  EXPECT_EQ(context.CloseRequests(), 1);
  const auto& shown = context.Shown();
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[0].id, static_cast<UINT>(IDS_CLOSE_ALL_APPS));
  EXPECT_EQ(shown[0].argument, L"VANTO Translator Home");
  EXPECT_EQ(shown[0].flags & MB_TYPEMASK, static_cast<UINT>(MB_YESNO));
  EXPECT_EQ(shown[1].text, Elevation(IDS_ADMIN_FOR_BACKUP));
  EXPECT_EQ(shown[1].flags, static_cast<UINT>(MB_YESNO)) << "Yes and No, no icon";
  EXPECT_EQ(context.UnusedAnswers(), 0u);
}

TEST_F(LauncherTest, StandardUserWhoGrantsRightsStartsBackupElevated) {
  StandardUser();
  test::LaunchTestContext context({{L"apps", {L"UBackup"}}, {L"allapps", {L"UBackup"}}});
  const auto program = install_->Install(L"UBackup");
  context.Answer({IDYES, IDYES});

  LaunchFromList(context, L"UBackup");

  ASSERT_EQ(elevations_.size(), 1u);
  const suite::ElevationRequest& request = elevations_[0];
  EXPECT_EQ(request.verb, L"runas");
  EXPECT_EQ(request.mask, 0x4140u);
  EXPECT_EQ(request.size, sizeof(SHELLEXECUTEINFOW));
  EXPECT_EQ(request.file, program.wstring());
  EXPECT_EQ(request.parameters, L"/WaitForServerExit");
  EXPECT_EQ(request.directory, std::nullopt);
  EXPECT_EQ(request.show, SW_SHOWNORMAL);
  // Wine's "runas" starts the program without a prompt: the real call went through.
  const auto started = install_->WaitForStartOf(L"UBackup.exe");
  ASSERT_TRUE(started);
  EXPECT_EQ(ArgumentsOf(started->commandLine), L"/WaitForServerExit");
  EXPECT_EQ(install_->Journal().size(), 1u);
  EXPECT_EQ(context.CloseRequests(), 1);
}

TEST_F(LauncherTest, ACancelledElevationPromptIsFollowedByANormalStart) {
  StandardUser();
  elevationAnswer_ = SE_ERR_ACCESSDENIED;  // the person said No at the system's prompt
  test::LaunchTestContext context({{L"apps", {L"DictInst"}}, {L"allapps", {L"DictInst"}}});
  install_->Install(L"DictInst");
  context.Answer({IDYES, IDYES});

  LaunchFromList(context, L"DictInst");

  EXPECT_EQ(elevations_.size(), 1u);
  const auto started = install_->WaitForStartOf(L"DictInst.exe");
  ASSERT_TRUE(started);
  EXPECT_EQ(ArgumentsOf(started->commandLine), L"/WaitForServerExit");
  EXPECT_EQ(context.Shown()[1].text, Elevation(IDS_ADMIN_FOR_DICTIONARIES));
  EXPECT_EQ(context.CloseRequests(), 1);
}

TEST_F(LauncherTest, AdministratorStartsAnExclusiveAppWithoutTheRightsQuestion) {
  Administrator();
  test::LaunchTestContext context({{L"apps", {L"DictInst"}}, {L"allapps", {L"DictInst"}}});
  install_->Install(L"DictInst");
  context.Answer({IDYES});

  LaunchFromList(context, L"DictInst");

  const auto started = install_->WaitForStartOf(L"DictInst.exe");
  ASSERT_TRUE(started);
  EXPECT_EQ(ArgumentsOf(started->commandLine), L"/WaitForServerExit");
  EXPECT_EQ(context.Shown().size(), 1u);
  EXPECT_TRUE(elevations_.empty());
  EXPECT_EQ(context.CloseRequests(), 1);
}

TEST_F(LauncherTest, DecliningAnExclusiveStartTakesBackTheRecordAndStartsNothing) {
  const struct {
    const char* what;
    bool fromMenu;
    const wchar_t* appId;
    std::initializer_list<int> answers;
  } cases[] = {
      {"list, close-all question", false, L"UBackup", {IDNO}},
      {"list, dictionary installer's rights question", false, L"DictInst", {IDYES, IDNO}},
      {"menu, close-all question", true, L"UBackupNET", {IDNO}},
      {"menu, network dictionary installer's rights question", true, L"DictInstS", {IDYES, IDNO}},
      {"menu, network backup's rights question", true, L"UBackupNET", {IDYES, IDNO}},
  };
  StandardUser();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    test::LaunchTestContext context({{L"apps", {c.appId}}, {L"allapps", {c.appId}}, {L"_menu6", {L"item0"}}});
    context.UseServer(L"SRV1");
    install_->Install(c.appId);
    context.Answer(c.answers);

    if (c.fromMenu)
      suite::Launcher(context).LaunchCommandApps(c.appId);
    else
      LaunchFromList(context, c.appId);

    EXPECT_EQ(install_->RunningCopies(std::wstring(c.appId) + L".exe"), 0u);
    EXPECT_EQ(RunningRecord(c.appId), std::nullopt);
    EXPECT_EQ(context.CloseRequests(), 0);
    EXPECT_EQ(context.UnusedAnswers(), 0u);
  }
  EXPECT_TRUE(elevations_.empty());
  EXPECT_TRUE(install_->Journal().empty());
}

TEST_F(LauncherTest, NetworkDictionaryInstallerFromTheMenuStartsAndClosesTheStartCentre) {
  Administrator();
  test::LaunchTestContext context({{L"apps", {L"DictInstS"}}, {L"_menu6", {L"item0"}}});
  context.UseServer(L"SRV1");
  install_->Install(L"DictInstS");
  context.Answer({IDYES});

  suite::Launcher(context).LaunchCommandApps(L"DictInstS");

  const auto started = install_->WaitForStartOf(L"DictInstS.exe");
  ASSERT_TRUE(started);
  EXPECT_EQ(started->record, L"S=SRV1");
  EXPECT_EQ(ArgumentsOf(started->commandLine), L"/WaitForServerExit");
  EXPECT_EQ(context.CloseRequests(), 1);
}

TEST_F(LauncherTest, PluginsManagerAsksAStandardUserForRights) {
  const struct {
    const char* what;
    bool administrator;
    std::initializer_list<int> answers;
    size_t elevations;
  } cases[] = {
      {"standard user, Yes", false, {IDYES}, 1},
      {"standard user, No", false, {IDNO}, 0},
      {"administrator", true, {}, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    SetAdministrator(c.administrator);
    elevations_.clear();
    test::LaunchTestContext context({{L"apps", {L"VantoEM"}}, {L"allapps", {L"VantoEM"}}});
    install_->Install(L"VantoEM");
    context.Answer(c.answers);

    LaunchFromList(context, L"VantoEM");

    ASSERT_EQ(elevations_.size(), c.elevations);
    if (c.elevations) {
      EXPECT_EQ(elevations_[0].parameters, std::nullopt);
    }
    EXPECT_EQ(context.Shown().size(), c.administrator ? 0u : 1u);
    if (!c.administrator) {
      EXPECT_EQ(context.Shown()[0].text, Elevation(IDS_ADMIN_FOR_EXTENSIONS));
    }
    EXPECT_EQ(install_->RunningCopies(L"VantoEM.exe"), 1u);
    EXPECT_EQ(context.CloseRequests(), 0);
    EXPECT_EQ(RunningRecord(L"VantoEM"), L"S=local");
    install_.reset();
    install_.emplace();
  }
}

TEST_F(LauncherTest, MenuCommandStartsThePluginsManagerWithoutAQuestion) {
  StandardUser();
  test::LaunchTestContext context(test::Sections{{L"apps", {L"VantoEM"}}});
  install_->Install(L"VantoEM");

  suite::Launcher(context).LaunchCommandApps(L"VantoEM");

  EXPECT_TRUE(install_->WaitForStartOf(L"VantoEM.exe"));
  EXPECT_TRUE(context.Shown().empty());
  EXPECT_TRUE(elevations_.empty());
}

TEST_F(LauncherTest, ApplicationsTheProductDoesNotListAreRefused) {
  const struct {
    const char* what;
    test::Sections sections;
    const wchar_t* command;
    bool serverOnly;  // message 373, else the other-products message
  } cases[] = {
      {"server tool on a network workstation", {{L"apps", {L"Vnto"}}, {L"_menu6", {L"item0"}}}, L"DictInstS", true},
      {"updater on a network workstation", {{L"apps", {L"Vnto"}}, {L"_menu6", {L"item0"}}}, L"UpdLauncher|Vnto", true},
      {"server tool where the server's setup is listed",
       {{L"apps", {L"SrvConfig"}}, {L"_menu6", {L"item0"}}}, L"UBackupNET", false},
      {"server tool of a product without a network tab", {{L"apps", {L"Vnto"}}}, L"SrvConfig", false},
      {"another product's application", {{L"apps", {L"Vnto"}}, {L"_menu6", {L"item0"}}}, L"Lexa", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    test::LaunchTestContext context(c.sections);
    context.UseServer(L"SRV1");
    suite::Launcher(context).LaunchCommandApps(c.command);
    ASSERT_EQ(context.Shown().size(), 1u);
    if (c.serverOnly) {
      EXPECT_EQ(context.Shown()[0].text, win::LoadString(IDS_NET_SERVER_ONLY));
    } else {
      EXPECT_EQ(context.Shown()[0].id, static_cast<UINT>(IDS_OTHER_PRODUCTS));
    }
  }
  EXPECT_FALSE(test::RunningRecord(L"DictInstS") || test::RunningRecord(L"UpdLauncher") ||
               test::RunningRecord(L"UBackupNET") || test::RunningRecord(L"SrvConfig") ||
               test::RunningRecord(L"Lexa"));
}

}  // namespace
