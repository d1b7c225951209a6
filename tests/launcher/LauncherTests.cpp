// Starting real programs: copies of the suite application substitute, started through the shell,
// report in their journal how they were started and which Running record they found.
#include <gtest/gtest.h>

#include <windows.h>

#include <shellapi.h>

#include <algorithm>

#include "LaunchTestContext.h"
#include "StringIds.h"
#include "SuiteInstallTest.h"
#include "suite/DictionaryInstall.h"
#include "suite/LaunchList.h"
#include "suite/Launcher.h"
#include "suite/ShellStart.h"
#include "support/RegistrySandbox.h"

namespace {

using test::ArgumentsOf;
using test::RunningRecord;

constexpr wchar_t kWait[] = L"/WaitForServerExit";

class NullSink final : public suite::LaunchListSink {
 public:
  void Clear() override {}
  void AddRow(HICON, const std::wstring&, const std::wstring&, bool) override {}
};

class LauncherTest : public test::SuiteInstallTest {
 protected:
  // A menu command's list, or else the launch list's row of the one app ID (in show-all mode,
  // so that rows whose files are missing are there).
  static void Launch(test::LaunchTestContext& context, bool fromMenu, const std::wstring& command) {
    if (fromMenu) return suite::Launcher(context).LaunchCommandApps(command);
    NullSink sink;
    suite::LaunchList list(context, sink);
    ASSERT_TRUE(list.Fill(true));
    const auto items = list.Items();
    const auto row =
        std::find_if(items.begin(), items.end(), [&](const auto& i) { return i.appId == command; });
    ASSERT_NE(row, items.end()) << "no row for " << command;
    list.LaunchItem(static_cast<size_t>(row - items.begin()));
  }
};

TEST_F(LauncherTest, StartsLeaveTheirRecordAndPassNoArguments) {
  const struct {
    const char* what;
    bool fromMenu;
    const wchar_t* command;
    const wchar_t* server;
    const wchar_t* program;     // the one installed, and started
    const wchar_t* recordName;  // where the record is
    std::optional<std::wstring> record;
    const wchar_t* recordFound;  // by the started program
  } cases[] = {
      {"list, local kernel", false, L"Batcher", L"", L"Batcher", L"Batcher", L"S=local", L"S=local"},
      {"list, server kernel", false, L"Lexa", L"SRV1", L"Lexa", L"Lexa", L"S=SRV1", L"S=SRV1"},
      // The record is named by the command's own ID, whichever of its applications starts.
      {"menu, first installed of three", true, L"Vnto|VntoI|VntoX", L"SRV1", L"VntoX", L"Vnto", L"S=SRV1",
       L"<none>"},
      {"menu, local kernel", true, L"Glosso", L"", L"Glosso", L"Glosso", std::nullopt, L"<none>"},
      {"menu, plug-ins manager for a standard user", true, L"VantoEM", L"", L"VantoEM", L"VantoEM",
       std::nullopt, L"<none>"},
  };
  PlayAdministrator(false);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Reinstall();
    test::LaunchTestContext context(
        {{L"apps", {L"Vnto", L"VntoI", L"VntoX", L"Batcher", L"Lexa", L"Glosso", L"VantoEM"}},
         {L"allapps", {L"Batcher", L"Lexa"}}});
    context.UseServer(c.server);
    install_->Install(c.program);

    Launch(context, c.fromMenu, c.command);

    const auto started = install_->WaitForStartOf(std::wstring(c.program) + L".exe");
    ASSERT_TRUE(started);
    EXPECT_EQ(ArgumentsOf(started->commandLine), L"");
    EXPECT_EQ(started->record, c.recordFound);
    EXPECT_EQ(RunningRecord(c.recordName), c.record);
    if (std::wstring(c.recordName) != c.program) {
      EXPECT_EQ(RunningRecord(c.program), std::nullopt);
    }
    EXPECT_TRUE(context.Shown().empty());
    EXPECT_EQ(context.CloseRequests(), 0);
  }
  EXPECT_TRUE(elevations_.empty());
}

TEST_F(LauncherTest, StartsThatFailTakeBackTheRecordTheyWroteAndNoOther) {
  const struct {
    const char* what;
    bool fromMenu;
    const wchar_t* command;
    const wchar_t* missingProgram;  // registered, but no file; none: nothing registered
    const wchar_t* recordName;
    UINT message;
    const wchar_t* argument;
  } cases[] = {
      {"list", false, L"Batcher", L"Batcher", L"Batcher", IDS_LAUNCH_FAILED, L"VANTO Batch Translator"},
      {"menu", true, L"Vnto|VntoX", L"VntoX", L"Vnto", IDS_LAUNCH_FAILED, L"VANTO Translator"},
      {"menu, nothing installed", true, L"Glosso|GlossoL", nullptr, L"Glosso", IDS_APP_NOT_INSTALLED,
       L"VANTO Terminology Manager"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Reinstall();
    test::LaunchTestContext context(
        {{L"apps", {L"Batcher", L"Vnto", L"VntoX", L"Glosso"}}, {L"allapps", {L"Batcher"}}});
    context.UseServer(L"SRV1");
    const std::wstring missing = c.missingProgram ? c.missingProgram : L"Other";
    install_->Register(missing, install_->Folder() / (missing + L".exe"));
    if (c.fromMenu) test::WriteRunningRecord(missing, L"S=OTHER");  // another start's record

    Launch(context, c.fromMenu, c.command);

    EXPECT_EQ(RunningRecord(c.recordName), std::nullopt);
    if (c.fromMenu) {
      EXPECT_EQ(RunningRecord(missing), L"S=OTHER");
    }
    ASSERT_EQ(context.Shown().size(), 1u);
    EXPECT_EQ(context.Shown()[0].id, c.message);
    EXPECT_EQ(context.Shown()[0].argument, c.argument);
    EXPECT_EQ(context.CloseRequests(), 0);
  }
}

// A program that would run without its record (the kernel's server, the database to open) is not
// started, and the person is told which one. Wine keeps a key's access list as Windows does.
TEST_F(LauncherTest, AProgramWhoseRecordCannotBeWrittenIsNotStarted) {
  enum class Via { kList, kMenu, kTmManager, kDictionaries };
  const struct {
    const char* what;
    Via via;
    const wchar_t* appId;
    const wchar_t* server;
    std::initializer_list<int> answers;
    const wchar_t* name;  // named with the message
  } cases[] = {
      {"launch list, local kernel", Via::kList, L"Batcher", L"", {}, L"VANTO Batch Translator"},
      {"launch list, exclusive: before the question", Via::kList, L"UBackup", L"", {}, L"VANTO Backup"},
      {"menu command, kernel on a server", Via::kMenu, L"Vnto", L"SRV1", {}, L"VANTO Translator"},
      {"TM manager", Via::kTmManager, L"TMD", L"", {}, L"VANTO TM Manager"},
      {"dictionary installer: after the question",
       Via::kDictionaries,
       L"DictInst",
       L"",
       {IDYES},
       L"VANTO Dictionary Installer"},
  };
  PlayAdministrator(true);  // no questions about rights
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Reinstall();
    test::LaunchTestContext context({{L"apps", {c.appId}}, {L"allapps", {c.appId}}});
    context.UseServer(c.server);
    install_->Install(c.appId);
    context.Answer(c.answers);
    {
      const test::WriteDeniedKey denied(HKEY_CURRENT_USER, test::kRunningKeyPath);
      switch (c.via) {
        case Via::kList: Launch(context, false, c.appId); break;
        case Via::kMenu: Launch(context, true, c.appId); break;
        case Via::kTmManager: EXPECT_FALSE(suite::Launcher(context).StartTmManager(L"DB1")); break;
        case Via::kDictionaries: suite::InstallDictionaries(context); break;
      }
    }

    ASSERT_FALSE(context.Shown().empty());
    EXPECT_EQ(context.Shown().size(), c.answers.size() + 1);
    const test::ShownBox& box = context.Shown().back();
    EXPECT_EQ(box.id, static_cast<UINT>(IDS_LAUNCH_RECORD_FAILED));
    EXPECT_EQ(box.argument, c.name);
    EXPECT_EQ(box.text,
              L"Cannot start the \"" + std::wstring(c.name) +
                  L"\" application: its settings could not be saved in the registry. You may not have "
                  L"sufficient privileges.");
    EXPECT_EQ(box.flags, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
    EXPECT_EQ(install_->RunningCopies(std::wstring(c.appId) + L".exe"), 0u);
    EXPECT_TRUE(install_->Journal().empty());
    EXPECT_EQ(context.CloseRequests(), 0);
    EXPECT_EQ(context.UnusedAnswers(), 0u);
  }

  // A menu command with a local kernel leaves no record: nothing keeps it from starting.
  Reinstall();
  test::LaunchTestContext context(test::Sections{{L"apps", {L"Glosso"}}});
  install_->Install(L"Glosso");
  {
    const test::WriteDeniedKey denied(HKEY_CURRENT_USER, test::kRunningKeyPath);
    Launch(context, true, L"Glosso");
  }
  EXPECT_TRUE(install_->WaitForStartOf(L"Glosso.exe"));
  EXPECT_TRUE(context.Shown().empty());
}

TEST_F(LauncherTest, StandardUserStartsBackupUnelevatedAfterDecliningRightsAndTheStartCentreCloses) {
  PlayAdministrator(false);
  test::LaunchTestContext context({{L"apps", {L"UBackup"}}, {L"allapps", {L"UBackup"}}});
  install_->Install(L"UBackup");
  context.Answer({IDYES, IDNO});

  Launch(context, false, L"UBackup");

  const auto started = install_->WaitForStartOf(L"UBackup.exe");
  ASSERT_TRUE(started);
  EXPECT_EQ(ArgumentsOf(started->commandLine), kWait);
  EXPECT_EQ(started->record, L"S=local");
  EXPECT_TRUE(elevations_.empty());
  EXPECT_EQ(context.CloseRequests(), 1);
  const auto& shown = context.Shown();
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[0].id, static_cast<UINT>(IDS_CLOSE_ALL_APPS));
  EXPECT_EQ(shown[0].argument, L"VANTO Translator Home");
  EXPECT_EQ(shown[0].flags & MB_TYPEMASK, static_cast<UINT>(MB_YESNO));
  EXPECT_EQ(
      shown[1].text,
      L"You need administrator rights to back up data for all users of VANTO translator on this computer.\n"
      L"Launch this application with administrator rights?");
  EXPECT_EQ(shown[1].flags, static_cast<UINT>(MB_YESNO)) << "Yes and No, no icon";
  EXPECT_EQ(context.UnusedAnswers(), 0u);
}

TEST_F(LauncherTest, ExclusiveStartsWaitForTheStartCentreAndCloseIt) {
  const struct {
    const char* what;
    bool fromMenu;
    const wchar_t* appId;
    bool administrator;
    std::initializer_list<int> answers;
    std::optional<INT_PTR> elevation;  // the prompt's answer; nullopt: Wine's real "runas"
    size_t elevations;
  } cases[] = {
      {"backup, rights granted", false, L"UBackup", false, {IDYES, IDYES}, std::nullopt, 1},
      {"installer, prompt cancelled: a normal start follows",
       false,
       L"DictInst",
       false,
       {IDYES, IDYES},
       SE_ERR_ACCESSDENIED,
       1},
      {"installer, administrator", false, L"DictInst", true, {IDYES}, std::nullopt, 0},
      {"network installer from the menu, administrator", true, L"DictInstS", true, {IDYES}, std::nullopt, 0},
      {"network backup from the menu, rights granted",
       true,
       L"UBackupNET",
       false,
       {IDYES, IDYES},
       std::nullopt,
       1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Reinstall();
    PlayAdministrator(c.administrator);
    elevationAnswer_ = c.elevation;
    test::LaunchTestContext context({{L"apps", {c.appId}}, {L"allapps", {c.appId}}, {L"_menu6", {L"item0"}}});
    context.UseServer(L"SRV1");
    const auto program = install_->Install(c.appId);
    context.Answer(c.answers);

    Launch(context, c.fromMenu, c.appId);

    ASSERT_EQ(elevations_.size(), c.elevations);
    for (const suite::ElevationRequest& request : elevations_) {
      EXPECT_EQ(request.verb, L"runas");
      EXPECT_EQ(request.mask, 0x4140u);
      EXPECT_EQ(request.size, sizeof(SHELLEXECUTEINFOW));
      EXPECT_EQ(request.file, program.wstring());
      EXPECT_EQ(request.parameters, kWait);
      EXPECT_EQ(request.directory, std::nullopt);
      EXPECT_EQ(request.show, SW_SHOWNORMAL);
    }
    const auto started = install_->WaitForStartOf(std::wstring(c.appId) + L".exe");
    ASSERT_TRUE(started);
    EXPECT_EQ(ArgumentsOf(started->commandLine), kWait);
    EXPECT_EQ(started->record, L"S=SRV1");
    EXPECT_EQ(install_->Journal().size(), 1u);
    EXPECT_EQ(context.CloseRequests(), 1);
    EXPECT_EQ(context.UnusedAnswers(), 0u);
  }
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
  PlayAdministrator(false);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Reinstall();
    test::LaunchTestContext context({{L"apps", {c.appId}}, {L"allapps", {c.appId}}, {L"_menu6", {L"item0"}}});
    context.UseServer(L"SRV1");
    install_->Install(c.appId);
    context.Answer(c.answers);

    Launch(context, c.fromMenu, c.appId);

    EXPECT_EQ(install_->RunningCopies(std::wstring(c.appId) + L".exe"), 0u);
    EXPECT_TRUE(install_->Journal().empty());
    EXPECT_EQ(RunningRecord(c.appId), std::nullopt);
    EXPECT_EQ(context.CloseRequests(), 0);
    EXPECT_EQ(context.UnusedAnswers(), 0u);
    EXPECT_TRUE(elevations_.empty());
  }
}

TEST_F(LauncherTest, PluginsManagerFromTheListAsksAStandardUserForRights) {
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
    Reinstall();
    PlayAdministrator(c.administrator);
    test::LaunchTestContext context({{L"apps", {L"VantoEM"}}, {L"allapps", {L"VantoEM"}}});
    install_->Install(L"VantoEM");
    context.Answer(c.answers);

    Launch(context, false, L"VantoEM");

    ASSERT_EQ(elevations_.size(), c.elevations);
    if (c.elevations) {
      EXPECT_EQ(elevations_[0].parameters, std::nullopt);
    }
    ASSERT_EQ(context.Shown().size(), c.administrator ? 0u : 1u);
    if (!c.administrator) {
      EXPECT_EQ(
          context.Shown()[0].text,
          L"You need administrator rights to enable translation extensions for QIP Infium, Internet "
          L"Explorer, Mozilla Firefox, and Adobe Acrobat.\nTo enable other translation extensions, you need "
          L"the current user rights.\nLaunch this application with administrator rights?");
    }
    const auto started = install_->WaitForStartOf(L"VantoEM.exe");
    ASSERT_TRUE(started);
    EXPECT_EQ(ArgumentsOf(started->commandLine), L"");
    EXPECT_EQ(RunningRecord(L"VantoEM"), L"S=local");
    EXPECT_EQ(context.CloseRequests(), 0);
  }
}

TEST_F(LauncherTest, ApplicationsTheProductDoesNotListAreRefused) {
  const struct {
    const char* what;
    test::Sections sections;
    const wchar_t* command;
    bool serverOnly;  // message 373, else the other-products message
  } cases[] = {
      {"server tool on a network workstation",
       {{L"apps", {L"Vnto"}}, {L"_menu6", {L"item0"}}},
       L"DictInstS",
       true},
      {"updater on a network workstation",
       {{L"apps", {L"Vnto"}}, {L"_menu6", {L"item0"}}},
       L"UpdLauncher|Vnto",
       true},
      {"server tool where the server's setup is listed",
       {{L"apps", {L"SrvConfig"}}, {L"_menu6", {L"item0"}}},
       L"UBackupNET",
       false},
      {"server tool of a product without a network tab", {{L"apps", {L"Vnto"}}}, L"SrvConfig", false},
      {"another product's application", {{L"apps", {L"Vnto"}}, {L"_menu6", {L"item0"}}}, L"Lexa", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    test::LaunchTestContext context(c.sections);
    context.UseServer(L"SRV1");
    install_->Install(L"Vnto");

    suite::Launcher(context).LaunchCommandApps(c.command);

    ASSERT_EQ(context.Shown().size(), 1u);
    if (c.serverOnly) {
      EXPECT_EQ(context.Shown()[0].text, L"This application can only run on the VANTO NET server.");
    } else {
      EXPECT_EQ(context.Shown()[0].id, static_cast<UINT>(IDS_OTHER_PRODUCTS));
    }
    EXPECT_EQ(RunningRecord(std::wstring(c.command).substr(0, std::wstring(c.command).find(L'|'))),
              std::nullopt);
  }
  EXPECT_TRUE(install_->Journal().empty());
}

TEST_F(LauncherTest, APathLongerThanTheShellTakesIsReportedAndNotStarted) {
  enum class Via { kList, kMenu, kTmManager, kDictionaries };
  const struct {
    const char* what;
    Via via;
    const wchar_t* appId;
    const wchar_t* recordName;
    std::initializer_list<int> answers;
    const wchar_t* name;  // named with the message
  } cases[] = {
      {"launch list", Via::kList, L"Batcher", L"Batcher", {}, L"VANTO Batch Translator"},
      {"menu command", Via::kMenu, L"Vnto", L"Vnto", {}, L"VANTO Translator"},
      {"TM manager", Via::kTmManager, L"TMD", L"TMD", {}, L"VANTO TM Manager"},
      {"dictionary installer",
       Via::kDictionaries,
       L"DictInst",
       L"DictInstS",
       {IDYES},
       L"VANTO Dictionary Installer"},
  };
  PlayAdministrator(true);  // no questions about rights
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Reinstall();
    test::LaunchTestContext context({{L"apps", {c.appId}}, {L"allapps", {c.appId}}});
    install_->Register(c.appId, L"C:\\" + std::wstring(100000, L'x') + L".exe");
    context.Answer(c.answers);

    switch (c.via) {
      case Via::kList: Launch(context, false, c.appId); break;
      case Via::kMenu: Launch(context, true, c.appId); break;
      case Via::kTmManager: EXPECT_FALSE(suite::Launcher(context).StartTmManager(L"DB1")); break;
      case Via::kDictionaries: suite::InstallDictionaries(context); break;
    }

    ASSERT_FALSE(context.Shown().empty());
    EXPECT_EQ(
        context.Shown().back().text,
        L"There was a problem launching the selected application. The file may be missing or corrupt, or you "
        L"do not have sufficient privileges.");
    EXPECT_EQ(context.Shown().back().argument, c.name);
    EXPECT_EQ(RunningRecord(c.recordName), std::nullopt);
    EXPECT_TRUE(install_->Journal().empty());
    EXPECT_EQ(context.CloseRequests(), 0);
    EXPECT_EQ(context.UnusedAnswers(), 0u);
  }
}

// An Apps value that goes on after a NUL was not written by the installer: read up to the NUL it
// would name the folder that holds the program, which the shell opens in Explorer. Every start that
// reads the value refuses it as damaged, leaves no record and starts nothing.
TEST_F(LauncherTest, AnAppsValueWithTextAfterANulIsDamagedAndNothingStarts) {
  enum class Via { kList, kMenu, kTmManager, kDictionaries };
  const struct {
    const char* what;
    Via via;
    const wchar_t* appId;
    const wchar_t* recordName;
  } cases[] = {
      {"launch list", Via::kList, L"Batcher", L"Batcher"},
      {"menu command", Via::kMenu, L"VntoX", L"VntoX"},
      {"TM manager", Via::kTmManager, L"TMD", L"TMD"},
      {"dictionary installer", Via::kDictionaries, L"DictInst", L"DictInstS"},
  };
  PlayAdministrator(true);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Reinstall();
    test::LaunchTestContext context({{L"apps", {c.appId}}, {L"allapps", {c.appId}}});
    // A network client would need the server's own installer; a menu command leaves a record then.
    context.UseServer(c.via == Via::kDictionaries ? L"" : L"SRV1");
    // The folder before the NUL exists, and so does the program the whole text would name.
    install_->Install(c.appId);
    const std::wstring value = install_->Folder().wstring() + std::wstring(1, L'\0') + c.appId + L".exe";
    {
      win::UniqueKey apps;
      ASSERT_EQ(::RegOpenKeyExW(HKEY_LOCAL_MACHINE, test::kAppsKeyPath, 0, KEY_SET_VALUE, apps.put()),
                ERROR_SUCCESS);
      ASSERT_EQ(::RegSetValueExW(apps.get(), c.appId, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                 static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))),
                ERROR_SUCCESS);
    }

    switch (c.via) {
      case Via::kList: {
        NullSink sink;
        suite::LaunchList list(context, sink);
        ASSERT_TRUE(list.Fill(true));
        ASSERT_EQ(list.Items().size(), 1u);
        EXPECT_TRUE(list.Items()[0].damaged);
        EXPECT_FALSE(list.Items()[0].installed);
        EXPECT_EQ(list.Items()[0].path, L"");
        list.LaunchItem(0);
        break;
      }
      case Via::kMenu: Launch(context, true, c.appId); break;
      case Via::kTmManager: EXPECT_FALSE(suite::Launcher(context).StartTmManager(L"DB1")); break;
      case Via::kDictionaries: suite::InstallDictionaries(context); break;
    }

    ASSERT_EQ(context.Shown().size(), 1u);
    EXPECT_EQ(context.Shown()[0].text, L"Registry information is damaged.");
    EXPECT_EQ(context.Shown()[0].flags, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
    EXPECT_EQ(RunningRecord(c.recordName), std::nullopt);
    EXPECT_TRUE(install_->Journal().empty());
    EXPECT_EQ(context.CloseRequests(), 0);
  }
}

// An installer that wrote a size too large leaves text after the value's NUL. Read up to the NUL, a
// value that names the program is what Windows programs read, and the program starts.
TEST_F(LauncherTest, AnAppsValueNamingTheProgramBeforeItsNulStartsIt) {
  test::LaunchTestContext context({{L"apps", {L"Batcher"}}, {L"allapps", {L"Batcher"}}});
  const std::wstring value =
      install_->Install(L"Batcher").wstring() + std::wstring(1, L'\0') + L"\u00ff\u00fe";
  test::SetString(HKEY_LOCAL_MACHINE, test::kAppsKeyPath, L"Batcher", value);
  Launch(context, false, L"Batcher");
  EXPECT_TRUE(install_->WaitForStartOf(L"Batcher.exe"));
  EXPECT_TRUE(context.Shown().empty());
}

}  // namespace
