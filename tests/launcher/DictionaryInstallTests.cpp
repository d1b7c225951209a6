// Installing dictionaries from the dictionaries tab: which installer, the questions, the record and
// the start centre's closing, with real starts of the suite application substitute.
#include <gtest/gtest.h>

#include "LaunchTestContext.h"
#include "StringIds.h"
#include "SuiteInstallTest.h"
#include "suite/DictionaryInstall.h"

namespace {

using test::RunningRecord;

using DictionaryInstallTest = test::SuiteInstallTest;

TEST_F(DictionaryInstallTest, AnAdministratorStartsTheLocalInstallerAndTheStartCentreCloses) {
  PlayAdministrator(true);
  install_->Install(L"DictInst");
  test::LaunchTestContext context(test::Sections{{L"apps", {L"DictInst"}}});
  context.Answer({IDYES});
  suite::InstallDictionaries(context);
  const std::optional<test::JournalLine> start = install_->WaitForStartOf(L"DictInst.exe");
  ASSERT_TRUE(start.has_value());
  EXPECT_EQ(test::ArgumentsOf(start->commandLine), L"/WaitForServerExit");
  EXPECT_EQ(start->record, L"<none>");  // the record is named DictInstS for both editions
  EXPECT_EQ(RunningRecord(L"DictInstS"), std::optional<std::wstring>(L"S="));
  EXPECT_EQ(context.CloseRequests(), 1);
  ASSERT_EQ(context.Shown().size(), 1u);
  EXPECT_EQ(context.Shown()[0].id, static_cast<UINT>(IDS_CLOSE_ALL_APPS));
  EXPECT_EQ(context.Shown()[0].argument, L"VANTO Translator Home");
}

TEST_F(DictionaryInstallTest, ANetworkClientStartsTheNetworkInstallerWithTheServerName) {
  PlayAdministrator(true);
  install_->Install(L"DictInstS");
  test::LaunchTestContext context(test::Sections{{L"apps", {L"DictInstS", L"SrvConfig"}}});
  context.UseServer(L"SRV1");
  context.Answer({IDYES});
  suite::InstallDictionaries(context);
  const std::optional<test::JournalLine> start = install_->WaitForStartOf(L"DictInstS.exe");
  ASSERT_TRUE(start.has_value());
  EXPECT_EQ(start->record, L"S=SRV1");
  EXPECT_EQ(context.CloseRequests(), 1);
}

TEST_F(DictionaryInstallTest, AStandardUserWhoDeclinesTheRightsStartsNothingAndLeavesNoRecord) {
  PlayAdministrator(false);
  install_->Install(L"DictInst");
  test::LaunchTestContext context(test::Sections{{L"apps", {L"DictInst"}}});
  context.Answer({IDYES, IDNO});
  suite::InstallDictionaries(context);
  EXPECT_EQ(install_->RunningCopies(L"DictInst.exe"), 0u);
  EXPECT_FALSE(RunningRecord(L"DictInstS").has_value());
  EXPECT_EQ(context.CloseRequests(), 0);
  EXPECT_TRUE(elevations_.empty());
  ASSERT_EQ(context.Shown().size(), 2u);
  EXPECT_EQ(
      context.Shown()[1].text,
      L"You need administrator rights to install dictionaries.\nLaunch this application with administrator "
      L"rights?");
  EXPECT_EQ(context.Shown()[1].flags, static_cast<UINT>(MB_YESNO));
}

TEST_F(DictionaryInstallTest, AStandardUserWhoAgreesStartsItElevated) {
  PlayAdministrator(false);
  install_->Install(L"DictInst");
  test::LaunchTestContext context(test::Sections{{L"apps", {L"DictInst"}}});
  context.Answer({IDYES, IDYES});
  suite::InstallDictionaries(context);
  EXPECT_EQ(elevations_.size(), 1u);
  EXPECT_TRUE(install_->WaitForStartOf(L"DictInst.exe").has_value());
  EXPECT_EQ(context.CloseRequests(), 1);
}

TEST_F(DictionaryInstallTest, WithoutAnAppsKeyTheRegistryIsDamaged) {
  test::LaunchTestContext context(test::Sections{{L"apps", {L"DictInst"}}});
  suite::InstallDictionaries(context);
  ASSERT_EQ(context.Shown().size(), 1u);
  EXPECT_EQ(context.Shown()[0].text, L"Registry information is damaged.");
}

TEST_F(DictionaryInstallTest, RefusalsSayWhy) {
  const struct {
    const char* what;
    test::Sections sections;
    const wchar_t* server;
    bool installed;
    UINT message;
  } cases[] = {
      {"installer not part of the product", {{L"apps", {L"Vnto"}}}, L"", true, IDS_OTHER_PRODUCTS},
      {"installer not installed", {{L"apps", {L"DictInst"}}}, L"", false, IDS_APP_NOT_INSTALLED},
      {"network client without the server setup",
       {{L"apps", {L"DictInstS"}}},
       L"SRV1",
       true,
       IDS_NET_SERVER_ONLY},
  };
  for (const auto& c : cases) {
    Reinstall();
    // The Apps key exists either way; without it the registry counts as damaged.
    install_->Install(c.installed ? L"DictInst" : L"Vnto");
    test::LaunchTestContext context(c.sections);
    if (*c.server) context.UseServer(c.server);
    suite::InstallDictionaries(context);
    ASSERT_EQ(context.Shown().size(), 1u) << c.what;
    const test::ShownBox& box = context.Shown()[0];
    if (box.viaShowMessage) {
      EXPECT_EQ(box.id, c.message) << c.what;
    } else {
      EXPECT_NE(box.text.find(L"VANTO NET server"), std::wstring::npos) << c.what;
    }
    EXPECT_FALSE(RunningRecord(L"DictInstS").has_value()) << c.what;
    EXPECT_EQ(context.CloseRequests(), 0) << c.what;
  }
}

}  // namespace
