// The hand-off's refusals and failures in a sandboxed registry: what it says, what it leaves in the
// Running key, and the add-in it switches on first.
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <iostream>
#include <optional>
#include <string>

#include "../launcher/LaunchTestContext.h"
#include "HandOffTestContext.h"
#include "StringIds.h"
#include "TaskFixtures.h"
#include "core/ComError.h"
#include "menu/TaskTable.h"
#include "support/Driver.h"
#include "support/ProcessList.h"
#include "support/RegistrySandbox.h"
#include "support/SavedState.h"
#include "support/ScratchDir.h"
#include "support/TestPaths.h"
#include "suite/Privileges.h"
#include "suite/ShellStart.h"
#include "tasks/HandOffKey.h"
#include "tasks/TranslateMenuUtils.h"
#include "win/System.h"

namespace {

using namespace std::chrono_literals;
using tasktest::Keys;

constexpr wchar_t kRunning[] = L"Software\\Korvelsoft\\VNTO9\\Running";

tasktest::Sections Product() {
  const auto apps = Keys({L"Word", L"Outlook", L"Vnto", L"VntoI", L"VntoX", L"Batcher", L"VntoICQ",
                          L"FireFox", L"VantoMSN", L"VantoQIP"});
  return {{L"apps", apps}, {L"allapps", apps}};
}

switches::PluginRecord Record(const wchar_t* name, int state, int kind) {
  return test::Found(0, name, state, kind, L"VANTO for Tests");
}

bool RunningValueExists(const std::wstring& name) {
  bool found = false;
  (void)test::GetString(HKEY_CURRENT_USER, kRunning, name, &found);
  return found;
}

class HandOffTest : public tasktest::SandboxedTaskTest {
 protected:
  // Fills the list for `tokens` and hands `document` to its entry `entry`.
  int HandOff(CTranslateMenuUtils& utils, const std::wstring& tokens, int entry, const std::wstring& document,
              int task = 11) {
    tasktest::ListWindow window(true);
    EXPECT_TRUE(utils.FillAppList(tokens, task, window.List()));
    return utils.HandOff({entry, 7, L"General", document, task});
  }

  // The suite application `appId` as a real program: a copy of the suite application substitute,
  // which shows whether the hand-off started it.
  void InstallProgram(const std::wstring& appId) {
    ASSERT_TRUE(std::filesystem::exists(test::BinFolder() / L"SuiteApp.exe"))
        << "SuiteApp.exe has not been built";
    const std::filesystem::path program = scratch_.Folder(L"Programs") / (appId + L".exe");
    std::filesystem::copy_file(test::BinFolder() / L"SuiteApp.exe", program);
    tasktest::RegisterApp(appId, program.wstring());
  }
  [[nodiscard]] size_t ProgramsStarted() const {
    return test::ProcessesIn(scratch_.path() / L"Programs").size();
  }

  // Whatever a failing test started from the scratch folder ends with it.
  const test::Restorer endPrograms_{[this] {
    for (const test::ListedProcess& process : test::ProcessesIn(scratch_.path())) {
      ::TerminateProcess(process.handle.get(), 1);
      ::WaitForSingleObject(process.handle.get(), 5000);
    }
  }};
};

TEST_F(HandOffTest, AnEmptyDocumentIsRefusedExceptForMailAndMessages) {
  RegisterMissing(L"Vnto");
  RegisterMissing(L"VntoICQ");
  tasktest::HandOffTestContext context(Product());
  CTranslateMenuUtils utils(context);
  utils.LoadPlugins();

  for (const wchar_t* document : {L"", L"http://", L"http://http://"}) {
    for (int task : {10, 11, 16}) {
      SCOPED_TRACE(testing::Message() << "task " << task << " document " << testing::PrintToString(document));
      const size_t before = context.Shown().size();
      EXPECT_EQ(HandOff(utils, L"Vnto", 0, document, task), 0);
      ASSERT_EQ(context.Shown().size(), before + 1);
      EXPECT_FALSE(context.Shown().back().viaShowMessage);  // a plain box
      EXPECT_EQ(context.Shown().back().text, L"Select the document you wish to translate.");
      EXPECT_FALSE(test::KeyExists(HKEY_CURRENT_USER, kRunning));
    }
  }
  // Mail and messages need no document: the hand-off goes on to the start (which fails here).
  for (int task : {13, 14}) {
    const size_t before = context.Shown().size();
    EXPECT_EQ(HandOff(utils, L"VntoICQ", 0, L"", task), 0);
    ASSERT_EQ(context.Shown().size(), before + 1);
    EXPECT_EQ(context.Shown().back().id, unsigned{IDS_LAUNCH_FAILED});
  }
}

// A ';' would end the record's T field early: the name is refused before the add-in is switched on,
// a record is written or the program is started.
TEST_F(HandOffTest, AProfileNameWithASemicolonIsRefusedBeforeAnythingHappens) {
  InstallProgram(L"Vnto");
  const auto factory = tasktest::SuiteWith(
      {{L"FireFox", test::Script(L"Mozilla Firefox", {256}, {Record(L"Mozilla Firefox 3.6", 0, 256)})}});
  tasktest::HandOffTestContext context(Product());
  CTranslateMenuUtils utils(context, factory);
  utils.LoadPlugins();

  struct Case {
    const wchar_t* tokens;  // one entry: the installed translator, or Firefox with its add-in off
    int task;
    const wchar_t* document;
    const wchar_t* profile;
  };
  const Case cases[] = {{L"Vnto", 11, L"C:\\Docs\\a.doc", L"Legal;EU"},
                        {L"FireFox", 10, L"www.example.com", L"50% ;=%s"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.tokens);
    tasktest::ListWindow window(true);
    ASSERT_TRUE(utils.FillAppList(c.tokens, c.task, window.List()));
    const size_t before = context.Shown().size();

    EXPECT_EQ(utils.HandOff({0, 7, c.profile, c.document, c.task}), 0);

    ASSERT_EQ(context.Shown().size(), before + 1);
    EXPECT_FALSE(context.Shown().back().viaShowMessage);
    EXPECT_EQ(context.Shown().back().text, L"The profile name \"" + std::wstring(c.profile) +
                                               L"\" contains a semicolon, which cannot be passed to the "
                                               L"application. Rename the profile and try again.");
    EXPECT_EQ(context.Shown().back().flags, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
    if (const int id = utils.RecordIdOfEntry(0); id != 0) {
      EXPECT_EQ(utils.FindRecord(id)->state, 0);  // the add-in stays off
    }
  }
  EXPECT_EQ(ProgramsStarted(), 0u);
  EXPECT_FALSE(test::KeyExists(HKEY_CURRENT_USER, kRunning));
  EXPECT_EQ(context.PluginManagerRequests(), 0);
}

TEST_F(HandOffTest, AMissingProgramTakesTheRecordBackAndSaysSo) {
  RegisterMissing(L"Vnto");
  const auto factory =
      tasktest::SuiteWith({{L"Office2003", test::Script(L"MS Office XP/2003", {4, 2, 16},
                                                        {Record(L"Microsoft Word 2000/XP/2003", 1, 4)})}});
  tasktest::HandOffTestContext context(Product());
  CTranslateMenuUtils utils(context, factory);
  utils.LoadPlugins();

  EXPECT_EQ(HandOff(utils, L"Vnto", 0, L"C:\\Docs\\a.doc"), 0);
  ASSERT_EQ(context.Shown().size(), 1u);
  EXPECT_EQ(context.Shown()[0].id, unsigned{IDS_LAUNCH_FAILED});
  EXPECT_EQ(context.Shown()[0].argument, (scratch_.path() / L"gone" / L"Vnto.exe").wstring());
  EXPECT_TRUE(test::KeyExists(HKEY_CURRENT_USER, kRunning));
  EXPECT_FALSE(RunningValueExists(L"Vnto"));

  // No Word anywhere on the search path either.
  EXPECT_EQ(HandOff(utils, L"Word", 0, L"C:\\Docs\\a.doc"), 0);
  ASSERT_EQ(context.Shown().size(), 2u);
  EXPECT_EQ(context.Shown()[1].id, unsigned{IDS_LAUNCH_FAILED});
  EXPECT_EQ(context.Shown()[1].argument, L"winword.exe");
  EXPECT_FALSE(RunningValueExists(L"Word"));
}

// Whatever error the shell gives, nothing started: the record goes and the person is told, with the
// program named.
TEST_F(HandOffTest, EveryStartTheShellRefusesTakesTheRecordBackAndSaysSo) {
  const std::filesystem::path programs = scratch_.Folder(L"Programs");
  const std::filesystem::path damaged = programs / L"Vnto.exe";
  test::WriteFile(damaged, "MZ, and nothing of a program after it");
  const std::filesystem::path unassociated = programs / L"Vnto.vantotest";
  test::WriteFile(unassociated, "no program opens this");
  const struct {
    const char* what;
    std::filesystem::path program;
  } cases[] = {
      {"its folder gone", scratch_.path() / L"Gone" / L"Vnto.exe"},
      {"a damaged program", damaged},
      {"a file no program opens", unassociated},
  };
  tasktest::HandOffTestContext context(Product());
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    tasktest::RegisterApp(L"Vnto", c.program.wstring());
    const INT_PTR shell = suite::ShellStart({}, c.program.wstring(), {}, {});
    std::cout << "the shell answers " << shell << " for " << c.what << "\n";
    ASSERT_LE(shell, 32);
    CTranslateMenuUtils utils(context);
    utils.LoadPlugins();
    const size_t before = context.Shown().size();

    EXPECT_EQ(HandOff(utils, L"Vnto", 0, L"C:\\Docs\\a.doc"), 0);

    ASSERT_EQ(context.Shown().size(), before + 1);
    EXPECT_EQ(context.Shown().back().id, unsigned{IDS_LAUNCH_FAILED});
    EXPECT_EQ(context.Shown().back().argument, c.program.wstring());
    EXPECT_FALSE(RunningValueExists(L"Vnto"));
  }
  EXPECT_EQ(ProgramsStarted(), 0u);
}

TEST_F(HandOffTest, AnApplicationWithoutItsPathIsNotInstalled) {
  RegisterMissing(L"Vnto");
  tasktest::HandOffTestContext context(Product());
  CTranslateMenuUtils utils(context);
  utils.LoadPlugins();
  tasktest::ListWindow window(true);
  ASSERT_TRUE(utils.FillAppList(L"Vnto", ui::kWordTask, window.List()));
  tasktest::RegisterApp(L"Vnto", L"");  // uninstalled since the list was filled

  EXPECT_EQ(utils.HandOff({0, 7, L"General", L"C:\\a.doc", 11}), 0);
  ASSERT_EQ(context.Shown().size(), 1u);
  EXPECT_EQ(context.Shown()[0].id, unsigned{IDS_APP_NOT_INSTALLED});
  EXPECT_EQ(context.Shown()[0].argument, L"VANTO Translator");
  EXPECT_FALSE(RunningValueExists(L"Vnto"));
}

// A path that goes on after a NUL is damaged: nothing is written or started (read up to the NUL,
// the folder that holds the program would open in Explorer).
TEST_F(HandOffTest, AnApplicationWhosePathGoesOnAfterANulIsRefusedAsDamaged) {
  RegisterMissing(L"Vnto");
  tasktest::HandOffTestContext context(Product());
  CTranslateMenuUtils utils(context);
  utils.LoadPlugins();
  tasktest::ListWindow window(true);
  ASSERT_TRUE(utils.FillAppList(L"Vnto", ui::kWordTask, window.List()));
  const std::wstring damaged = scratch_.Folder(L"Programs").wstring() + std::wstring(1, L'\0') + L"Vnto.exe";
  tasktest::RegisterApp(L"Vnto", damaged);  // damaged since the list was filled

  EXPECT_EQ(utils.HandOff({0, 7, L"General", L"C:\\a.doc", 11}), 0);
  ASSERT_EQ(context.Shown().size(), 1u);
  EXPECT_EQ(context.Shown()[0].text, L"Registry information is damaged.");
  EXPECT_FALSE(RunningValueExists(L"Vnto"));
  EXPECT_EQ(ProgramsStarted(), 0u);
}

TEST_F(HandOffTest, DocxDocumentsNeedWord2007ForTheTranslatorAndItsLiteEdition) {
  for (const wchar_t* app : {L"Vnto", L"VntoX", L"VntoI"}) RegisterMissing(app);
  tasktest::HandOffTestContext context(Product());
  CTranslateMenuUtils utils(context);
  utils.LoadPlugins();

  struct Case {
    const wchar_t* app;
    const wchar_t* document;
    bool refused;
  };
  const Case cases[] = {
      {L"Vnto", L"C:\\Docs\\Report.docx", true},   {L"VntoX", L"C:\\Docs\\Report.docx", true},
      {L"Vnto", L"C:\\Docs\\Report.DOCX", true},  // the extension in capitals too
      {L"VntoI", L"C:\\Docs\\Report.docx", false}, {L"Vnto", L"C:\\Docs\\Report.doc", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.app << " " << testing::PrintToString(c.document));
    const size_t before = context.Shown().size();
    EXPECT_EQ(HandOff(utils, c.app, 0, c.document), 0);
    ASSERT_EQ(context.Shown().size(), before + 1);
    // Not refused: it gets as far as the start, which finds no program here.
    EXPECT_EQ(context.Shown().back().id,
              c.refused ? unsigned{IDS_DOCX_NEEDS_WORD2007} : unsigned{IDS_LAUNCH_FAILED});
    if (c.refused) {
      EXPECT_EQ(
          context.Shown().back().text,
          L"You can translate the document of the specified format only in Microsoft Word 2007 or higher.");
    }
    EXPECT_FALSE(RunningValueExists(c.app));
  }
}

TEST_F(HandOffTest, WithoutItsRecordTheHostIsNotStartedAndThePersonIsTold) {
  const struct {
    const char* what;
    void (*arrange)(tasktest::HandOffTestContext& context, std::optional<test::WriteDeniedKey>& locked);
  } cases[] = {
      {"a Running key this user may not write",
       [](tasktest::HandOffTestContext&, std::optional<test::WriteDeniedKey>& locked) {
         locked.emplace(HKEY_CURRENT_USER, kRunning);
       }},
      {"the Running key removed by another program while the hand-off prepares",
       [](tasktest::HandOffTestContext& context, std::optional<test::WriteDeniedKey>&) {
         context.UseServer(L"SRV1");
         context.WhenServerNameIsRead(
             [] { EXPECT_EQ(::RegDeleteKeyW(HKEY_CURRENT_USER, kRunning), ERROR_SUCCESS); });
       }},
  };
  InstallProgram(L"Vnto");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::optional<test::WriteDeniedKey> locked;
    tasktest::HandOffTestContext context(Product());
    c.arrange(context, locked);
    CTranslateMenuUtils utils(context);
    utils.LoadPlugins();

    EXPECT_EQ(HandOff(utils, L"Vnto", 0, L"C:\\Docs\\a.doc"), 0);

    EXPECT_EQ(ProgramsStarted(), 0u);
    ASSERT_EQ(context.Shown().size(), 1u);
    EXPECT_EQ(context.Shown()[0].text,
              L"Cannot pass the document to the \"VANTO Translator\" application: its translation settings "
              L"could not be saved in the registry. You may not have sufficient privileges.");
    EXPECT_EQ(context.Shown()[0].flags, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
    EXPECT_FALSE(RunningValueExists(L"Vnto"));
  }
}

TEST_F(HandOffTest, AKernelErrorTakesBackTheHostsRecordAndStartsNothing) {
  InstallProgram(L"Vnto");
  // An earlier hand-off's record: left in place, it would send the translator to that document.
  test::SetString(HKEY_CURRENT_USER, kRunning, L"Vnto", L"D=7;T=General;U=\"C:\\Docs\\earlier.doc\";S=SRV1");
  tasktest::HandOffTestContext context(Product());
  context.UseServer(L"SRV1");
  context.WhenServerNameIsRead([] { throw app::ComError(RPC_E_DISCONNECTED); });
  CTranslateMenuUtils utils(context);
  utils.LoadPlugins();

  EXPECT_EQ(HandOff(utils, L"Vnto", 0, L"C:\\Docs\\a.doc"), 0);

  EXPECT_EQ(ProgramsStarted(), 0u);
  // The person is told why nothing started (it once ended without a word).
  ASSERT_EQ(context.Shown().size(), 1u);
  EXPECT_EQ(context.Shown()[0].id, unsigned{IDS_HANDOFF_RECORD_FAILED});
  EXPECT_FALSE(RunningValueExists(L"Vnto"));
}

TEST_F(HandOffTest, AFailedSwitchOnRestoresTheRecordAndAsksForThePluginsManager) {
  test::SwitchScript failing =
      test::Script(L"Mozilla Firefox", {256}, {Record(L"Mozilla Firefox 3.6", 0, 256)});
  failing.failApply = true;
  // A record whose kind no switch serves (here one found by a switch of another family) is left
  // alone without a word.
  const auto factory =
      tasktest::SuiteWith({{L"FireFox", failing},
                           {L"VntoIE", test::Script(L"Internet Explorer", {switches::kSkype},
                                                    {Record(L"Internet Explorer 8", 0, 512)})}});
  tasktest::HandOffTestContext context(Product());
  CTranslateMenuUtils utils(context, factory);
  utils.LoadPlugins();

  EXPECT_EQ(HandOff(utils, L"FireFox", 0, L"www.example.com", 10), 0);
  EXPECT_EQ(context.PluginManagerRequests(), 1);
  EXPECT_EQ(utils.FindRecord(1)->state, 0);
  EXPECT_TRUE(context.Shown().empty());  // the switch was asked to be quiet
  EXPECT_FALSE(RunningValueExists(L"FireFox"));

  EXPECT_EQ(HandOff(utils, L"VntoIE", 0, L"www.example.com", 10), 0);
  EXPECT_EQ(context.PluginManagerRequests(), 1);
  EXPECT_EQ(utils.FindRecord(2)->state, 0);
  EXPECT_TRUE(context.Shown().empty());
}

TEST_F(HandOffTest, SwitchingWordOnWhileWordRunsAsksForARelaunch) {
  tasktest::InstallOffice(scratch_.path(), {true, false, {L"Word"}});
  ASSERT_TRUE(std::filesystem::exists(test::BinFolder() / L"SuiteApp.exe"))
      << "SuiteApp.exe has not been built";
  const std::filesystem::path word = scratch_.Folder(L"Office11") / L"WINWORD.EXE";
  std::filesystem::copy_file(test::BinFolder() / L"SuiteApp.exe", word);
  test::Process running;
  ASSERT_TRUE(running.Start(word)) << "error " << running.LastError();
  ASSERT_TRUE(test::WaitForWindow(running.Id(), {}, {}, 30s));

  tasktest::HandOffTestContext context(Product());
  CTranslateMenuUtils utils(context);
  utils.LoadPlugins();
  EXPECT_EQ(HandOff(utils, L"Word", 0, L"C:\\Docs\\a.doc"), 0);

  ASSERT_EQ(context.Shown().size(), 1u);
  EXPECT_EQ(context.Shown()[0].id, unsigned{IDS_SW_RELAUNCH_HOST});
  EXPECT_EQ(context.Shown()[0].text,
            L"Translation features have been integrated successfully. Please relaunch the \"Microsoft Word "
            L"2000/XP/2003\" application.");
  // The add-in is on for Word's next start, and the record and the switch know it.
  EXPECT_EQ(test::GetDword(HKEY_CURRENT_USER,
                           L"Software\\Microsoft\\Office\\Word\\Addins\\Quillet8.WordAddin", L"LoadBehavior"),
            3u);
  EXPECT_EQ(utils.FindRecord(1)->state, 1);
  switches::PluginList stored;
  utils.Plugins().Active().front()->GetPlugins(stored);
  EXPECT_EQ(stored.front().state, 1);
  EXPECT_FALSE(RunningValueExists(L"Word"));
}

// A messenger's program is named by its full path; the running one is found by its file name.
TEST_F(HandOffTest, SwitchingQipInfiumOnWhileItRunsAsksForARelaunch) {
  const std::filesystem::path qip = scratch_.Folder(L"Programs") / L"infium.exe";
  std::filesystem::copy_file(test::BinFolder() / L"SuiteApp.exe", qip);
  test::Process running;
  ASSERT_TRUE(running.Start(qip)) << "error " << running.LastError();
  ASSERT_TRUE(test::WaitForWindow(running.Id(), {}, {}, 30s));
  const auto factory = tasktest::SuiteWith(
      {{L"VantoQIP", test::Script(L"QIP Infium", {4096}, {Record(L"QIP Infium", 0, 4096)})}});
  tasktest::HandOffTestContext context(Product());
  CTranslateMenuUtils utils(context, factory);
  utils.LoadPlugins();

  EXPECT_EQ(HandOff(utils, L"VantoQIP", 0, L"", 14), 0);

  ASSERT_EQ(context.Shown().size(), 1u);
  EXPECT_EQ(context.Shown()[0].id, unsigned{IDS_SW_RELAUNCH_HOST});
  EXPECT_FALSE(RunningValueExists(L"VantoQIP"));
}

TEST_F(HandOffTest, MessengerNeedsInternetExplorerAndARunningMessenger) {
  // The real Windows Live Messenger switch finds the messenger.
  tasktest::InstallLiveMessenger(scratch_.path() / L"VantoMSN");
  const auto factory = tasktest::SuiteWith({});
  tasktest::HandOffTestContext context(Product());
  CTranslateMenuUtils utils(context, factory);
  utils.LoadPlugins();
  const switches::PluginRecord* messenger = utils.Plugins().FindPluginByKind(2048);
  ASSERT_NE(messenger, nullptr);
  EXPECT_EQ(messenger->displayName, L"Windows Live Messenger");
  EXPECT_EQ(messenger->state, -1);
  EXPECT_EQ(messenger->productName, L"VANTO for Windows Live Messenger");

  EXPECT_EQ(HandOff(utils, L"VantoMSN", 0, L"", 14), 0);
  ASSERT_EQ(context.Shown().size(), 1u);
  EXPECT_EQ(context.Shown()[0].text,
            L"You must install Internet Explorer to use the Windows Live Messenger extension.");

  test::CreateKey(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Internet Explorer");
  EXPECT_EQ(HandOff(utils, L"VantoMSN", 0, L"", 14), 0);
  ASSERT_EQ(context.Shown().size(), 2u);
  EXPECT_EQ(context.Shown()[1].text, L"Launch Windows Live Messenger, log in, and click Launch again.");
  EXPECT_FALSE(RunningValueExists(L"VantoMSN"));
}

TEST_F(HandOffTest, InternetExplorerRecordsGoWhereProtectedModeLooksFromVistaOn) {
  const std::wstring sid = suite::CurrentUserSid();
  ASSERT_FALSE(sid.empty());
  const std::wstring protectedPath =
      sid + L"\\Software\\Microsoft\\Internet Explorer\\InternetRegistry\\REGISTRY\\USER\\" + sid +
      L"\\Software\\Korvelsoft\\VNTO9\\Running";
  EXPECT_EQ(tasks::ProtectedModeRunningPath(sid), protectedPath);

  struct Case {
    unsigned version;
    const wchar_t* executable;
    bool protectedMode;
  };
  const Case cases[] = {{5, L"iexplore.exe", false},
                        {6, L"IEXPLORE.EXE", true},
                        {10, L"iexplore.exe", true},
                        {6, L"firefox.exe", false},
                        {6, L"iexplore", false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.version << " " << c.executable);
    win::SystemFacts facts;
    facts.windowsMajorVersion = c.version;
    win::OverrideSystemFacts(facts);
    ::RegDeleteTreeW(HKEY_USERS, sid.c_str());
    ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Korvelsoft");

    std::optional<app::RegistryKey> key = tasks::OpenHandOffKey(c.executable);
    ASSERT_TRUE(key);
    EXPECT_TRUE(key->WriteString(L"VntoIE", L"D=1;T=General;U=\"x\""));
    EXPECT_EQ(test::KeyExists(HKEY_USERS, protectedPath), c.protectedMode);
    EXPECT_EQ(test::KeyExists(HKEY_CURRENT_USER, kRunning), !c.protectedMode);
  }
}

}  // namespace
