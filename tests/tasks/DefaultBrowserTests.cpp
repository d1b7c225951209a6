// The default browser's entry, found through the shell's real association of ".html" (in the
// registry sandbox).
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "../launcher/LaunchTestContext.h"
#include "HandOffTestContext.h"
#include "TaskFixtures.h"
#include "menu/TaskTable.h"
#include "support/RegistrySandbox.h"
#include "support/ScratchDir.h"
#include "tasks/DefaultBrowser.h"
#include "tasks/TranslateMenuUtils.h"

namespace {

using tasktest::Keys;

class DefaultBrowserTest : public tasktest::SandboxedTaskTest {
 protected:
  // ".html" opens with `executable`, a file in the scratch folder.
  void Associate(const std::wstring& executable) {
    const std::filesystem::path program = scratch_.Folder(L"Browser") / executable;
    test::WriteFile(program, "MZ");
    test::SetString(HKEY_CLASSES_ROOT, L".html", L"", L"VantoTestPage");
    test::SetString(HKEY_CLASSES_ROOT, L"VantoTestPage\\shell\\open\\command", L"",
                    L"\"" + program.wstring() + L"\" \"%1\"");
  }

  static switches::SwitchFactory Browsers() {
    return tasktest::SuiteWith(
        {{L"FireFox", test::Script(L"Mozilla Firefox", {256},
                                   {test::Found(0, L"Mozilla Firefox 3.6", 1, 256, L"VANTO for Firefox")})},
         {L"VntoIE",
          test::Script(L"Internet Explorer", {512},
                       {test::Found(0, L"Internet Explorer 8", 1, 512, L"VANTO for Internet Explorer")})}});
  }
};

TEST_F(DefaultBrowserTest, TheAssociatedProgramsFileNameNamesItsEntry) {
  Associate(L"IEXPLORE.EXE");
  EXPECT_EQ(tasks::DefaultBrowserFileName(), L"IEXPLORE.EXE");
  // The probe file is gone again.
  EXPECT_FALSE(
      std::filesystem::exists(std::filesystem::temp_directory_path() / L"testtempvantohtmlfile.html"));

  tasktest::HandOffTestContext context({{L"apps", Keys({L"VntoIE", L"FireFox", L"Vnto"})}});
  CTranslateMenuUtils utils(context, Browsers());
  utils.LoadPlugins();
  tasktest::ListWindow window(true);
  ASSERT_TRUE(utils.FillAppList(L"VntoIE|FireFox", ui::kWebPageTask, window.List()));
  ASSERT_EQ(window.List().Text(1), L"Internet Explorer 8");
  EXPECT_EQ(utils.DefaultBrowserEntry(window.List()), 1);

  // The search stops at the first entry without a record.
  RegisterMissing(L"Vnto");
  ASSERT_TRUE(utils.FillAppList(L"Vnto|VntoIE", ui::kWebPageTask, window.List()));
  ASSERT_EQ(window.List().Text(1), L"Internet Explorer 8");
  EXPECT_EQ(utils.DefaultBrowserEntry(window.List()), 0);
}

TEST_F(DefaultBrowserTest, NoAssociationNoEntry) {
  tasktest::HandOffTestContext context({{L"apps", Keys({L"VntoIE", L"FireFox"})}});
  CTranslateMenuUtils utils(context, Browsers());
  utils.LoadPlugins();
  tasktest::ListWindow window(true);
  ASSERT_TRUE(utils.FillAppList(L"VntoIE|FireFox", ui::kWebPageTask, window.List()));

  EXPECT_EQ(tasks::DefaultBrowserFileName(), L"");
  EXPECT_EQ(utils.DefaultBrowserEntry(window.List()), 0);

  Associate(L"opera.exe");  // a browser the list does not offer
  EXPECT_EQ(tasks::DefaultBrowserFileName(), L"opera.exe");
  EXPECT_EQ(utils.DefaultBrowserEntry(window.List()), 0);
}

}  // namespace
