// Starting the TM manager for a database: its G= record, and every shell error counted as a failure.
#include <gtest/gtest.h>

#include <windows.h>

#include <shellapi.h>

#include <filesystem>
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

// Every error of the shell means the manager did not start: a record left behind would open the
// database at the manager's next start, whoever starts it.
TEST_F(TmManagerTest, EveryStartTheShellRefusesIsAFailure) {
  const auto damaged = install_->Folder() / L"TMD.exe";
  test::WriteFile(damaged, "MZ, and nothing of a program after it");
  const auto unassociated = install_->Folder() / L"database.xyz";
  test::WriteFile(unassociated, "no program opens this");
  const struct {
    const char* what;
    std::filesystem::path program;
  } cases[] = {
      {"its folder gone", install_->Folder() / L"Gone" / L"TMD.exe"},
      {"a damaged program", damaged},
      {"a file no program opens", unassociated},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const INT_PTR shell = suite::StartProgram(c.program.wstring());
    std::cout << "the shell answers " << shell << " for " << c.what << "\n";
    ASSERT_LE(shell, 32);
    install_->Register(L"TMD", c.program);
    test::LaunchTestContext context(test::Sections{{L"apps", {L"TMD"}}});

    EXPECT_FALSE(suite::Launcher(context).StartTmManager(kDatabase));

    EXPECT_EQ(RunningRecord(L"TMD"), std::nullopt);
    ASSERT_EQ(context.Shown().size(), 1u);
    EXPECT_EQ(context.Shown()[0].id, static_cast<UINT>(IDS_LAUNCH_FAILED));
    EXPECT_EQ(context.Shown()[0].argument, L"VANTO TM Manager");
  }
  EXPECT_TRUE(install_->Journal().empty());
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
