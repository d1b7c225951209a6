// Filling the "Translate in:" list and answering for its entries: record ids, unavailability,
// help texts and file filters, over the real Office switch in a sandboxed registry and test
// switches for the hosts that have none yet.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "../launcher/LaunchTestContext.h"
#include "HandOffTestContext.h"
#include "StringIds.h"
#include "TaskFixtures.h"
#include "menu/TaskTable.h"
#include "support/RegistrySandbox.h"
#include "support/ScratchDir.h"
#include "tasks/TranslateMenuUtils.h"
#include "tasks/TranslationMenu.h"
#include "win/Resources.h"

namespace {

using tasktest::Entries;
using tasktest::Keys;
using Texts = std::vector<std::wstring>;

const Entries kAllApps =
    Keys({L"Word", L"Outlook", L"Excel", L"PowerPoint", L"Vnto", L"VntoI", L"VntoX", L"Batcher", L"VntoICQ",
          L"VntoIE", L"FireFox", L"Acrobat", L"OpenOffice", L"VantoQIP", L"VantoMSN", L"VantoSkype"});

tasktest::Sections AppListProduct(Entries apps, Entries menu = {}, Entries allApps = kAllApps) {
  return {{L"apps", std::move(apps)}, {L"allapps", std::move(allApps)}, {L"_menu1", std::move(menu)}};
}

switches::PluginRecord AppRecord(int application, const wchar_t* name, int state, int kind,
                                 const wchar_t* product) {
  return test::Found(application, name, state, kind, product);
}

class AppListTest : public tasktest::SandboxedTaskTest {
 protected:
  // An installed suite application (its file need not exist for the list).
  void Install(const std::wstring& appId) { RegisterMissing(appId); }
};

TEST_F(AppListTest, OfficeRecordsLeadInReverseDiscoveryOrderThenTheTranslator) {
  tasktest::InstallOffice(scratch_.path(), {true, true, {L"Word", L"Outlook"}});
  Install(L"Vnto");
  tasktest::HandOffTestContext context(AppListProduct(Keys({L"Vnto", L"Word"})));
  CTranslateMenuUtils utils(context);
  utils.LoadPlugins();
  tasktest::ListWindow window(true);

  ASSERT_TRUE(utils.FillAppList(L"Word|Vnto", ui::kWordTask, window.List()));
  EXPECT_EQ(window.Texts(),
            (Texts{L"Microsoft Word 2007/2010", L"Microsoft Word 2000/XP/2003", L"VANTO Translator"}));
  // Office 2003 is discovered first (id 1 among the Word records); it ends up second.
  ASSERT_EQ(utils.EntryData().size(), 3u);
  EXPECT_EQ(utils.FindRecord(utils.RecordIdOfEntry(1))->displayName, L"Microsoft Word 2000/XP/2003");
  EXPECT_EQ(utils.FindRecord(utils.RecordIdOfEntry(0))->displayName, L"Microsoft Word 2007/2010");
  EXPECT_EQ(utils.EntryData()[2], L"Vnto");
  EXPECT_EQ(utils.LastRealEntry(), 2);
  EXPECT_EQ(utils.OfficeApplication(), 0);

  // The entries' record ids: a record's number, 0 for an application, -1 outside the list.
  EXPECT_GT(utils.RecordIdOfEntry(0), 0);
  EXPECT_EQ(utils.RecordIdOfEntry(2), 0);
  EXPECT_EQ(utils.RecordIdOfEntry(3), -1);
  EXPECT_EQ(utils.RecordIdOfEntry(-1), -1);

  // Outlook's list offers no record named for Word.
  ASSERT_TRUE(utils.FillAppList(L"Outlook", ui::kEmailTask, window.List()));
  EXPECT_EQ(window.Texts(), (Texts{L"Microsoft Outlook 2007/2010", L"Microsoft Outlook 2000/XP/2003"}));
  EXPECT_EQ(utils.OfficeApplication(), 1);
}

TEST_F(AppListTest, OtherHostsFollowGroupOrderAndARecordWantedTwiceIsListedTwice) {
  const auto factory = tasktest::SuiteWith(
      {{L"FireFox", test::Script(L"Mozilla Firefox", {256},
                                 {AppRecord(0, L"Mozilla Firefox 3.6", 1, 256, L"VANTO for Firefox"),
                                  AppRecord(0, L"Mozilla Firefox 2.0", 0, 256, L"VANTO for Firefox")})},
       {L"VntoIE",
        test::Script(L"Internet Explorer", {512},
                     {AppRecord(0, L"Internet Explorer 8", 1, 512, L"VANTO for Internet Explorer")})}});
  tasktest::HandOffTestContext context(AppListProduct(Keys({L"FireFox", L"VntoIE"})));
  CTranslateMenuUtils utils(context, factory);
  utils.LoadPlugins();
  tasktest::ListWindow window(false);  // a list box this time

  ASSERT_TRUE(utils.FillAppList(L"VntoIE|FireFox", ui::kWebPageTask, window.List()));
  EXPECT_EQ(window.Texts(), (Texts{L"Mozilla Firefox 3.6", L"Mozilla Firefox 2.0", L"Internet Explorer 8"}));
  EXPECT_EQ(utils.EntryData(), (Texts{L"1", L"2", L"3"}));
  EXPECT_EQ(utils.OfficeApplication(), -1);

  ASSERT_TRUE(utils.FillAppList(L"FireFox|FireFox", ui::kWebPageTask, window.List()));
  EXPECT_EQ(window.Texts(), (Texts{L"Mozilla Firefox 3.6", L"Mozilla Firefox 3.6", L"Mozilla Firefox 2.0",
                                   L"Mozilla Firefox 2.0"}));
}

TEST_F(AppListTest, ApplicationsNeedANameTheProductListAndAnInstallation) {
  Install(L"VntoI");  // installed, but another product's
  Install(L"Batcher");
  Install(L"Unknown");
  tasktest::HandOffTestContext context(AppListProduct(Keys({L"Vnto", L"Batcher", L"Unknown"})));
  CTranslateMenuUtils utils(context);
  utils.LoadPlugins();
  tasktest::ListWindow window(true);

  ASSERT_TRUE(utils.FillAppList(L"VntoI|Vnto|Unknown|Batcher", ui::kWordTask, window.List()));
  EXPECT_EQ(window.Texts(), (Texts{L"VANTO Batch Translator"}));
  EXPECT_EQ(utils.EntryData(), (Texts{L"Batcher"}));
}

TEST_F(AppListTest, EmptyTokensLeaveTheListAloneAndNothingFoundEmptiesIt) {
  Install(L"Vnto");
  tasktest::HandOffTestContext context(AppListProduct(Keys({L"Vnto"})));
  CTranslateMenuUtils utils(context);
  utils.LoadPlugins();
  tasktest::ListWindow window(true);
  ASSERT_TRUE(utils.FillAppList(L"Vnto", ui::kWordTask, window.List()));

  EXPECT_FALSE(utils.FillAppList(L"", ui::kWordTask, window.List()));
  EXPECT_EQ(window.Texts(), (Texts{L"VANTO Translator"}));
  EXPECT_EQ(utils.EntryData(), (Texts{L"Vnto"}));
  EXPECT_EQ(utils.LastRealEntry(), 0);

  EXPECT_FALSE(utils.FillAppList(L"Word|VntoX", ui::kWordTask, window.List()));
  EXPECT_TRUE(window.Texts().empty());
  EXPECT_TRUE(utils.EntryData().empty());
  EXPECT_EQ(utils.LastRealEntry(), -1);
  EXPECT_EQ(utils.RecordIdOfEntry(0), -1);
}

TEST_F(AppListTest, ShowAllFeaturesAddsTheTaskRowsOtherApplicationsSortedOnce) {
  tasktest::InstallOffice(scratch_.path(), {true, false, {L"Word"}});
  Install(L"Vnto");
  // VntoX belongs to no product of the suite here.
  tasktest::HandOffTestContext context(AppListProduct(
      Keys({L"Vnto", L"Word"}), {}, Keys({L"Word", L"Vnto", L"VntoI", L"Batcher", L"VntoIE", L"FireFox"})));
  context.SetShowAllFeatures(true);
  CTranslateMenuUtils utils(context);
  utils.LoadPlugins();
  tasktest::ListWindow window(true);

  ASSERT_TRUE(utils.FillAppList(L"Word|Vnto", ui::kWordTask, window.List()));
  EXPECT_EQ(window.Texts(), (Texts{L"Microsoft Word 2000/XP/2003", L"VANTO Translator",
                                   L"VANTO Batch Translator", L"VANTO Translator Pro"}));
  EXPECT_EQ(utils.EntryData()[2], L"Batcher");
  EXPECT_EQ(utils.EntryData()[3], L"VntoI");
  EXPECT_EQ(utils.LastRealEntry(), 1);

  // Nothing real at all: the extras alone, by their host names, in token order ("FireFox" < "VntoIE").
  ASSERT_TRUE(utils.FillAppList(L"VntoIE|FireFox", ui::kWebPageTask, window.List()));
  EXPECT_EQ(window.Texts(), (Texts{L"Mozilla Firefox", L"Microsoft Internet Explorer"}));
  EXPECT_EQ(utils.LastRealEntry(), -1);

  context.SetShowAllFeatures(false);
  ASSERT_TRUE(utils.FillAppList(L"Word|Vnto", ui::kWordTask, window.List()));
  EXPECT_EQ(window.Texts().size(), 2u);
}

TEST_F(AppListTest, UnavailableEntriesSayWhy) {
  tasktest::InstallOffice(scratch_.path(), {true, false, {L"Word"}});
  Install(L"Vnto");
  test::SetString(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Korvelsoft\\VNTO9\\Folders", L"VntoIE", L"C:\\IE\\");
  tasktest::HandOffTestContext context(AppListProduct(
      Keys({L"Vnto", L"Batcher", L"Word", L"FireFox", L"VntoIE"}),
      {{L"item0", L"TranslateFiles"}, {L"item1", L"TranslateWeb;VntoIE"}, {L"item2", L"QuickTranslate"}}));
  context.SetShowAllFeatures(true);
  CTranslateMenuUtils utils(context);  // the suite's switches: only Office finds its host
  utils.LoadPlugins();
  tasktest::ListWindow window(true);

  struct Case {
    const wchar_t* token;
    tasks::Unavailability choice;
    const wchar_t* name;
    const wchar_t* help;
    UINT messageId;
    const wchar_t* message;
  };
  const Case cases[] = {
      // in the product and in its translation tab, but not installed
      {L"Batcher", tasks::Unavailability::kNotInstalled, L"VANTO Batch Translator",
       L"The selected application is not installed. Launch the installer and select the application to be "
       L"installed.",
       IDS_APP_NOT_INSTALLED,
       L"The selected application is not installed. Launch the installer and select the application to be "
       L"installed."},
      // in the product, but Firefox is not there
      {L"FireFox", tasks::Unavailability::kHostMissing, L"Mozilla Firefox",
       L"You must install Mozilla Firefox to use this extension. ", IDS_INSTALL_HOST_FIRST,
       L"You must install \"Mozilla Firefox\" to use this extension. "},
      // listed in the translation tab and installed: the missing browser is what counts
      {L"VntoIE", tasks::Unavailability::kHostMissing, L"Internet Explorer",
       L"You must install Internet Explorer to use this extension. ", IDS_INSTALL_HOST_FIRST, nullptr},
      // another product's
      {L"VntoI", tasks::Unavailability::kOtherProducts, L"VANTO Translator Pro",
       L"This feature is available from other VANTO products. For more information visit VANTO Company "
       L"website.",
       IDS_OTHER_PRODUCTS, nullptr},
      // in the product, its host found: nothing else to say
      {L"Vnto", tasks::Unavailability::kOtherProducts, L"VANTO Translator",
       L"This feature is available from other VANTO products. For more information visit VANTO Company "
       L"website.",
       IDS_OTHER_PRODUCTS, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.token);
    // Tokens that the product does not serve end up after the real entries.
    ASSERT_TRUE(utils.FillAppList(L"Outlook",
                                  c.token == std::wstring(L"FireFox") || c.token == std::wstring(L"VntoIE")
                                      ? ui::kWebPageTask
                                      : ui::kWordTask,
                                  window.List()));
    const auto at = std::find(utils.EntryData().begin(), utils.EntryData().end(), c.token);
    ASSERT_NE(at, utils.EntryData().end());
    const int entry = static_cast<int>(at - utils.EntryData().begin());
    ASSERT_GT(entry, utils.LastRealEntry());

    const tasks::UnavailableEntry unavailable = utils.UnavailabilityOf(entry);
    EXPECT_EQ(unavailable.choice, c.choice);
    EXPECT_EQ(unavailable.name, c.name);
    std::wstring steps = L"steps before";
    EXPECT_EQ(utils.HelpTextsOf(entry, steps), c.help);
    EXPECT_EQ(steps, L"steps before");

    const size_t before = context.Shown().size();
    EXPECT_EQ(utils.HandOff({entry, 7, L"General", L"C:\\a.doc", 11}), 1);
    ASSERT_EQ(context.Shown().size(), before + 1);
    const test::ShownBox& box = context.Shown().back();
    EXPECT_TRUE(box.viaShowMessage);
    EXPECT_EQ(box.id, c.messageId);
    EXPECT_EQ(box.argument, c.name);
    if (c.message) {
      EXPECT_EQ(box.text, c.message);
    }
  }
}

// A translation item may name several applications, as the demo product's Word item does: each of
// them is one the product offers, and missing, it is not installed (not another product's).
TEST_F(AppListTest, EachApplicationOfAnItemThatNamesSeveralIsTheProducts) {
  Install(L"Vnto");
  tasktest::HandOffTestContext context(
      AppListProduct(Keys({L"Word", L"Vnto", L"VntoX", L"Batcher"}),
                     {{L"item0", L"TranslateWord;Word|Vnto|VntoX|Batcher"}, {L"item1", L"QuickTranslate"}}));
  context.SetShowAllFeatures(true);
  CTranslateMenuUtils utils(context);
  utils.LoadPlugins();
  tasktest::ListWindow window(true);
  ASSERT_TRUE(utils.FillAppList(L"Word|Vnto|VntoX|Batcher", ui::kWordTask, window.List()));

  const struct {
    const wchar_t* token;
    tasks::Unavailability choice;
    const wchar_t* name;
    UINT messageId;
  } cases[] = {
      {L"Batcher", tasks::Unavailability::kNotInstalled, L"VANTO Batch Translator", IDS_APP_NOT_INSTALLED},
      {L"VntoX", tasks::Unavailability::kNotInstalled, L"VANTO Translator Lite", IDS_APP_NOT_INSTALLED},
      {L"VntoI", tasks::Unavailability::kOtherProducts, L"VANTO Translator Pro", IDS_OTHER_PRODUCTS},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.token);
    const auto at = std::find(utils.EntryData().begin(), utils.EntryData().end(), c.token);
    ASSERT_NE(at, utils.EntryData().end());
    const int entry = static_cast<int>(at - utils.EntryData().begin());
    ASSERT_GT(entry, utils.LastRealEntry());

    const tasks::UnavailableEntry unavailable = utils.UnavailabilityOf(entry);
    EXPECT_EQ(unavailable.choice, c.choice);
    EXPECT_EQ(unavailable.name, c.name);
    EXPECT_EQ(utils.HandOff({entry, 7, L"General", L"C:\\a.doc", 11}), 1);
    ASSERT_FALSE(context.Shown().empty());
    EXPECT_EQ(context.Shown().back().id, c.messageId);
    EXPECT_EQ(context.Shown().back().argument, c.name);
  }
  // The whole list of IDs names no application.
  EXPECT_FALSE(tasks::IsListedInTranslationMenu(context.ProductConfiguration(), L"Word|Vnto|VntoX|Batcher"));
}

TEST_F(AppListTest, HelpTextsByKindOfficeApplicationAndSuiteApplication) {
  tasktest::InstallOffice(scratch_.path(), {true, true, {L"Word", L"Outlook"}});
  for (const wchar_t* app : {L"Vnto", L"VntoX", L"VntoI", L"Batcher", L"VntoICQ"}) Install(app);
  const auto factory = tasktest::SuiteWith({
      {L"Acrobat",
       test::Script(L"Acrobat", {1}, {AppRecord(0, L"Adobe Reader 9", 1, 1, L"VANTO for Acrobat")})},
      {L"FireFox",
       test::Script(L"Mozilla Firefox", {256}, {AppRecord(0, L"Mozilla Firefox 3.6", 1, 256, L"")})},
      {L"OpenOffice", test::Script(L"OpenOffice", {1024},
                                   {AppRecord(0, L"OpenOffice.org 3.2", 1, 1024, L"VANTO for OpenOffice")})},
      {L"VantoMSN", test::Script(L"Windows Live Messenger", {2048},
                                 {AppRecord(0, L"Windows Live Messenger", -1, 2048,
                                            L"VANTO for Windows Live Messenger")})},
      {L"VantoQIP",
       test::Script(L"QIP Infium", {4096}, {AppRecord(0, L"QIP Infium", 1, 4096, L"VANTO for QIP Infium")})},
      {L"VantoSkype",
       test::Script(L"Skype", {8192}, {AppRecord(0, L"Skype 4.2", 1, 8192, L"VANTO for Skype")})},
  });
  tasktest::HandOffTestContext context(AppListProduct(kAllApps));
  CTranslateMenuUtils utils(context, factory);
  utils.LoadPlugins();
  tasktest::ListWindow window(true);

  constexpr wchar_t kUnchanged[] = L"(unchanged)";
  struct Case {
    const wchar_t* tokens;
    int entry;
    const wchar_t* outcomeStart;  // the text begins with this
    const wchar_t* outcomeEnd;    // and ends with this
    const wchar_t* steps;         // exactly, or kUnchanged
  };
  const Case cases[] = {
      {L"Acrobat", 0, L"To translate a text selection in Adobe Acrobat select the text",
       L"without preserving the original formatting.",
       L"1. Select the document you wish to translate: enter the path to the document or click Browse and "
       L"choose the "
       L"file.\n\n2. Click Launch.\n\nThe document will automatically open in Adobe Acrobat.\n\nIn Adobe "
       L"Acrobat the "
       L"translation features are available from Modules > VANTO Translator and from the VANTO Translator "
       L"toolbar."},
      {L"Word", 0,
       L"The document will be automatically open and translated directly in selected application.\n\n",
       L"available from the VANTO Translator tab.", kUnchanged},  // 2007
      {L"Word", 1,
       L"The document will be automatically open and translated directly in selected application.\n\n",
       L"available from the VANTO Translator toolbar.", kUnchanged},  // 2003
      {L"Outlook", 0, L"To translate an incoming message, select it,",
       L"Place the translation in the body of the outgoing letter.", kUnchanged},  // 2007
      {L"Outlook", 1, L"To translate an incoming message, select it,",
       L"The translation will appear in a separate window.", kUnchanged},  // 2003
      {L"FireFox", 0,
       L"The page you entered will be automatically translated and open in the selected browser.",
       L"available from the VANTO Translator toolbar.", kUnchanged},
      {L"OpenOffice", 0,
       L"The document you selected will be automatically translated and open in the OpenOffice",
       L"from the VANTO Translator menu and toolbar.", kUnchanged},
      {L"VantoMSN", 0, L"To translate the messages you send, type your message in the Outgoing Message group",
       L"will appear in the Translation field.",
       L"1. Launch Windows Live Messenger and log in.\n\n2. Click Launch.\n\nIn Internet Explorer browser "
       L"the \"Select "
       L"a Contact\" dialog will open. To translate your conversation with a contact, select the contact."},
      {L"VantoQIP", 0, L"In the side panel of the message window click Options",
       L"The messages you receive and send will be translated automatically.",
       L"Click Launch.\n\nQIP Infium will launch."},
      {L"VantoSkype", 0, L"Select Options and choose the translation direction",
       L"automatically replaced with a translation.",
       L"Click Launch.\n\nSkype will launch\n\nTranslation commands and settings are available from the "
       L"Extras menu "
       L"(More in Skype v3.8)."},
      {L"Vnto", 0,
       L"The document you selected will be automatically translated and open directly in VANTO Translator.",
       L"using a convenient two-window interface.", kUnchanged},
      {L"VntoX", 0,
       L"The document you selected will be automatically translated and open directly in VANTO "
       L"Translator Lite.\n\nWith VANTO Translator Lite",
       L"two-window interface.", kUnchanged},
      {L"Batcher", 0,
       L"The document will be automatically translated by VANTO Batch Translator and saved in a file.",
       L"from an editable queue.", kUnchanged},
      {L"VntoICQ", 0,
       L"Choose the translation direction and text profile for incoming and outgoing messages in the "
       L"VANTO for ICQ panel.",
       L"replace your text.",
       L"Click Launch.\n\nThe VANTO for ICQ panel will open.\n\nLaunch ICQ Instant Messenger."},
      {L"VntoI", 0, L"", L"", kUnchanged},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.tokens << " entry " << c.entry);
    ASSERT_TRUE(utils.FillAppList(c.tokens, ui::kWordTask, window.List()));
    std::wstring steps = kUnchanged;
    const std::wstring outcome = utils.HelpTextsOf(c.entry, steps);
    EXPECT_TRUE(outcome.starts_with(c.outcomeStart)) << testing::PrintToString(outcome);
    EXPECT_TRUE(outcome.ends_with(c.outcomeEnd)) << testing::PrintToString(outcome);
    EXPECT_EQ(steps, c.steps);
  }
  // Outside the list there is nothing to say.
  std::wstring steps = kUnchanged;
  EXPECT_EQ(utils.HelpTextsOf(5, steps), L"");
  EXPECT_EQ(steps, kUnchanged);
}

TEST_F(AppListTest, FileFiltersTell2007HostsAndTheBatchTranslatorApart) {
  tasktest::InstallOffice(scratch_.path(), {true, true, {L"Word", L"Excel", L"PowerPoint"}});
  for (const wchar_t* app : {L"Vnto", L"Batcher"}) Install(app);
  tasktest::HandOffTestContext context(AppListProduct(kAllApps));
  CTranslateMenuUtils utils(context);
  utils.LoadPlugins();
  tasktest::ListWindow window(true);

  const std::wstring allFiles = L"All files (*.*)|*.*||";
  const std::wstring word2007 =
      L"Word document (*docx; *.doc; *.rtf; *.dotx; *.dot)|*.docx; *.doc; *.rtf; *.dotx; *.dot|";
  const std::wstring word2007All =
      L"All Word documents (*.docx; *.docm; *.dotx; *.dotm; *.doc; *.dot; *.htm; *.html; *.rtf; *.mht; "
      L"*.mhtml; *.xml; "
      L"*.txt)|*.docx; *.docm; *.dotx; *.dotm; *.doc; *.dot; *.htm; *.html; *.rtf; *.mht; *.mhtml; *.xml; "
      L"*.txt|";
  const std::wstring word = L"Word document (*.doc; *.rtf; *.dot)|*.doc; *.rtf; *.dot|";
  const std::wstring wordAll =
      L"All Word documents (*.doc; *.dot; *.htm; *.html; *.url; *.rtf; *.mht; *.mhtml; *.xml; *.txt)|*.doc; "
      L"*.dot; "
      L"*.htm; *.html; *.url; *.rtf; *.mht; *.mhtml; *.xml; *.txt|";

  // Word 2007, Word 2003, the translator, the batch translator.
  ASSERT_TRUE(utils.FillAppList(L"Word|Vnto|Batcher", ui::kWordTask, window.List()));
  ASSERT_EQ(window.Texts().size(), 4u);
  EXPECT_EQ(utils.FileFilter(11, 0), word2007 + word2007All + allFiles);
  EXPECT_EQ(utils.FileFilter(11, 1), word + wordAll + allFiles);
  EXPECT_EQ(utils.FileFilter(11, 2), word + wordAll + allFiles);
  EXPECT_EQ(utils.FileFilter(11, 3), word2007 + allFiles);
  EXPECT_EQ(utils.FileFilter(16, 0), L"PDF document (*.pdf)|*.pdf||" + allFiles);
  EXPECT_EQ(utils.FileFilter(10, 3), allFiles);
  EXPECT_EQ(utils.FileFilter(11, 9), word + wordAll + allFiles);  // outside the list: no host known

  ASSERT_TRUE(utils.FillAppList(L"Excel|Batcher", ui::kExcelTask, window.List()));
  EXPECT_TRUE(utils.FileFilter(12, 0).starts_with(
      L"Excel spreadsheet (*.xl*)|*xl*|All Excel documents (*.xl*; *.xlsx;"));
  EXPECT_TRUE(utils.FileFilter(12, 1).starts_with(
      L"Excel spreadsheet (*.xl*)|*xl*|All Excel documents (*.xl*; *.xls;"));
  EXPECT_EQ(utils.FileFilter(12, 2), L"Excel 2007 spreadsheet (*.xlsx)|*.xlsx|" + allFiles);

  ASSERT_TRUE(utils.FillAppList(L"PowerPoint|Batcher", ui::kPowerPointTask, window.List()));
  EXPECT_TRUE(
      utils.FileFilter(15, 0).starts_with(L"PowerPoint 2007 presentation (*.pptx)|*.pptx|All PowerPoint "
                                          L"documents (*.pptx; *.ppt;"));
  EXPECT_EQ(utils.FileFilter(15, 1),
            L"PowerPoint presentation (*.ppt; *.pps)|*.ppt; *.pps|All PowerPoint documents (*.ppt; *.pps; "
            L"*.pot; *.htm; "
            L"*.html; *.mht; *.mhtml)|*.ppt; *.pps; *.pot; *.htm; *.html; *.mht; *.mhtml|" +
                allFiles);
  EXPECT_EQ(utils.FileFilter(15, 2), L"PowerPoint 2007 presentation (*.pptx)|*.pptx|" + allFiles);
  for (const std::wstring& filter : {utils.FileFilter(12, 0), utils.FileFilter(15, 0)})
    EXPECT_TRUE(filter.ends_with(L"|" + allFiles));
}

}  // namespace
