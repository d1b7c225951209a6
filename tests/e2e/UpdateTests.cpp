// The start centre with the web-service component: the start-up exchange, tab 7's dictionary-updates
// box with its tip, the Launch button, closing while updates install, and a component that is
// missing, hangs or shows its own dialog. The component is the substitute, run by COM as a process
// of its own; its journal shows the calls.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include "../webservice/WebServiceSwitches.h"
#include "DeckTest.h"
#include "ResourceIds.h"
#include "support/ProcessList.h"
#include "support/RegistrySandbox.h"

namespace {

using namespace std::chrono_literals;
using test::FindDescendant;
using Lines = std::vector<std::wstring>;

constexpr wchar_t kProductKey[] = L"VNTO9-E2E";
constexpr wchar_t kUpdateKey[] = L"Software\\Korvelsoft\\VNTO9\\VNTO9-E2E\\Update";

using test::Visible;

// The text the tip of `control` shows: the tooltip control asks the window for it, as when it
// shows (Wine shows tips only for a pointer it moved itself).
std::wstring TipText(HWND window, HWND control) {
  // Only the window's own tooltip has a tool for the control; a list's answers with nothing.
  const std::vector<HWND> tooltips = test::TooltipsOwnedBy(window);
  if (tooltips.empty()) return L"<no tooltip control>";
  constexpr size_t kChars = 512;
  test::RemoteBlock block(window, sizeof(TTTOOLINFOW) + kChars * sizeof(wchar_t));
  if (!block.At(0)) return L"<no memory>";
  for (HWND tooltip : tooltips) {
    TTTOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.uFlags = TTF_IDISHWND;
    tool.hwnd = window;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = reinterpret_cast<wchar_t*>(block.At(sizeof(TTTOOLINFOW)));
    const wchar_t nothing = 0;
    block.Write(0, &tool, sizeof(tool));
    block.Write(sizeof(TTTOOLINFOW), &nothing, sizeof(nothing));
    ::SendMessageW(tooltip, TTM_GETTEXTW, kChars, reinterpret_cast<LPARAM>(block.At(0)));
    std::wstring text(kChars, L'\0');
    block.Read(sizeof(TTTOOLINFOW), text.data(), kChars * sizeof(wchar_t));
    text.resize(text.find(L'\0'));
    if (!text.empty()) return text;
  }
  return {};
}

class UpdateTest : public test::DeckTest {
 protected:
  UpdateTest() {
    ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Korvelsoft\\VNTO9\\VNTO9-E2E");
    service_.Set(L"ProductKey", kProductKey);
  }
  ~UpdateTest() override { ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Korvelsoft\\VNTO9\\VNTO9-E2E"); }

  // An update service that offers dictionary updates and reports update 12.
  void OfferUpdates() const {
    service_.Set(L"ServiceFlag", 1);
    service_.Set(L"ServiceState", 0);
    service_.Set(L"EventUpdateNumber", L"12");
    service_.Set(L"EventUpdateDate", L"01.02.2010");
  }
  // Opens tab 7 from the start page; its Launch button once it shows.
  HWND OpenTabSeven() const {
    HWND opener = FindDescendant(window_, test::kStartButtonTab7);
    if (!opener) return nullptr;
    test::Click(opener);
    return WaitForControl(IDC_LAUNCH_INSTALL, 15s);
  }
  [[nodiscard]] HWND Box() const { return FindDescendant(window_, IDC_DICTIONARY_UPDATES); }
  // The journal once the start-up exchange's object is released.
  [[nodiscard]] std::map<std::wstring, Lines> StartupDone() const {
    return service_.ObjectsAfter(L"released");
  }
  int RegisterComponent(const wchar_t* how) const {
    test::Process server;
    if (!server.Start(installation_.Folder() / L"VantoWebService.exe", how) || !server.WaitForExit(30s))
      return -1;
    return static_cast<int>(server.ExitCode());
  }

  test::WebServiceSwitches service_;
};

TEST_F(UpdateTest, TabSevenShowsTheBoxWhoseTipNamesTheInstalledUpdate) {
  OfferUpdates();
  StartDeck();
  const auto objects = StartupDone();
  ASSERT_EQ(objects.size(), 1u);
  const Lines& calls = objects.begin()->second;
  // The start-up exchange in its order, with the kernel handed over.
  EXPECT_EQ(calls.at(1), L"Initialise(\"Startdeck\", kernel, -1)");
  EXPECT_EQ(test::CallNames(calls), (Lines{L"created",
                                           L"Initialise",
                                           L"Initialise",
                                           L"Advise",
                                           L"put OwnerWindow",
                                           L"get ProductKey",
                                           L"get ServiceFlag",
                                           L"get UpdateNumber",
                                           L"get UpdateDate",
                                           L"get Account",
                                           L"get ServiceState",
                                           L"get Session",
                                           L"Run",
                                           L"Event 46502",
                                           L"Run",
                                           L"Run",
                                           L"Event 46502",
                                           L"Run",
                                           L"get Server",
                                           L"get Token",
                                           L"Unadvise",
                                           L"Finish",
                                           L"released"}));
  EXPECT_EQ(calls.at(4), L"put OwnerWindow(window)");

  HWND box = Box();
  ASSERT_NE(box, nullptr);
  EXPECT_FALSE(Visible(box)) << "the start page shows no dictionary-updates box";
  ASSERT_NE(OpenTabSeven(), nullptr);
  EXPECT_TRUE(test::WaitUntil([&] { return Visible(box); }, 5s));
  EXPECT_EQ(TipText(window_, box), L"Update №12 from 01.02.2010 has been installed.");
  test::Screenshot(L"tab7-dictionary-updates", 400ms);
  // Another tab hides it again.
  test::Click(FindDescendant(window_, test::kRibbonTab1));
  EXPECT_TRUE(test::WaitUntil([&] { return !Visible(box); }, 5s));
}

TEST_F(UpdateTest, TheBoxFollowsTheServiceFlagAndState) {
  struct Case {
    DWORD flag;
    DWORD state;
    bool shown;
  };
  for (const Case& c : {Case{1, 0, true}, Case{0, 0, false}, Case{1, 2, false}}) {
    service_.Set(L"ServiceFlag", c.flag);
    service_.Set(L"ServiceState", c.state);
    StartDeck();
    ASSERT_NE(OpenTabSeven(), nullptr);
    ::Sleep(300);
    EXPECT_EQ(Visible(Box()), c.shown) << c.flag << "/" << c.state;
    // Without an update reported the tip is the box's own text.
    EXPECT_EQ(TipText(window_, Box()), L"Download dictionaries updates from My VANTO");
    ASSERT_TRUE(CloseDeck());
  }
}

// A new user of a new demo installation: nothing but the journal is set for the component, whose
// account offers dictionary updates by default, so tab 7 shows the box, checked.
class NewInstallationUpdateTest : public test::DeckTest {
 protected:
  test::WebServiceSwitches service_;
};

TEST_F(NewInstallationUpdateTest, TabSevenShowsTheDictionaryUpdatesBox) {
  StartDeck();
  const auto objects = service_.ObjectsAfter(L"released");
  ASSERT_EQ(objects.size(), 1u);
  const Lines& calls = objects.begin()->second;
  EXPECT_NE(std::find(calls.begin(), calls.end(), L"get ServiceFlag -> 1"), calls.end());
  EXPECT_NE(std::find(calls.begin(), calls.end(), L"get ServiceState -> 0"), calls.end());
  HWND opener = FindDescendant(window_, test::kStartButtonTab7);
  ASSERT_NE(opener, nullptr);
  test::Click(opener);
  ASSERT_NE(WaitForControl(IDC_LAUNCH_INSTALL, 15s), nullptr);
  HWND box = FindDescendant(window_, IDC_DICTIONARY_UPDATES);
  ASSERT_NE(box, nullptr);
  EXPECT_TRUE(test::WaitUntil([&] { return Visible(box); }, 5s));
  EXPECT_EQ(::SendMessageW(box, BM_GETCHECK, 0, 0), BST_CHECKED);
  test::Screenshot(L"tab7-new-installation", 400ms);
}

TEST_F(UpdateTest, TheBoxsStateIsTheUpdateFlagAndSurvivesARestart) {
  OfferUpdates();
  StartDeck();
  ASSERT_NE(OpenTabSeven(), nullptr);
  ASSERT_TRUE(test::WaitUntil([&] { return Visible(Box()); }, 5s));
  EXPECT_EQ(::SendMessageW(Box(), BM_GETCHECK, 0, 0), BST_CHECKED) << "the flag is 1 when nothing is stored";
  test::Click(Box());
  ASSERT_TRUE(test::WaitUntil([&] { return ::SendMessageW(Box(), BM_GETCHECK, 0, 0) == BST_UNCHECKED; }, 5s));
  ASSERT_TRUE(CloseDeck());
  EXPECT_EQ(test::GetDword(HKEY_CURRENT_USER, kUpdateKey, L"GetUpdates"), 0u);

  StartDeck();
  ASSERT_NE(OpenTabSeven(), nullptr);
  ASSERT_TRUE(test::WaitUntil([&] { return Visible(Box()); }, 5s));
  EXPECT_EQ(::SendMessageW(Box(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  // The stored choice is honoured from this start on: only the first start looked for updates.
  std::map<std::wstring, Lines> exchanges;
  const auto ended = [](const auto& object) {
    return std::count(object.second.begin(), object.second.end(), L"released") > 0;
  };
  ASSERT_TRUE(test::WaitUntil(
      [&] {
        exchanges = service_.Objects();
        return exchanges.size() == 2 && std::all_of(exchanges.begin(), exchanges.end(), ended);
      },
      20s));
  EXPECT_EQ(std::count_if(exchanges.begin(), exchanges.end(),
                          [](const auto& object) {
                            return std::count(object.second.begin(), object.second.end(), L"Run(2)") > 0;
                          }),
            1);
  test::Click(Box());
  ASSERT_TRUE(CloseDeck());
  EXPECT_EQ(test::GetDword(HKEY_CURRENT_USER, kUpdateKey, L"GetUpdates"), 1u);
}

TEST_F(UpdateTest, LaunchIsDisabledWhileItsExchangeRunsAndComesBack) {
  service_.Set(L"ServiceFlag", 1);
  service_.Set(L"Server", L"my.vanto");
  StartDeck();
  ASSERT_EQ(StartupDone().size(), 1u);
  service_.Set(L"RunMs", 3000);
  HWND launch = OpenTabSeven();
  ASSERT_NE(launch, nullptr);
  test::Click(launch);
  ASSERT_FALSE(service_.ObjectsAfter(L"Run(1)", 10s).empty());
  // A second click while the exchange runs starts nothing.
  test::Click(launch);
  auto objects = service_.ObjectsAfter(L"Run(1) ends", 15s);
  ::Sleep(500);
  objects = service_.Objects();
  ASSERT_EQ(objects.size(), 2u) << "one start-up and one Launch exchange";
  Lines launchCalls;
  for (const auto& object : objects)
    if (object.second.size() > 1 && object.second[1].find(L", null, 0)") != std::wstring::npos)
      launchCalls = object.second;
  EXPECT_EQ(test::CallNames(launchCalls),
            (Lines{L"created", L"Initialise", L"Initialise", L"put OwnerWindow", L"put ProductKey",
                   L"put UpdateNumber", L"put UpdateDate", L"put Account", L"put ServiceState",
                   L"put Session", L"put Server", L"put Token", L"Run", L"Run", L"get ServiceState",
                   L"get Server", L"get Token", L"Finish", L"released"}));
  // Once it has ended the button works again.
  service_.Set(L"RunMs", 0);
  test::Click(launch);
  EXPECT_TRUE(test::WaitUntil([&] { return service_.Objects().size() == 3; }, 10s));
}

TEST_F(UpdateTest, ClosingWhileUpdatesInstallAsksAndNoKeepsTheWindow) {
  service_.Set(L"EventInstalling", 1);
  StartDeck();
  ASSERT_EQ(StartupDone().size(), 1u);
  ::PostMessageW(window_, WM_CLOSE, 0, 0);
  EXPECT_EQ(AnswerMessage(IDNO, L"closing-while-installing"),
            L"Updates are being installed. You should wait for this process to finish before quitting the "
            L"application. Quit anyway?");
  EXPECT_FALSE(deck_.WaitForExit(1s));
  EXPECT_TRUE(::IsWindowVisible(window_));
  ::PostMessageW(window_, WM_CLOSE, 0, 0);
  EXPECT_NE(AnswerMessage(IDYES), L"<no message>");
  EXPECT_TRUE(deck_.WaitForExit(10s));
}

TEST_F(UpdateTest, InstallingEndedClosesWithoutAsking) {
  service_.Set(L"EventInstalling", 0);
  StartDeck();
  ASSERT_EQ(StartupDone().size(), 1u);
  ::PostMessageW(window_, WM_CLOSE, 0, 0);
  EXPECT_TRUE(NoMessage());
  EXPECT_TRUE(deck_.WaitForExit(10s));
}

TEST_F(UpdateTest, WithoutTheComponentTheWindowOpensAtOnceAndTabSevenHasNoBox) {
  OfferUpdates();
  ASSERT_EQ(RegisterComponent(L"/UnregServer"), 0);
  const auto start = std::chrono::steady_clock::now();
  StartDeck();
  const bool visible = test::WaitUntil([&] { return Visible(window_); }, 20s);
  const auto took = std::chrono::steady_clock::now() - start;
  const bool opened = OpenTabSeven() != nullptr;
  ::Sleep(300);
  const bool boxShown = Visible(Box());
  ASSERT_EQ(RegisterComponent(L"/RegServer"), 0);
  EXPECT_TRUE(visible);
  EXPECT_LT(took, 8s);
  EXPECT_TRUE(opened);
  EXPECT_FALSE(boxShown);
  EXPECT_TRUE(service_.Lines().empty());
}

// A component whose program is gone (its class still registered) is named when Launch is pressed;
// the window goes on working, and Launch says it again. One that is not registered at all stays
// quiet, as at start-up.
TEST_F(UpdateTest, LaunchWithTheComponentsProgramMissingSaysWhichFileIsMissing) {
  StartDeck();
  ASSERT_EQ(StartupDone().size(), 1u);
  // The start-up exchange's server ends once its object is released.
  ASSERT_TRUE(test::WaitUntil(
      [&] { return test::ProcessesIn(installation_.Folder(), L"VantoWebService.exe").empty(); }, 20s));
  const std::filesystem::path program = installation_.Folder() / L"VantoWebService.exe";
  const std::filesystem::path away = installation_.Folder() / L"VantoWebService.exe.away";
  std::filesystem::rename(program, away);
  HWND launch = OpenTabSeven();
  ASSERT_NE(launch, nullptr);
  const std::wstring expected = L"The VANTO web service cannot be started: its program \"" +
                                program.wstring() +
                                L"\" cannot be found. Reinstall the product to restore it.";
  // The second press finds the button working again, once the first exchange has ended.
  for (int press = 0; press < 2; ++press) {
    SCOPED_TRACE(press);
    test::Click(launch);
    EXPECT_EQ(AnswerMessage(IDOK, press == 0 ? L"web-service-program-missing" : L""), expected);
    ::Sleep(300);
  }
  EXPECT_TRUE(deck_.Running());
  EXPECT_TRUE(::IsWindowVisible(window_));
  EXPECT_TRUE(CloseDeck());

  // Not registered at all: nothing to name.
  std::filesystem::rename(away, program);
  ASSERT_EQ(RegisterComponent(L"/UnregServer"), 0);
  StartDeck();
  launch = OpenTabSeven();
  const bool opened = launch != nullptr;
  if (opened) test::Click(launch);
  const bool quiet = NoMessage();
  ASSERT_EQ(RegisterComponent(L"/RegServer"), 0);
  EXPECT_TRUE(opened);
  EXPECT_TRUE(quiet);
}

// The window does not wait for the component; tab 7, which shows what the component offers, waits
// for it only up to the limit.
TEST_F(UpdateTest, AComponentHangingInInitialiseDelaysOnlyTabSevenByTheWaitLimit) {
  OfferUpdates();
  service_.Set(L"InitialiseMs", 30000);
  service_.Set(L"IdleLimitMs", 2000);
  const auto start = std::chrono::steady_clock::now();
  const auto since = [&start] {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
  };
  StartDeck();
  ASSERT_TRUE(test::WaitUntil([&] { return Visible(window_); }, 40s));
  const auto shown = since();
  test::Click(FindDescendant(window_, test::kStartButtonTab7));
  ASSERT_NE(WaitForControl(IDC_LAUNCH_INSTALL, 20s), nullptr);
  const auto opened = since();
  std::cout << "with the component hanging 30 s: window visible after " << shown.count()
            << " ms, tab 7 after " << opened.count() << " ms\n";
  EXPECT_LT(shown, 8s);
  EXPECT_GE(opened, 9s);
  EXPECT_LT(opened, 20s);
  EXPECT_FALSE(Visible(Box())) << "nothing was read from the component yet";
  EXPECT_TRUE(CloseDeck()) << "closing does not wait for the hanging component";
  // The abandoned component ends by itself once its call returns.
  const auto objects = service_.Objects();
  ASSERT_EQ(objects.size(), 1u);
  const std::vector<DWORD> servers = test::ServerProcesses(objects);
  HANDLE server = ::OpenProcess(SYNCHRONIZE, FALSE, servers.at(0));
  if (server) {
    EXPECT_EQ(::WaitForSingleObject(server, 40000), WAIT_OBJECT_0);
    ::CloseHandle(server);
  }
}

// Closed before the component answered: the settings were never loaded, and the stored ones are not
// overwritten with defaults.
TEST_F(UpdateTest, ClosingBeforeTheAnswerKeepsTheStoredSettings) {
  constexpr wchar_t kKept[] = L"C:\\Kept\\Folder";
  service_.Set(L"InitialiseMs", 30000);
  service_.Set(L"IdleLimitMs", 2000);
  ASSERT_EQ(::RegSetKeyValueW(HKEY_CURRENT_USER, test::kSettingsKeyPath, L"InitialDir", REG_SZ, kKept,
                              static_cast<DWORD>(sizeof(kKept))),
            ERROR_SUCCESS);
  StartDeck();
  ASSERT_TRUE(test::WaitUntil([&] { return Visible(window_); }, 20s));
  EXPECT_TRUE(CloseDeck());
  wchar_t folder[MAX_PATH] = {};
  DWORD size = sizeof(folder);
  EXPECT_EQ(::RegGetValueW(HKEY_CURRENT_USER, test::kSettingsKeyPath, L"InitialDir", RRF_RT_REG_SZ, nullptr,
                           folder, &size),
            ERROR_SUCCESS);
  EXPECT_STREQ(folder, kKept);
}

TEST_F(UpdateTest, ADialogOfTheComponentDuringInitialiseIsAnsweredByTheWaitingWindow) {
  service_.Set(L"InitialiseDialog", installation_.Product());
  service_.Set(L"DialogMs", 500);
  StartDeck();
  ASSERT_TRUE(test::WaitUntil([&] { return Visible(window_); }, 20s));
  const auto objects = StartupDone();
  ASSERT_EQ(objects.size(), 1u);
  const Lines& calls = objects.begin()->second;
  ASSERT_GE(calls.size(), 5u);
  EXPECT_EQ(calls.at(2), L"dialog for \"" + installation_.Product() + L"\"");
  EXPECT_EQ(calls.at(3), L"dialog owner answered \"" + installation_.Product() + L"\"");
  EXPECT_EQ(calls.at(4), L"dialog closed");
}

}  // namespace
