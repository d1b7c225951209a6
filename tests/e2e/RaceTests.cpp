// Two programs switching the Writer integration at the same moment, fifty times over, on the demo
// installation: two plug-ins managers whose Apply is pressed together, and a plug-ins manager beside
// the start centre handing a document to Writer with the integration off. After every round the
// profile holds each of the suite's entries once (or not at all), every configuration file is still
// well formed, and each program shows what the files say.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "DeckTest.h"
#include "ResourceIds.h"
#include "core/RegistryKey.h"
#include "core/RegistryLayout.h"
#include "support/ScratchDir.h"
#include "support/SwitchingLockHolder.h"
#include "support/TestPaths.h"
#include "switches/OpenOfficeSW.h"
#include "win/Handle.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

constexpr int kRounds = 50;

using test::kManagerClass, test::kManagerList, test::kManagerStatus;
constexpr wchar_t kApplied[] = L"The changes have been applied.";
constexpr wchar_t kWriter[] = L"OpenOffice.org Writer 3.1";
constexpr wchar_t kSwitchingBusy[] =
    L"Another program is switching translation add-ins on or off at the moment. Please try again when it has "
    L"finished.";

// The demo product with the OpenOffice task and the plug-ins manager.
constexpr char kOpenOfficeProduct[] = R"({
  "settings": {"FileName": "Startdeck", "ClientName": "Startdeck", "ProductName": "VANTO Translator Home"},
  "_menu1": {"item0": "TranslateOpenOffice;OpenOffice|Vnto"},
  "_menu2": {"item0": "EditTemplate"},
  "apps": {"Vnto": "", "OpenOffice": "", "VantoEM": ""},
  "allapps": {"Vnto": "", "OpenOffice": "", "VantoEM": ""}
})";

size_t Count(const std::string& text, std::string_view what) {
  size_t count = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + what.size())) ++count;
  return count;
}

// What keeps `xml` from being well formed as far as its tags go (every start tag closed by its own
// end tag, in order, one root element); empty when nothing does.
std::string TagFault(const std::string& xml) {
  std::vector<std::string> open;
  size_t roots = 0;
  for (size_t at = xml.find('<'); at != std::string::npos; at = xml.find('<', at + 1)) {
    if (xml.compare(at, 4, "<!--") == 0) {
      at = xml.find("-->", at);
      if (at == std::string::npos) return "an unclosed comment";
      continue;
    }
    const size_t end = xml.find('>', at);
    if (end == std::string::npos) return "a tag without its '>'";
    if (xml[at + 1] == '?' || xml[at + 1] == '!') {
      at = end;
      continue;
    }
    const bool closing = xml[at + 1] == '/';
    const bool empty = xml[end - 1] == '/';
    const size_t nameStart = at + (closing ? 2 : 1);
    const size_t nameEnd = std::min(xml.find_first_of(" \t\r\n/>", nameStart), end);
    const std::string name = xml.substr(nameStart, nameEnd - nameStart);
    if (name.empty()) return "a tag without a name at byte " + std::to_string(at);
    if (closing) {
      if (open.empty() || open.back() != name)
        return "</" + name + "> closes " + (open.empty() ? "nothing" : open.back());
      open.pop_back();
    } else if (!empty) {
      if (open.empty()) ++roots;
      open.push_back(name);
    } else if (open.empty()) {
      ++roots;
    }
    at = end;
  }
  if (!open.empty()) return "<" + open.back() + "> is never closed";
  if (roots != 1) return std::to_string(roots) + " root elements";
  return {};
}

// The Writer 3.1 profile of the demo user.
struct WriterProfile {
  fs::path user = fs::path(COpenOfficeSW::ApplicationData()) / L"OpenOffice.org\\3\\user";
  fs::path office = user / L"registry\\data\\org\\openoffice\\Office";
  fs::path ui = office / L"UI";
  fs::path basic = user / L"basic";
  fs::path accelerators = user / L"config\\soffice.cfg\\modules\\swriter\\accelerator";
};

// What is wrong with the profile for an integration that is `on` (or off): each entry of the suite
// once (or not at all), the marker with it, every configuration file well formed.
std::vector<std::string> ProfileFaults(const WriterProfile& profile, bool on) {
  std::vector<std::string> faults;
  const size_t once = on ? 1 : 0;
  const auto expect = [&](const fs::path& file, std::string_view entry) {
    const size_t found = Count(test::ReadFile(file), entry);
    if (found != once)
      faults.push_back(file.filename().string() + " holds " + std::string(entry) + " " +
                       std::to_string(found) + " times");
  };
  expect(profile.office / L"Addons.xcu", "oor:name=\"VANTO.Translate\"");
  expect(profile.ui / L"WriterWindowState.xcu", "addon_VANTO.Translate");
  expect(profile.basic / L"script.xlc", "library:name=\"Vanto\"");
  std::vector<fs::path> checked = {profile.basic / L"script.xlc"};
  std::error_code ec;
  size_t languages = 0;
  for (fs::directory_iterator language(profile.accelerators, ec), end; !ec && language != end;
       language.increment(ec)) {
    const fs::path current = language->path() / L"current.xml";
    if (!fs::exists(current)) continue;
    ++languages;
    expect(current, "Vanto.Module1.TranslateSel");
    expect(current, "Vanto.Module1.TranslateAll");
    checked.push_back(current);
  }
  if (languages == 0) faults.emplace_back("no accelerator file");
  if (fs::exists(profile.office / L"Addons.xcu.old") != on)
    faults.emplace_back(on ? "the marker is missing" : "the marker stayed");
  for (const fs::path& folder : {profile.office, profile.ui})
    for (fs::directory_iterator file(folder, ec), end; !ec && file != end; file.increment(ec))
      if (file->path().extension() == L".xcu") checked.push_back(file->path());
  for (const fs::path& file : checked) {
    const std::string fault = TagFault(test::ReadFile(file));
    if (!fault.empty()) faults.push_back(file.filename().string() + ": " + fault);
  }
  return faults;
}

fs::path ManagerProgram() {
  app::RegistryKey apps;
  if (!apps.Open(HKEY_LOCAL_MACHINE, reg::kApps, reg::kRead)) return {};
  return apps.ReadString(L"VantoEM");
}

// One plug-ins manager, started as the person would start it, and the controls of its window.
class Manager {
 public:
  bool Start(const fs::path& program) {
    if (!process_.Start(program)) return false;
    window_ = test::WaitForWindow(process_.Id(), L"", kManagerClass, 20s);
    return window_ && test::WaitUntil([&] { return WriterRow() >= 0; }, 5s);
  }
  void Close() {
    if (!window_ || !::IsWindow(window_)) return;
    ::PostMessageW(window_, WM_CLOSE, 0, 0);
    EXPECT_TRUE(process_.WaitForExit(10s));
  }

  [[nodiscard]] HWND List() const { return ::GetDlgItem(window_, kManagerList); }
  [[nodiscard]] std::wstring Status() const {
    return test::ControlText(::GetDlgItem(window_, kManagerStatus));
  }
  [[nodiscard]] int WriterRow() const {
    const std::vector<std::wstring> rows = test::ListViewRows(List());
    const auto at = std::find(rows.begin(), rows.end(), kWriter);
    return at == rows.end() ? -1 : static_cast<int>(at - rows.begin());
  }
  // The Writer row's check box: 1 clear, 2 ticked.
  [[nodiscard]] int WriterCheck() const { return test::ManagerCheckBox(List(), WriterRow()); }

  // Ticks (or clears) the Writer row's check box; the status line empties as it changes.
  ::testing::AssertionResult Want(bool on) {
    const int wanted = on ? 2 : 1;
    if (WriterCheck() != wanted) test::ClickManagerCheckBox(List(), WriterRow());
    if (!test::WaitUntil([&] { return WriterCheck() == wanted && Status().empty(); }, 5s))
      return ::testing::AssertionFailure() << "the Writer row's check box did not follow the click";
    return ::testing::AssertionSuccess();
  }
  void PressApply() const { test::Click(::GetDlgItem(window_, IDOK)); }
  [[nodiscard]] bool ApplyEnabled() const { return ::IsWindowEnabled(::GetDlgItem(window_, IDOK)) != FALSE; }
  [[nodiscard]] HWND Window() const noexcept { return window_; }
  [[nodiscard]] DWORD ProcessId() const noexcept { return process_.Id(); }
  // The status once Apply has ended; a message box that came instead is answered and given back.
  [[nodiscard]] std::wstring AwaitApplied() const { return test::AwaitManagerStatus(window_); }

 private:
  test::Process process_;
  HWND window_ = nullptr;
};

class RaceTest : public test::DeckTest {
 protected:
  void SetUp() override {
    ClearUserRecords();
    ASSERT_NO_FATAL_FAILURE(DeckTest::SetUp());
    ASSERT_NO_FATAL_FAILURE(PackProduct(kOpenOfficeProduct));
    program_ = ManagerProgram();
    ASSERT_TRUE(fs::exists(program_)) << program_;
    ASSERT_TRUE(ProfileFaults(profile_, false).empty()) << "the demo profile starts with the integration off";
  }
  void TearDown() override {
    for (Manager& manager : managers_) manager.Close();
    EXPECT_TRUE(CloseDeck());
    ClearUserRecords();
  }
  static std::string Joined(const std::vector<std::string>& faults) {
    std::string text;
    for (const std::string& fault : faults) text += fault + "; ";
    return text;
  }

  // Ends the Writer stand-in that a hand-off started, so that the next hand-off starts it again
  // rather than asking for a restart.
  static void CloseHost(DWORD processId) {
    const win::UniqueHandle process(::OpenProcess(SYNCHRONIZE, FALSE, processId));
    for (HWND window : test::TopLevelWindows(processId)) ::PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(!process || ::WaitForSingleObject(process.get(), 10000) == WAIT_OBJECT_0);
  }

  test::ScratchDir documents_;
  WriterProfile profile_;
  fs::path program_;
  Manager managers_[2];
};

TEST_F(RaceTest, TwoPluginsManagersApplyingAtOnceNeverDoubleAnEntry) {
  for (Manager& manager : managers_) ASSERT_TRUE(manager.Start(program_));
  for (int round = 0; round < kRounds && !HasFailure(); ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    const bool on = round % 2 == 0;
    for (Manager& manager : managers_) ASSERT_TRUE(manager.Want(on));
    for (const Manager& manager : managers_) manager.PressApply();
    for (const Manager& manager : managers_) EXPECT_EQ(manager.AwaitApplied(), kApplied);
    EXPECT_EQ(Joined(ProfileFaults(profile_, on)), "");
    for (const Manager& manager : managers_) EXPECT_EQ(manager.WriterCheck(), on ? 2 : 1);
  }
  test::Screenshot(L"race-two-managers");
}

// The start centre's hand-off switches the integration on while a plug-ins manager does the same.
TEST_F(RaceTest, APluginsManagerBesideAHandOffNeverDoublesAnEntry) {
  const fs::path document = documents_.Folder(L"Letters") / L"Offer 2009.odt";
  test::WriteFile(document, "PK");
  StartDeck();
  OpenTask(test::kStartButtonTab1, test::kListOfTab1, 0);
  HWND panel = ShownPanel();
  ASSERT_NE(panel, nullptr);
  ASSERT_TRUE(test::PostCharacters(::GetDlgItem(panel, IDC_PANEL_DOCUMENT), document.wstring()));
  Manager& manager = managers_[0];
  ASSERT_TRUE(manager.Start(program_));

  size_t started = 0;
  for (int round = 0; round < kRounds && !HasFailure(); ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    // Chosen again every round: the start centre refills its list when the manager broadcasts.
    ASSERT_TRUE(test::ChooseEntry(test::FindChild(panel, IDC_PANEL_APPLICATIONS, L"StartdeckComboBox"),
                                  std::wstring(kWriter)));
    ASSERT_TRUE(manager.Want(true));
    test::Click(test::FindChild(panel, IDC_PANEL_ACTION, L"StartdeckMenuButton"));
    manager.PressApply();

    EXPECT_EQ(manager.AwaitApplied(), kApplied);
    const std::vector<test::JournalLine> starts = Starts(L"soffice.exe", started, 30s);
    ASSERT_EQ(starts.size(), started + 1) << "Writer was not started: " << AnswerMessage(IDOK);
    started = starts.size();
    EXPECT_EQ(Joined(ProfileFaults(profile_, true)), "");
    EXPECT_EQ(manager.WriterCheck(), 2);
    EXPECT_TRUE(NoMessage());
    CloseHost(starts.back().processId);

    // Back to off for the next round; the start centre hears of it through the broadcast.
    ASSERT_TRUE(manager.Want(false));
    manager.PressApply();
    EXPECT_EQ(manager.AwaitApplied(), kApplied);
    EXPECT_EQ(Joined(ProfileFaults(profile_, false)), "");
  }
  test::Screenshot(L"race-manager-and-hand-off");
}

// While another program holds the switching lock (this test, from a thread of its own), Apply waits
// for it a bounded time, then says so in a box of the manager's own; nothing is switched and the list
// keeps what the person chose, so that Apply can be pressed again once the other program is done.
TEST_F(RaceTest, APluginsManagerThatFindsAnotherProgramSwitchingSaysSoAndKeepsTheChoice) {
  Manager& manager = managers_[0];
  ASSERT_TRUE(manager.Start(program_));
  test::SwitchingLockHolder other;
  ASSERT_TRUE(other.Holding());
  ASSERT_TRUE(manager.Want(true));
  manager.PressApply();

  const test::MessageBoxView box = test::WaitForMessageBox(manager.ProcessId(), 30s);
  ASSERT_NE(box.window, nullptr) << "no message after the wait";
  EXPECT_EQ(box.caption, L"VANTO Plug-ins Manager");
  EXPECT_EQ(box.text, kSwitchingBusy);
  EXPECT_EQ(::GetWindow(box.window, GW_OWNER), manager.Window());
  test::Screenshot(L"race-manager-busy");
  test::PressButton(box.window, IDOK);
  ASSERT_TRUE(test::WaitUntil([&] { return !::IsWindow(box.window); }, 5s));
  EXPECT_EQ(manager.Status(), L"");
  EXPECT_EQ(manager.WriterCheck(), 2);
  EXPECT_TRUE(manager.ApplyEnabled());
  EXPECT_EQ(Joined(ProfileFaults(profile_, false)), "");

  other.End();
  manager.PressApply();
  EXPECT_EQ(manager.AwaitApplied(), kApplied);
  EXPECT_EQ(Joined(ProfileFaults(profile_, true)), "");
}

// The same for the start centre's hand-off: it says so and ends there, without starting Writer and
// without sending for the plug-ins manager (nothing failed to switch).
TEST_F(RaceTest, AHandOffThatFindsAnotherProgramSwitchingSaysSoAndStartsNothing) {
  const fs::path document = documents_.Folder(L"Letters") / L"Offer 2009.odt";
  test::WriteFile(document, "PK");
  StartDeck();
  OpenTask(test::kStartButtonTab1, test::kListOfTab1, 0);
  HWND panel = ShownPanel();
  ASSERT_NE(panel, nullptr);
  ASSERT_TRUE(ChooseDocumentAndApplication(panel, document.wstring(), kWriter));
  HWND action = test::FindChild(panel, IDC_PANEL_ACTION, L"StartdeckMenuButton");

  {
    test::SwitchingLockHolder other;
    ASSERT_TRUE(other.Holding());
    test::Click(action);
    const test::MessageBoxView box = test::WaitForMessageBox(deck_.Id(), 30s);
    ASSERT_NE(box.window, nullptr) << "no message after the wait";
    EXPECT_EQ(box.caption, L"VANTO Plug-ins Manager");
    EXPECT_EQ(box.text, kSwitchingBusy);
    EXPECT_EQ(::GetWindow(box.window, GW_OWNER), window_);
    test::Screenshot(L"race-hand-off-busy");
    test::PressButton(box.window, IDOK);
    EXPECT_TRUE(Starts(L"soffice.exe", 0, 1s).empty());
    EXPECT_EQ(::FindWindowW(kManagerClass, nullptr), nullptr) << "the plug-ins manager was sent for";
    EXPECT_EQ(Joined(ProfileFaults(profile_, false)), "");
  }

  // With the other program done, the same hand-off switches the integration on and starts Writer.
  test::Click(action);
  EXPECT_EQ(Starts(L"soffice.exe", 0, 30s).size(), 1u);
  EXPECT_EQ(Joined(ProfileFaults(profile_, true)), "");
  EXPECT_TRUE(NoMessage());
}

}  // namespace
