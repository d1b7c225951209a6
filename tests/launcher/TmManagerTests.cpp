// Starting the TM manager for a database: its G= record, and the one shell result that counts as
// failure.
#include <gtest/gtest.h>

#include <windows.h>

#include <shellapi.h>

#include <iostream>

#include "LaunchTestContext.h"
#include "StringIds.h"
#include "SuiteInstallTest.h"
#include "suite/Launcher.h"
#include "suite/ShellStart.h"
#include "support/ScratchDir.h"

namespace {

using test::RunningRecord;

constexpr wchar_t kDatabase[] = L"Legal EN-DE";

class TmManagerTest : public test::SuiteInstallTest {
 protected:
  test::LaunchTestContext context_{test::Sections{{L"apps", {L"TMD"}}}};
};

TEST_F(TmManagerTest, StartsWithTheDatabaseInItsRecord) {
  const struct {
    const wchar_t* server;
    const wchar_t* record;
  } cases[] = {{L"", L"G=Legal EN-DE"}, {L"SRV1", L"G=Legal EN-DE;S=SRV1"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(std::wstring(c.record)));
    Reinstall();
    install_->Install(L"TMD");
    context_.UseServer(c.server);

    EXPECT_TRUE(suite::Launcher(context_).StartTmManager(kDatabase));

    const auto started = install_->WaitForStartOf(L"TMD.exe");
    ASSERT_TRUE(started);
    EXPECT_EQ(started->record, c.record);
    EXPECT_EQ(test::ArgumentsOf(started->commandLine), L"");
    EXPECT_EQ(RunningRecord(L"TMD"), c.record);
  }
  EXPECT_TRUE(context_.Shown().empty());
}

TEST_F(TmManagerTest, AFileWithoutAssociationCountsAsStarted) {
  const auto file = install_->Folder() / L"database.xyz";
  test::WriteFile(file, "no program opens this");
  const INT_PTR result = suite::StartProgram(file.wstring());
  std::cout << "the shell answers " << result << " for a file without association\n";
  ASSERT_LE(result, 32);
  ASSERT_NE(result, SE_ERR_FNF);
  install_->Register(L"TMD", file);

  EXPECT_TRUE(suite::Launcher(context_).StartTmManager(kDatabase));

  EXPECT_EQ(RunningRecord(L"TMD"), L"G=Legal EN-DE");
  EXPECT_TRUE(context_.Shown().empty());
}

TEST_F(TmManagerTest, WhatKeepsItFromStarting) {
  const struct {
    const char* what;
    const wchar_t* registered;  // the Apps value written; none: no Apps key at all
    bool viaShowMessage;
    UINT message;
    const wchar_t* text;
  } cases[] = {
      {"a missing file", L"TMD", true, IDS_LAUNCH_FAILED,
       L"There was a problem launching the selected application. The file may be missing or corrupt, or you "
       L"do not have sufficient privileges."},
      {"no Apps value of its own", L"Batcher", true, IDS_APP_NOT_INSTALLED,
       L"The selected application is not installed. Launch the installer and select the application to be "
       L"installed."},
      {"no Apps key: the registry is damaged", nullptr, false, 0, L"Registry information is damaged."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Reinstall();
    test::LaunchTestContext context(test::Sections{{L"apps", {L"TMD"}}});
    if (c.registered) install_->Register(c.registered, install_->Folder() / L"TMD.exe");

    EXPECT_FALSE(suite::Launcher(context).StartTmManager(kDatabase));

    EXPECT_EQ(RunningRecord(L"TMD"), std::nullopt);
    ASSERT_EQ(context.Shown().size(), 1u);
    const test::ShownBox& box = context.Shown()[0];
    EXPECT_EQ(box.viaShowMessage, c.viaShowMessage);
    EXPECT_EQ(box.id, c.message);
    EXPECT_EQ(box.text, c.text);
    if (c.viaShowMessage) {
      EXPECT_EQ(box.argument, L"VANTO TM Manager");
    }
  }
}

}  // namespace
