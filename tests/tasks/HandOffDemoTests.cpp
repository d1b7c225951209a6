// The hand-off in a demo installation, against the prefix's real registry: the Office and Firefox
// switches find the installation's Word and Firefox, switch their add-ins on, and the host program
// started by name through App Paths reads the hand-off record meant for it.
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "../launcher/LaunchTestContext.h"
#include "../launcher/SuiteInstall.h"
#include "HandOffTestContext.h"
#include "TaskFixtures.h"
#include "menu/TaskTable.h"
#include "support/Driver.h"
#include "support/Installation.h"
#include "support/RegistrySandbox.h"
#include "support/ScratchDir.h"
#include "switches/AcrobatSW.h"
#include "switches/IESW.h"
#include "switches/OpenOfficeSW.h"
#include "tasks/TranslateMenuUtils.h"

namespace {

using namespace std::chrono_literals;
using tasktest::Keys;

constexpr wchar_t kRunning[] = L"Software\\Korvelsoft\\VNTO9\\Running";
constexpr wchar_t kWordAddins[] = L"Software\\Microsoft\\Office\\Word\\Addins";
constexpr wchar_t kWord2007Addin[] = L"QuilletX.WordAddin";

class HandOffDemoTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::UseEnglishStrings();
    CleanUp();
  }
  void TearDown() override { CleanUp(); }

  static void CleanUp() {
    (void)CAcrobatSW::WritePluginEntry(L"AAR9.0", std::nullopt);  // what switching Reader on lists
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kRunning);
    ::RegDeleteTreeW(HKEY_CURRENT_USER, (std::wstring(kWordAddins) + L"\\" + kWord2007Addin).c_str());
    ::RegDeleteKeyW(HKEY_CURRENT_USER, (std::wstring(kWordAddins) + L"\\" + kWord2007Addin).c_str());
  }

  // The last entry of the list whose record is of `kind` and, unless empty, named `name`; -1 when
  // none is.
  static int EntryOf(CTranslateMenuUtils& utils, int kind, std::wstring_view name = {}) {
    int entry = -1;
    for (int i = 0; i <= utils.LastRealEntry(); ++i)
      if (const switches::PluginRecord* record = utils.FindRecord(utils.RecordIdOfEntry(i));
          record && record->kind == kind && (name.empty() || record->displayName == name))
        entry = i;
    return entry;
  }

  // The last start of `executable` in the installation's journal, once there is one.
  std::optional<test::JournalLine> WaitForStart(const std::filesystem::path& journal,
                                                const std::wstring& executable) {
    std::optional<test::JournalLine> found;
    test::WaitUntil(
        [&] {
          for (test::JournalLine& line : test::ReadJournal(journal))
            if (::CompareStringOrdinal(line.executable.c_str(), -1, executable.c_str(), -1, TRUE) ==
                CSTR_EQUAL)
              found = std::move(line);
          return found.has_value();
        },
        30s);
    return found;
  }
};

TEST_F(HandOffDemoTest, WordGetsItsAddinSwitchedOnAndTheQuotedDocument) {
  test::Installation installation;
  ASSERT_TRUE(installation.Ok());
  const std::filesystem::path journal = installation.Folder() / L"journal.log";
  test::ScratchDir documents;
  const std::filesystem::path document = documents.Folder(L"My Documents") / L"Annual Report 2009.docx";
  test::WriteFile(document, "PK");

  tasktest::HandOffTestContext context({{L"apps", Keys({L"Word", L"Vnto"})}});
  CTranslateMenuUtils utils(context);
  utils.LoadPlugins();
  tasktest::ListWindow window(true);
  ASSERT_TRUE(utils.FillAppList(L"Word|Vnto", ui::kWordTask, window.List()));

  // The entry of the full Word 2007/2010 add-in, off as the installation leaves it.
  const int entry = EntryOf(utils, 64);
  ASSERT_GE(entry, 0);
  ASSERT_EQ(utils.FindRecord(utils.RecordIdOfEntry(entry))->state, 0);

  ASSERT_EQ(utils.HandOff({entry, 12, L"Computers", document.wstring(), 11}), 1);
  EXPECT_TRUE(context.Shown().empty());
  EXPECT_EQ(
      test::GetDword(HKEY_CURRENT_USER, std::wstring(kWordAddins) + L"\\" + kWord2007Addin, L"LoadBehavior"),
      3u);
  EXPECT_EQ(utils.FindRecord(utils.RecordIdOfEntry(entry))->state, 1);

  const std::optional<test::JournalLine> word = WaitForStart(journal, L"winword.exe");
  ASSERT_TRUE(word);
  const std::wstring quoted = L"\"" + document.wstring() + L"\"";
  EXPECT_EQ(test::ArgumentsOf(word->commandLine), quoted);
  EXPECT_EQ(word->record, L"D=12;T=Computers;U=" + quoted);
  // Started by name: the installation's Office 2007/2010 Word, through App Paths.
  EXPECT_NE(word->commandLine.find(L"Office12"), std::wstring::npos)
      << testing::PrintToString(word->commandLine);
}

TEST_F(HandOffDemoTest, ReaderGetsThePluginCopiedByTheAcrobatSwitchAndThePdf) {
  test::Installation installation;
  ASSERT_TRUE(installation.Ok());
  const std::filesystem::path journal = installation.Folder() / L"journal.log";
  const std::filesystem::path plugIn =
      installation.Folder() / L"Hosts\\Adobe\\Reader 9.0\\Reader\\plug_ins\\VNTO9\\AcroXlat.API";
  test::ScratchDir documents;
  const std::filesystem::path document = documents.Folder(L"Manuals") / L"User Guide.pdf";
  test::WriteFile(document, "%PDF-1.4");

  tasktest::HandOffTestContext context({{L"apps", Keys({L"Acrobat", L"Vnto"})}});
  CTranslateMenuUtils utils(context);
  utils.LoadPlugins();
  tasktest::ListWindow window(true);
  ASSERT_TRUE(utils.FillAppList(L"Acrobat|Vnto", ui::kWordTask, window.List()));

  // The Reader entry, found by the real switch (registered per user and per machine: listed once).
  int entry = -1;
  int readers = 0;
  for (int i = 0; i <= utils.LastRealEntry(); ++i)
    if (const switches::PluginRecord* record = utils.FindRecord(utils.RecordIdOfEntry(i));
        record && record->kind == 1 && record->displayName == L"Adobe Reader 9.0") {
      entry = i;
      ++readers;
    }
  ASSERT_EQ(readers, 1);
  ASSERT_EQ(utils.FindRecord(utils.RecordIdOfEntry(entry))->state, 0);
  ASSERT_FALSE(std::filesystem::exists(plugIn));

  ASSERT_EQ(utils.HandOff({entry, 12, L"Computers", document.wstring(), 16}), 1);
  EXPECT_TRUE(context.Shown().empty());
  EXPECT_TRUE(std::filesystem::exists(plugIn));
  EXPECT_EQ(utils.FindRecord(utils.RecordIdOfEntry(entry))->state, 1);

  const std::optional<test::JournalLine> reader = WaitForStart(journal, L"AcroRD32.exe");
  ASSERT_TRUE(reader);
  const std::wstring quoted = L"\"" + document.wstring() + L"\"";
  EXPECT_EQ(reader->record, L"D=12;T=Computers;U=" + quoted);
}

// The real Firefox switch on the demo's Firefox 3.5: the extension is switched on (its proxy file
// written) before Firefox starts with the address.
TEST_F(HandOffDemoTest, FirefoxGetsABareAddressAfterHttpWithItsCapitals) {
  test::Installation installation;
  ASSERT_TRUE(installation.Ok());
  const std::filesystem::path journal = installation.Folder() / L"journal.log";
  const std::filesystem::path proxy =
      installation.Folder() / L"Hosts" / L"Mozilla Firefox" / L"extensions" / L"vanto9@korvelsoft.com";

  tasktest::HandOffTestContext context({{L"apps", Keys({L"FireFox", L"VntoIE"})}});
  CTranslateMenuUtils utils(context);
  utils.LoadPlugins();
  tasktest::ListWindow window(true);
  ASSERT_TRUE(utils.FillAppList(L"VntoIE|FireFox", ui::kWebPageTask, window.List()));
  const int entry = EntryOf(utils, 256, L"Mozilla Firefox 3.5 (en-US)");
  ASSERT_GE(entry, 0);
  EXPECT_EQ(window.List().Text(entry), L"Mozilla Firefox 3.5 (en-US)");
  ASSERT_EQ(utils.FindRecord(utils.RecordIdOfEntry(entry))->state, 0);
  ASSERT_FALSE(std::filesystem::exists(proxy));

  ASSERT_EQ(utils.HandOff({entry, 3, L"General", L"Www.Korvelsoft.COM/Vanto", 10}), 1);
  EXPECT_TRUE(context.Shown().empty());
  EXPECT_EQ(utils.FindRecord(utils.RecordIdOfEntry(entry))->state, 1);
  const std::wstring extension = (installation.Folder() / L"FireFox").wstring() + L"\\";
  EXPECT_EQ(test::ReadFile(proxy), std::string(extension.begin(), extension.end()));

  const std::optional<test::JournalLine> firefox = WaitForStart(journal, L"firefox.exe");
  ASSERT_TRUE(firefox);
  EXPECT_EQ(test::ArgumentsOf(firefox->commandLine), L"http://Www.Korvelsoft.COM/Vanto");
  EXPECT_EQ(firefox->record, L"D=3;T=General;U=http://Www.Korvelsoft.COM/Vanto");
}

// The real Internet Explorer switch on the demo's Internet Explorer 8: the suite's add-on is
// registered by the system's registration tool before the browser starts with the address.
TEST_F(HandOffDemoTest, InternetExplorerGetsItsAddonRegisteredAndTheAddress) {
  test::Installation installation;
  ASSERT_TRUE(installation.Ok());
  const std::filesystem::path journal = installation.Folder() / L"journal.log";
  const std::wstring addonClass = std::wstring(L"CLSID\\") + CIESW::kAddonClass;
  const auto registered = [&] { return test::KeyExists(HKEY_CLASSES_ROOT, addonClass); };
  ASSERT_FALSE(registered()) << "the add-on is registered before the test";

  tasktest::HandOffTestContext context({{L"apps", Keys({L"FireFox", L"VntoIE"})}});
  CTranslateMenuUtils utils(context);
  utils.LoadPlugins();
  tasktest::ListWindow window(true);
  ASSERT_TRUE(utils.FillAppList(L"VntoIE|FireFox", ui::kWebPageTask, window.List()));
  const int entry = EntryOf(utils, 512, L"Internet Explorer 8.0");
  ASSERT_GE(entry, 0);
  EXPECT_EQ(window.List().Text(entry), L"Internet Explorer 8.0");
  switches::PluginRecord* record = utils.FindRecord(utils.RecordIdOfEntry(entry));
  ASSERT_EQ(record->state, 0);
  // Unregistered again whatever happens: the class is the prefix's own.
  const test::Restorer unregistered([&] {
    switches::PluginList records{*record};
    records[0].state = 0;
    CIESW(L"VANTO for Internet Explorer").ApplyStates(records, 1);
  });

  // Wine brings an iexplore.exe of its own in the system folder, which the shell finds before the
  // demo's: the browser is started from the demo's folder, as the shell's search goes there first.
  const std::filesystem::path savedFolder = std::filesystem::current_path();
  std::filesystem::current_path(installation.Folder() / L"Hosts" / L"Internet Explorer");
  const int handedOff = utils.HandOff({entry, 3, L"General", L"www.korvelsoft.com", 10});
  std::filesystem::current_path(savedFolder);
  ASSERT_EQ(handedOff, 1);
  EXPECT_TRUE(context.Shown().empty());
  EXPECT_EQ(record->state, 1);
  EXPECT_TRUE(registered());  // the registration was waited for

  const std::optional<test::JournalLine> explorer = WaitForStart(journal, L"iexplore.exe");
  ASSERT_TRUE(explorer);
  EXPECT_EQ(test::ArgumentsOf(explorer->commandLine), L"\"www.korvelsoft.com\"");
  EXPECT_EQ(explorer->record, L"D=3;T=General;U=\"www.korvelsoft.com\"");
}

// The real OpenOffice.org switch on the demo's OpenOffice.org 3.1: the Writer integration is merged
// into the user's profile before Writer starts with the document.
TEST_F(HandOffDemoTest, OpenOfficeGetsTheWriterIntegrationSwitchedOnAndTheDocument) {
  test::Installation installation;
  ASSERT_TRUE(installation.Ok());
  const std::filesystem::path journal = installation.Folder() / L"journal.log";
  const std::filesystem::path office = std::filesystem::path(COpenOfficeSW::ApplicationData()) /
                                       L"OpenOffice.org\\3\\user\\registry\\data\\org\\openoffice\\Office";
  test::ScratchDir documents;
  const std::filesystem::path document = documents.Folder(L"Letters") / L"Offer 2009.odt";
  test::WriteFile(document, "PK");

  tasktest::HandOffTestContext context({{L"apps", Keys({L"OpenOffice", L"Vnto"})}});
  CTranslateMenuUtils utils(context);
  utils.LoadPlugins();
  tasktest::ListWindow window(true);
  ASSERT_TRUE(utils.FillAppList(L"OpenOffice|Vnto", ui::kOpenOfficeTask, window.List()));
  const int entry = EntryOf(utils, 1024, L"OpenOffice.org Writer 3.1");
  ASSERT_GE(entry, 0);
  ASSERT_EQ(utils.FindRecord(utils.RecordIdOfEntry(entry))->state, 0);
  ASSERT_FALSE(std::filesystem::exists(office / L"Addons.xcu.old"));

  ASSERT_EQ(utils.HandOff({entry, 12, L"Computers", document.wstring(), 17}), 1);
  EXPECT_TRUE(context.Shown().empty());
  EXPECT_EQ(utils.FindRecord(utils.RecordIdOfEntry(entry))->state, 1);
  EXPECT_TRUE(std::filesystem::exists(office / L"Addons.xcu.old"));
  EXPECT_NE(
      test::ReadFile(office / L"Addons.xcu").find("<node oor:name=\"VANTO.Translate\" oor:op=\"replace\">"),
      std::string::npos);

  const std::optional<test::JournalLine> writer = WaitForStart(journal, L"soffice.exe");
  ASSERT_TRUE(writer);
  const std::wstring arguments = L"-swriter \"" + document.wstring() + L"\"";
  EXPECT_EQ(test::ArgumentsOf(writer->commandLine), arguments);
  EXPECT_EQ(writer->record, L"D=12;T=Computers;U=" + arguments);
  EXPECT_NE(writer->commandLine.find(L"OpenOffice.org 3"), std::wstring::npos)
      << testing::PrintToString(writer->commandLine);

  // Switched off again, as the next run of the demo would find it.
  switches::PluginList records{*utils.FindRecord(utils.RecordIdOfEntry(entry))};
  records[0].state = 0;
  COpenOfficeSW off(L"VANTO for OpenOffice");
  off.ApplyStates(records, 1);
  EXPECT_EQ(records[0].state, 0);
}

// With a local kernel the document is the record's last field: a host that reads everything after
// "U=" gets a path with ';', '=', '%' and Cyrillic letters back whole, and the profile's '=' stays in
// its T field.
TEST_F(HandOffDemoTest, TheTranslatorGetsAPathWithSeparatorsAndCyrillicLettersWhole) {
  test::Installation installation;
  ASSERT_TRUE(installation.Ok());
  const std::filesystem::path journal = installation.Folder() / L"journal.log";
  test::ScratchDir documents;
  const std::filesystem::path document =
      documents.Folder(L"Отчёты; итог = 100%") / L"План %USERNAME% a=b;c=d.doc";
  test::WriteFile(document, "doc");

  tasktest::HandOffTestContext context({{L"apps", Keys({L"Vnto"})}});
  CTranslateMenuUtils utils(context);
  utils.LoadPlugins();
  tasktest::ListWindow window(true);
  ASSERT_TRUE(utils.FillAppList(L"Vnto", ui::kWordTask, window.List()));

  ASSERT_EQ(utils.HandOff({0, 7, L"Legal=EU", document.wstring(), 11}), 1);
  EXPECT_TRUE(context.Shown().empty());
  const std::optional<test::JournalLine> translator = WaitForStart(journal, L"Vnto.exe");
  ASSERT_TRUE(translator);
  const std::wstring quoted = L"\"" + document.wstring() + L"\"";
  EXPECT_EQ(test::ArgumentsOf(translator->commandLine), quoted);
  EXPECT_EQ(translator->record, L"D=7;T=Legal=EU;U=" + quoted);
}

}  // namespace
