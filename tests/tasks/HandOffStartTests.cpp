// Hand-offs that start real programs: copies of the suite application substitute under the hosts'
// names, found in the working folder the hand-off passes on. Each started copy reports its command
// line, working folder and the Running record it found. The machine's records are sandboxed; the
// per-user Running key is the prefix's real one, which the started programs read.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "../launcher/LaunchTestContext.h"
#include "../launcher/SuiteInstallTest.h"
#include "HandOffTestContext.h"
#include "TaskFixtures.h"
#include "support/Driver.h"
#include "support/RegistrySandbox.h"
#include "support/TestPaths.h"
#include "suite/Privileges.h"
#include "tasks/TranslateMenuUtils.h"
#include "win/System.h"

namespace {

using namespace std::chrono_literals;
using tasktest::Keys;
using test::ArgumentsOf;
using test::RunningRecord;

switches::PluginRecord Record(const wchar_t* name, int state, int kind) {
  return test::Found(0, name, state, kind, L"VANTO for Tests");
}

// Every host the tests start, with one record each; Windows Live Messenger's comes from its real
// switch.
switches::SwitchFactory Hosts() {
  return tasktest::SuiteWith({
      {L"Office2003",
       test::Script(
           L"MS Office XP/2003", {4, 2, 16},
           {test::Found(0, L"Microsoft Word 2000/XP/2003", 1, 4, L"VANTO for Microsoft Office"),
            test::Found(1, L"Microsoft Outlook 2000/XP/2003", 1, 4, L"VANTO for Microsoft Office")})},
      {L"FireFox", test::Script(L"Mozilla Firefox", {256}, {Record(L"Mozilla Firefox 3.6", 1, 256)})},
      {L"VntoIE", test::Script(L"Internet Explorer", {512}, {Record(L"Internet Explorer 8", 1, 512)})},
      {L"OpenOffice", test::Script(L"OpenOffice", {1024}, {Record(L"OpenOffice.org 3.2", 1, 1024)})},
      {L"Acrobat", test::Script(L"Acrobat", {1}, {Record(L"Adobe Reader 9", 1, 1)})},
  });
}

tasktest::Sections Product() {
  const auto apps = Keys({L"Word", L"Outlook", L"Vnto", L"VntoI", L"FireFox", L"VntoIE", L"OpenOffice",
                          L"Acrobat", L"VantoMSN"});
  return {{L"apps", apps}, {L"allapps", apps}};
}

class HandOffStartTest : public test::SuiteInstallTest {
 protected:
  void SetUp() override {
    SuiteInstallTest::SetUp();
    if (HasFatalFailure()) return;
    for (const wchar_t* host :
         {L"winword", L"outlook", L"firefox", L"iexplore", L"soffice", L"AcroRD32", L"msnmsgr"})
      install_->Install(host);
    install_->Install(L"Vnto");
    install_->Install(L"VntoI");
    // The hosts are found in the working folder the hand-off passes on: the start centre's own.
    std::filesystem::current_path(install_->Folder());
    createdMessengerKey_ = tasktest::InstallLiveMessenger(install_->Folder() / L"VantoMSN");
    context_.emplace(Product());
    utils_.emplace(*context_, Hosts());
    utils_->LoadPlugins();
    sid_ = suite::CurrentUserSid();
  }

  void TearDown() override {
    utils_.reset();
    context_.reset();
    savedFolder_.reset();  // out of the installation's folder before it goes
    if (createdMessengerKey_) ::RegDeleteKeyW(HKEY_CURRENT_USER, L"SOFTWARE\\Microsoft\\MSNMessenger");
    if (!sid_.empty())
      ::RegDeleteTreeW(
          HKEY_USERS,
          (sid_ + L"\\Software\\Microsoft\\Internet Explorer\\InternetRegistry\\REGISTRY\\USER\\" + sid_ +
           L"\\Software\\Korvelsoft")
              .c_str());
    SuiteInstallTest::TearDown();
  }

  int HandOff(const std::wstring& tokens, int entry, const std::wstring& document, int task = 11) {
    tasktest::ListWindow window(true);
    EXPECT_TRUE(utils_->FillAppList(tokens, task, window.List()));
    return utils_->HandOff({entry, 12, L"Computers", document, task});
  }

  // The `nth` start (from 1) of `executable`, as the journal tells it.
  test::JournalLine StartOf(const std::wstring& executable, size_t nth = 1) {
    std::vector<test::JournalLine> starts;
    test::WaitUntil(
        [&] {
          starts.clear();
          for (test::JournalLine& line : install_->Journal())
            if (line.executable == executable) starts.push_back(std::move(line));
          return starts.size() >= nth;
        },
        30s);
    EXPECT_GE(starts.size(), nth) << "no start of " << testing::PrintToString(executable);
    return starts.size() >= nth ? starts[nth - 1] : test::JournalLine{};
  }

  std::optional<test::Restorer> savedFolder_{test::SavedCurrentFolder()};
  std::optional<tasktest::HandOffTestContext> context_;
  std::optional<CTranslateMenuUtils> utils_;
  std::wstring sid_;
  bool createdMessengerKey_ = false;
};

TEST_F(HandOffStartTest, AWordDocumentWithBlanksGoesQuotedOnTheCommandLineAndInTheRecord) {
  const std::wstring document = L"C:\\My Documents\\Annual Report 2009.doc";
  ASSERT_EQ(HandOff(L"Word|Vnto", 0, document), 1);
  const test::JournalLine start = StartOf(L"winword.exe");
  EXPECT_EQ(ArgumentsOf(start.commandLine), L"\"" + document + L"\"");
  EXPECT_EQ(start.record, L"D=12;T=Computers;U=\"" + document + L"\"");
  EXPECT_TRUE(std::filesystem::equivalent(start.workingFolder, install_->Folder()));
  EXPECT_EQ(RunningRecord(L"Word"), start.record);  // it stays for the add-in
  EXPECT_TRUE(context_->Shown().empty());
}

TEST_F(HandOffStartTest, TheTranslatorGetsItsRecordAndTheServerInNetworkMode) {
  context_->UseServer(L"SRV1");
  ASSERT_EQ(HandOff(L"Word|VntoI", 1, L"C:\\Docs\\Brief.docx"), 1);  // not refused for the Pro edition
  const test::JournalLine start = StartOf(L"VntoI.exe");
  EXPECT_EQ(ArgumentsOf(start.commandLine), L"\"C:\\Docs\\Brief.docx\"");
  EXPECT_EQ(start.record, L"D=12;T=Computers;U=\"C:\\Docs\\Brief.docx\";S=SRV1");
}

// Paths and queries are case-sensitive, and most of the web is https: nothing is lower-cased, and
// only a bare address gets "http://".
TEST_F(HandOffStartTest, FirefoxGetsTheAddressAsTypedABareOneAfterHttp) {
  ASSERT_EQ(HandOff(L"FireFox", 0, L"WWW.Example.COM/News", 10), 1);
  test::JournalLine start = StartOf(L"firefox.exe");
  EXPECT_EQ(ArgumentsOf(start.commandLine), L"http://WWW.Example.COM/News");
  EXPECT_EQ(start.record, L"D=12;T=Computers;U=http://WWW.Example.COM/News");

  ASSERT_EQ(HandOff(L"FireFox", 0, L"https://Example.org/Docs/ReadMe.html?Lang=DE", 10), 1);
  start = StartOf(L"firefox.exe", 2);
  EXPECT_EQ(ArgumentsOf(start.commandLine), L"https://Example.org/Docs/ReadMe.html?Lang=DE");
  EXPECT_EQ(start.record, L"D=12;T=Computers;U=https://Example.org/Docs/ReadMe.html?Lang=DE");
}

TEST_F(HandOffStartTest, OpenOfficeOpensTheDocumentInWriter) {
  ASSERT_EQ(HandOff(L"OpenOffice", 0, L"C:\\My Documents\\Letter.odt", 17), 1);
  const test::JournalLine start = StartOf(L"soffice.exe");
  EXPECT_EQ(ArgumentsOf(start.commandLine), L"-swriter \"C:\\My Documents\\Letter.odt\"");
  EXPECT_EQ(start.record, L"D=12;T=Computers;U=-swriter \"C:\\My Documents\\Letter.odt\"");
}

TEST_F(HandOffStartTest, OutlookStartsWithoutADocumentForMail) {
  ASSERT_EQ(HandOff(L"Outlook", 0, L"", 13), 1);
  const test::JournalLine start = StartOf(L"outlook.exe");
  EXPECT_EQ(ArgumentsOf(start.commandLine), L"");
  EXPECT_EQ(start.record, L"D=12;T=Computers;U=");
}

TEST_F(HandOffStartTest, TheReaderRecordStartsAcrobatReader) {
  ASSERT_EQ(HandOff(L"Acrobat", 0, L"C:\\Docs\\Manual.pdf", 16), 1);
  const test::JournalLine start = StartOf(L"AcroRD32.exe");
  EXPECT_EQ(start.appId, L"Acrobat");
  EXPECT_EQ(start.record, L"D=12;T=Computers;U=\"C:\\Docs\\Manual.pdf\"");
}

TEST_F(HandOffStartTest, InternetExplorerReadsItsRecordWhereProtectedModeLets) {
  ASSERT_EQ(HandOff(L"VntoIE", 0, L"www.example.com", 10), 1);  // Wine plays Windows 7: version 6
  const test::JournalLine start = StartOf(L"iexplore.exe");
  EXPECT_EQ(ArgumentsOf(start.commandLine), L"\"www.example.com\"");
  EXPECT_EQ(start.record, L"D=12;T=Computers;U=\"www.example.com\"");
  EXPECT_FALSE(RunningRecord(L"VntoIE"));

  // Windows XP has no protected mode: the record goes to the user's own key.
  win::SystemFacts xp;
  xp.windowsMajorVersion = 5;
  win::OverrideSystemFacts(xp);
  ASSERT_EQ(HandOff(L"VntoIE", 0, L"www.example.org", 10), 1);
  EXPECT_EQ(RunningRecord(L"VntoIE"), L"D=12;T=Computers;U=\"www.example.org\"");
}

TEST_F(HandOffStartTest, MessengerOpensItsActivityInInternetExplorer) {
  test::Process messenger;
  ASSERT_TRUE(messenger.Start(install_->Folder() / L"msnmsgr.exe"));
  ASSERT_TRUE(install_->WaitForStartOf(L"msnmsgr.exe"));
  test::SetString(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Internet Explorer", L"Version", L"8.0");

  ASSERT_EQ(HandOff(L"VntoICQ|VantoMSN", 0, L"", 14), 1);
  const test::JournalLine start = StartOf(L"iexplore.exe");
  EXPECT_EQ(ArgumentsOf(start.commandLine), tasks::kBuiltInActivityAddress);
  EXPECT_EQ(RunningRecord(L"VantoMSN"),
            std::wstring(L"D=12;T=Computers;U=") + tasks::kBuiltInActivityAddress);

  // The address the task settings hold wins.
  const std::wstring own = L"http://messenger.example.net/Resource/games.aspx?appID=4711";
  context_->SetActivityAddress(own);
  ASSERT_EQ(HandOff(L"VantoMSN", 0, L"", 14), 1);
  EXPECT_EQ(ArgumentsOf(StartOf(L"iexplore.exe", 2).commandLine), own);
  EXPECT_EQ(RunningRecord(L"VantoMSN"), L"D=12;T=Computers;U=" + own);
}

}  // namespace
