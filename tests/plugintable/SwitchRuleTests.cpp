// What every switch shares: its stored list, the change test, and the failure rule around each
// record (state inverted, the message shown only when not quiet, the log record).
#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "TestSwitch.h"
#include "core/LogSink.h"
#include "support/SavedState.h"
#include "support/ScratchDir.h"
#include "support/StateCheck.h"
#include "support/TestPaths.h"
#include "switches/Switch.h"
#include "win/Handle.h"
#include "win/MessageBox.h"
#include "win/Resources.h"

// Every test of this program leaves the process-wide state as it found it.
[[maybe_unused]] const bool kStateChecked = test::CheckProcessStateAroundEveryTest();

namespace {

using switches::PluginList;
using switches::PluginRecord;
using test::Found;

constexpr wchar_t kNoAdmin[] =
    L"You do not have administrator privileges on this computer. Please contact your System Administrator.";
constexpr wchar_t kContactSupport[] =
    L"To get detailed information, please contact the Technical Support Service of the VANTO company.";

class SwitchRuleTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(answered_.StringsLoaded()); }

  [[nodiscard]] std::unique_ptr<test::TestSwitch> Make(test::SwitchScript script) {
    return std::make_unique<test::TestSwitch>(L"VANTO for Internet Explorer", std::move(script), log_);
  }

  const test::Restorer savedLog_ = test::SavedLog();
  std::shared_ptr<test::SwitchLog> log_ = std::make_shared<test::SwitchLog>();
  test::AnsweredBoxes answered_;
  const std::vector<win::MessageBoxRequest>& boxes_ = answered_.Shown();
};

TEST_F(SwitchRuleTest, ChangeTestLooksUpTheStoredRecordById) {
  auto sw = Make(test::Script(L"Internet Explorer", {512}));
  PluginRecord a = Found(0, L"Internet Explorer 8", 0, 512, L"VANTO for Internet Explorer");
  a.id = 3;
  PluginRecord b = a;
  b.id = 4;
  b.state = 1;
  sw->SetPlugins({a, b});

  PluginRecord asked = a;
  EXPECT_FALSE(sw->IsChanged(asked)) << "same state";
  asked.state = 1;
  EXPECT_TRUE(sw->IsChanged(asked));
  asked.id = 9;
  EXPECT_FALSE(sw->IsChanged(asked)) << "no stored record with that id";

  PluginList copy = {Found(1, L"stale", 1, 1, L"x")};
  EXPECT_EQ(sw->GetPlugins(copy), 2);
  EXPECT_EQ(copy, (PluginList{a, b}));
  sw->SetPlugins({});
  EXPECT_EQ(sw->GetPlugins(copy), 0);
  EXPECT_TRUE(copy.empty());
}

TEST_F(SwitchRuleTest, FailingRecordsAreInvertedAndShownOnlyWhenNotQuiet) {
  const std::unique_ptr<std::remove_pointer_t<HWND>, decltype(&::DestroyWindow)> window(
      ::CreateWindowExW(0, L"STATIC", L"owner", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr),
      &::DestroyWindow);
  const HWND owner = window.get();
  test::SwitchScript script = test::Script(L"Internet Explorer", {512});
  script.failApply = true;
  script.failureReason = 2;
  auto sw = Make(script);
  sw->SetMessageOwner(owner);
  PluginList records = {Found(0, L"Internet Explorer 8", 1, 512, L"VANTO for Internet Explorer"),
                        Found(0, L"Internet Explorer 8", 0, 512, L"VANTO for Internet Explorer")};

  EXPECT_EQ(sw->ApplyStates(records, 1), 2);
  EXPECT_EQ(records[0].state, 0) << "an enabling that failed leaves 0";
  EXPECT_EQ(records[1].state, 1) << "a disabling that failed leaves 1";
  EXPECT_TRUE(boxes_.empty());
  EXPECT_EQ(log_->applied, 2) << "a failure goes on with the next record";

  records[0].state = 1;
  EXPECT_EQ(sw->ApplyStates(records, 0), 2);
  ASSERT_EQ(boxes_.size(), 2u);
  EXPECT_EQ(boxes_[0].owner, owner);
  EXPECT_EQ(boxes_[0].caption, L"VANTO Plug-ins Manager");
  EXPECT_EQ(boxes_[0].flags, static_cast<UINT>(MB_ICONERROR));
  EXPECT_EQ(boxes_[0].text,
            L"Unable to embed/disable the translation functions in \r\n\""
            L"VANTO for Internet Explorer\"\r\n" +
                std::wstring(kNoAdmin));
}

TEST_F(SwitchRuleTest, AnyOtherErrorIsShownAsAGeneralFailureOfTheProduct) {
  test::SwitchScript script = test::Script(L"Internet Explorer", {512});
  script.throwOther = true;
  auto sw = Make(script);
  PluginList records = {Found(0, L"Internet Explorer 8", 1, 512, L"VANTO for Internet Explorer")};
  EXPECT_EQ(sw->ApplyStates(records, 1), 1);
  EXPECT_EQ(records[0].state, 0);
  EXPECT_TRUE(boxes_.empty());

  records[0].state = 1;
  EXPECT_EQ(sw->ApplyStates(records, 0), 1);
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].text,
            L"Unable to embed/disable the translation functions in \r\n\""
            L"VANTO for Internet Explorer\"\r\n" +
                std::wstring(kContactSupport));
}

TEST_F(SwitchRuleTest, FailureWritesItsLogRecordUnderTheUnitsTag) {
  test::ScratchDir scratch;
  const auto logFile = scratch.path() / L"switches.log";
  app::Log().SetFilePath(logFile.wstring());
  test::SwitchScript script = test::Script(L"Internet Explorer", {512});
  script.failApply = true;
  auto sw = Make(script);
  PluginList records = {Found(0, L"Internet Explorer 8", 1, 512, L"VANTO for Internet Explorer")};
  sw->ApplyStates(records, 1);

  std::ifstream in(logFile, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ASSERT_GE(bytes.size(), 2u);
  const std::wstring text(reinterpret_cast<const wchar_t*>(bytes.data() + 2), (bytes.size() - 2) / 2);
  EXPECT_NE(
      text.find(
          L"\r\nTestSW(7):\r\nInternet Explorer 8#VANTO for Internet Explorer#Can't register addin\r\n"),
      std::wstring::npos)
      << std::string(text.begin(), text.end());
}

}  // namespace
