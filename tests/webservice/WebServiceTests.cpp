// The web-service substitute through real out-of-process COM, and the start centre's two exchanges
// with it (the same code the main window runs), read back from the component's journal.
#include <gtest/gtest.h>

#include <windows.h>
#include <objbase.h>
#include <wrl/client.h>

#include <algorithm>
#include <chrono>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "WebServiceSwitches.h"
#include "core/Bstr.h"
#include "core/PrivateMessages.h"
#include "support/Driver.h"
#include "support/RegistrySandbox.h"
#include "support/TestPaths.h"
#include "updates/ComponentProgram.h"
#include "updates/ServiceInfo.h"
#include "updates/WebServiceThread.h"
#include "vanto/VantoWebService.h"
#include "win/ComScope.h"

namespace test {
namespace {

using namespace std::chrono_literals;
using Microsoft::WRL::ComPtr;
using Lines = std::vector<std::wstring>;

int RunServer(const std::wstring& arguments) {
  Process server;
  if (!server.Start(BinFolder() / L"VantoWebService.exe", arguments) || !server.WaitForExit(30s)) return -1;
  return static_cast<int>(server.ExitCode());
}

bool ProcessEnds(DWORD id, std::chrono::milliseconds timeout) {
  HANDLE process = ::OpenProcess(SYNCHRONIZE, FALSE, id);
  if (!process) return true;
  const bool ended = ::WaitForSingleObject(process, static_cast<DWORD>(timeout.count())) == WAIT_OBJECT_0;
  ::CloseHandle(process);
  return ended;
}

constexpr wchar_t kUpdateKey[] = L"Software\\Korvelsoft\\VNTO9\\Update";

class WebServiceTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_EQ(RunServer(L"/RegServer"), 0); }

  void SetUp() override {
    ASSERT_TRUE(apartment_.ok());
    window_ = ::CreateWindowExW(0, L"STATIC", L"Web service test", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                nullptr, nullptr);
    ASSERT_NE(window_, nullptr);
  }
  void TearDown() override {
    ::DestroyWindow(window_);
    ::RegDeleteKeyValueW(HKEY_CURRENT_USER, kUpdateKey, L"GetUpdates");
  }

  // Runs the start-up exchange as the main window does, the user's choice of dictionary updates
  // stored as `lookForUpdates` (for a component that names no product key); false when it did not
  // end in time.
  bool RunStartup(bool lookForUpdates = true, bool* signalled = nullptr) {
    test::SetDword(HKEY_CURRENT_USER, kUpdateKey, L"GetUpdates", lookForUpdates ? 1 : 0);
    HANDLE started = ::CreateEventW(nullptr, FALSE, FALSE, nullptr);
    win::UniqueHandle thread =
        updates::StartStartupExchange({info_, L"VANTO Client", window_}, nullptr, started);
    const bool got = ::WaitForSingleObject(started, 30000) == WAIT_OBJECT_0;
    if (signalled) *signalled = got;
    ::CloseHandle(started);
    return thread && WaitForEnd(updates::Exchange::kStartup) &&
           ::WaitForSingleObject(thread.get(), 10000) == WAIT_OBJECT_0;
  }
  bool RunLaunch(LPARAM* end = nullptr) {
    win::UniqueHandle thread = updates::StartLaunchExchange({info_, L"VANTO Client", window_});
    return thread && WaitForEnd(updates::Exchange::kLaunch, end) &&
           ::WaitForSingleObject(thread.get(), 10000) == WAIT_OBJECT_0;
  }
  // Dispatches this thread's messages until the exchange's end message arrives; `how` gets its lParam.
  bool WaitForEnd(updates::Exchange which, LPARAM* how = nullptr) const {
    const auto end = std::chrono::steady_clock::now() + 40s;
    while (std::chrono::steady_clock::now() < end) {
      ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
      MSG message;
      while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.hwnd == window_ && message.message == app::kWebServiceEndedMessage &&
            message.wParam == static_cast<WPARAM>(which)) {
          if (how) *how = message.lParam;
          return true;
        }
        ::DispatchMessageW(&message);
      }
    }
    return false;
  }
  // The one object's lines.
  Lines OnlyObject() const {
    const auto objects = switches_.ObjectsAfter(L"released");
    EXPECT_EQ(objects.size(), 1u);
    return objects.empty() ? Lines{} : objects.begin()->second;
  }

  win::ComApartment apartment_;  // first in, last out: it outlives every COM object below
  WebServiceSwitches switches_;
  std::shared_ptr<updates::ServiceInfo> info_ = std::make_shared<updates::ServiceInfo>();
  HWND window_ = nullptr;
};

TEST_F(WebServiceTest, AnswersFromAProcessOfItsOwnWithTheValuesItWasGiven) {
  switches_.Set(L"ProductKey", L"VNTO9-HOME");
  switches_.Set(L"ServiceFlag", 1);
  switches_.Set(L"UpdateNumber", L"12");
  {
    ComPtr<IVantoWebService> service;
    ASSERT_EQ(::CoCreateInstance(CLSID_VantoWebService, nullptr, CLSCTX_LOCAL_SERVER, IID_PPV_ARGS(&service)),
              S_OK);
    LONG status = -1;
    const app::Bstr client(L"Startdeck");
    ASSERT_EQ(service->Initialise(client.get(), nullptr, -1, &status), S_OK);
    EXPECT_EQ(status, 0);
    app::Bstr key;
    ASSERT_EQ(service->get_ProductKey(key.put()), S_OK);
    EXPECT_EQ(key.str(), L"VNTO9-HOME");
    SHORT flag = 0;
    ASSERT_EQ(service->get_ServiceFlag(&flag), S_OK);
    EXPECT_EQ(flag, 1);
    const app::Bstr number(L"13");
    ASSERT_EQ(service->put_UpdateNumber(number.get()), S_OK);
    app::Bstr read;
    ASSERT_EQ(service->get_UpdateNumber(read.put()), S_OK);
    EXPECT_EQ(read.str(), L"13");
    ASSERT_EQ(service->Finish(&status), S_OK);
  }
  EXPECT_EQ(OnlyObject(),
            (Lines{L"created", L"Initialise(\"Startdeck\", null, -1)", L"Initialise status 0",
                   L"get ProductKey -> \"VNTO9-HOME\"", L"get ServiceFlag -> 1", L"put UpdateNumber(\"13\")",
                   L"get UpdateNumber -> \"13\"", L"Finish", L"released"}));
  const std::vector<DWORD> servers = ServerProcesses(switches_.Objects());
  ASSERT_EQ(servers.size(), 1u);
  EXPECT_NE(servers[0], ::GetCurrentProcessId());
  EXPECT_TRUE(ProcessEnds(servers[0], 10s)) << "the server outlives its last object";
}

TEST_F(WebServiceTest, InterfaceIsMarshalledToAnotherApartment) {
  switches_.Set(L"ProductKey", L"moved");
  ComPtr<IVantoWebService> service;
  ASSERT_EQ(::CoCreateInstance(CLSID_VantoWebService, nullptr, CLSCTX_ALL, IID_PPV_ARGS(&service)), S_OK);
  IStream* stream = nullptr;
  ASSERT_EQ(::CoMarshalInterThreadInterfaceInStream(IID_IVantoWebService, service.Get(), &stream), S_OK);
  std::wstring key;
  HRESULT hr = E_FAIL;
  std::thread other([&] {
    const win::ComApartment apartment;
    if (!apartment.ok()) return;
    ComPtr<IVantoWebService> there;
    hr = ::CoGetInterfaceAndReleaseStream(stream, IID_PPV_ARGS(&there));
    app::Bstr text;
    if (SUCCEEDED(hr)) hr = there->get_ProductKey(text.put());
    key = text.str();
  });
  // The proxy's calls come back through this apartment's messages.
  while (::MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT) != WAIT_FAILED && key.empty() &&
         hr == E_FAIL) {
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&message);
  }
  other.join();
  EXPECT_EQ(hr, S_OK);
  EXPECT_EQ(key, L"moved");
}

TEST_F(WebServiceTest, StartupExchangeReadsTheValuesAndTheEventsInItsOrder) {
  switches_.Set(L"ProductKey", L"VNTO9-HOME");
  switches_.Set(L"ServiceFlag", 1);
  switches_.Set(L"ServiceState", 0);
  switches_.Set(L"UpdateNumber", L"11");
  switches_.Set(L"UpdateDate", L"01.01.2010");
  switches_.Set(L"Account", L"anna");
  switches_.Set(L"Session", L"s-1");
  switches_.Set(L"Server", L"my.vanto");
  switches_.Set(L"Token", L"t-1");
  switches_.Set(L"EventUpdateNumber", L"12");
  switches_.Set(L"EventUpdateDate", L"01.02.2010");
  switches_.Set(L"EventInstalling", 1);
  ASSERT_TRUE(RunStartup());

  const updates::ServiceValues values = info_->Snapshot();
  EXPECT_EQ(values.productKey, L"VNTO9-HOME");
  EXPECT_EQ(values.serviceFlag, 1);
  EXPECT_EQ(values.updateNumber, L"12");
  EXPECT_EQ(values.updateDate, L"01.02.2010");
  EXPECT_EQ(values.account, L"anna");
  EXPECT_EQ(values.session, L"s-1");
  EXPECT_EQ(values.server, L"my.vanto");
  EXPECT_EQ(values.token, L"t-1");
  EXPECT_TRUE(info_->Installing());
  EXPECT_TRUE(info_->OffersDictionaryUpdates());
  EXPECT_EQ(CallNames(OnlyObject()), (Lines{L"created",
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
                                            L"Event 46503",
                                            L"Run",
                                            L"Run",
                                            L"Event 46502",
                                            L"Event 46503",
                                            L"Run",
                                            L"get Server",
                                            L"get Token",
                                            L"Unadvise",
                                            L"Finish",
                                            L"released"}));
}

TEST_F(WebServiceTest, StartupExchangeWithoutUpdatesRunsOnce) {
  switches_.Set(L"ServiceFlag", 0);
  ASSERT_TRUE(RunStartup(false));
  const Lines lines = OnlyObject();
  EXPECT_EQ(std::count(lines.begin(), lines.end(), L"Run(0)"), 1);
  EXPECT_EQ(std::count(lines.begin(), lines.end(), L"Run(2)"), 0);
  EXPECT_FALSE(info_->OffersDictionaryUpdates());
}

// The choice is the one stored under the product key the component names, read before Run(2):
// the window's store is loaded only after the exchange has begun.
TEST_F(WebServiceTest, TheChoiceStoredUnderTheProductKeyDecidesRunTwo) {
  constexpr wchar_t kHomeUpdateKey[] = L"Software\\Korvelsoft\\VNTO9\\VNTO9-HOME\\Update";
  switches_.Set(L"ProductKey", L"VNTO9-HOME");
  test::SetString(HKEY_CURRENT_USER, kHomeUpdateKey, L"GetUpdates", L"0");  // as a tool writes it
  const bool ended = RunStartup(true);
  ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Korvelsoft\\VNTO9\\VNTO9-HOME");
  ASSERT_TRUE(ended);
  const Lines lines = OnlyObject();
  EXPECT_EQ(std::count(lines.begin(), lines.end(), L"Run(0)"), 1);
  EXPECT_EQ(std::count(lines.begin(), lines.end(), L"Run(2)"), 0);
}

TEST_F(WebServiceTest, TheAccountOffersDictionaryUpdatesUnlessASwitchSaysNot) {
  struct Case {
    std::optional<DWORD> flag;  // none: the switch is not set
    bool offered;
    const wchar_t* line;
  };
  for (const Case& c : {Case{std::nullopt, true, L"get ServiceFlag -> 1"},
                        Case{0, false, L"get ServiceFlag -> 0"}, Case{1, true, L"get ServiceFlag -> 1"}}) {
    if (c.flag)
      switches_.Set(L"ServiceFlag", *c.flag);
    else
      ::RegDeleteKeyValueW(HKEY_CURRENT_USER, L"Software\\Korvelsoft\\VNTO9\\WebServiceSubstitute",
                           L"ServiceFlag");
    const size_t before = switches_.Lines().size();
    info_ = std::make_shared<updates::ServiceInfo>();
    ASSERT_TRUE(RunStartup(false));
    EXPECT_EQ(info_->OffersDictionaryUpdates(), c.offered) << c.line;
    const Lines lines = switches_.Lines();
    EXPECT_EQ(std::count_if(lines.begin() + static_cast<std::ptrdiff_t>(before), lines.end(),
                            [&](const std::wstring& line) { return line.ends_with(c.line); }),
              1)
        << c.line;
  }
}

TEST_F(WebServiceTest, EventsOfTheWrongShapeAreRefusedAndChangeNothing) {
  switches_.Set(L"OddEvents", 1);
  ASSERT_TRUE(RunStartup(false));
  Lines events;
  for (const std::wstring& line : OnlyObject())
    if (line.rfind(L"Event ", 0) == 0) events.push_back(line);
  EXPECT_EQ(events, (Lines{L"Event 46502(12) -> 0x8002000E", L"Event 46502(nothing, nothing) -> 0x80020005",
                           L"Event 46503() -> 0x8002000E", L"Event 46503(\"yes\") -> 0x80020005",
                           L"Event 46503(1, 2, 3) -> 0x8002000E", L"Event 46501(50) -> 0x00000000",
                           L"Event 4711() -> 0x00000000"}));
  EXPECT_EQ(info_->Snapshot().updateNumber, L"");
  EXPECT_FALSE(info_->Installing());
}

TEST_F(WebServiceTest, LaunchExchangeHandsTheValuesBackAndReadsTheNewOnes) {
  info_->Update([](updates::ServiceValues& v) {
    v.productKey = L"K";
    v.updateNumber = L"12";
    v.updateDate = L"01.02.2010";
    v.account = L"anna";
    v.serviceState = 0;
    v.session = L"s-1";
    v.server = L"my.vanto";
    v.token = L"t-1";
  });
  switches_.Set(L"ServiceState", 4);
  switches_.Set(L"Server", L"other");
  switches_.Set(L"Token", L"t-2");
  ASSERT_TRUE(RunLaunch());
  EXPECT_EQ(OnlyObject(),
            (Lines{L"created", L"Initialise(\"VANTO Client\", null, 0)", L"Initialise status 0",
                   L"put OwnerWindow(window)", L"put ProductKey(\"K\")", L"put UpdateNumber(\"12\")",
                   L"put UpdateDate(\"01.02.2010\")", L"put Account(\"anna\")", L"put ServiceState(0)",
                   L"put Session(\"s-1\")", L"put Server(\"my.vanto\")", L"put Token(\"t-1\")", L"Run(1)",
                   L"Run(1) ends", L"get ServiceState -> 0", L"get Server -> \"my.vanto\"",
                   L"get Token -> \"t-1\"", L"Finish", L"released"}));
  EXPECT_EQ(info_->Snapshot().server, L"my.vanto");
}

TEST_F(WebServiceTest, LaunchExchangeWithoutTextSixPutsBackNeitherSixNorSeven) {
  switches_.Set(L"Server", L"other");
  switches_.Set(L"Token", L"t-2");
  ASSERT_TRUE(RunLaunch());
  const Lines names = CallNames(OnlyObject());
  EXPECT_EQ(std::count(names.begin(), names.end(), L"put Server"), 0);
  EXPECT_EQ(std::count(names.begin(), names.end(), L"put Token"), 0);
  EXPECT_EQ(info_->Snapshot().server, L"other");
  EXPECT_EQ(info_->Snapshot().token, L"t-2");
}

// A component that fails: the start-up event still comes, the exchange ends, no server stays.
struct Failure {
  const char* name;
  const wchar_t* switchName;
  DWORD value;
  const wchar_t* failingProperty;
  const wchar_t* productKey;  // what the record holds afterwards
  const wchar_t* lastLine;    // the object's last line
};

void PrintTo(const Failure& failure, std::ostream* out) {
  *out << failure.name;
}

class WebServiceFailureTest : public WebServiceTest, public ::testing::WithParamInterface<Failure> {};

TEST_P(WebServiceFailureTest, EndsTheExchangeAndSignalsTheWindow) {
  const Failure& failure = GetParam();
  switches_.Set(L"ProductKey", L"VNTO9-HOME");
  if (failure.switchName) switches_.Set(failure.switchName, failure.value);
  if (failure.failingProperty) switches_.Set(L"FailProperty", failure.failingProperty);
  bool signalled = false;
  ASSERT_TRUE(RunStartup(true, &signalled));
  EXPECT_TRUE(signalled);
  EXPECT_EQ(info_->Snapshot().productKey, failure.productKey);
  const auto objects = switches_.ObjectsAfter(failure.lastLine);
  ASSERT_EQ(objects.size(), 1u);
  EXPECT_EQ(objects.begin()->second.back(), failure.lastLine);
  const std::vector<DWORD> servers = ServerProcesses(objects);
  ASSERT_EQ(servers.size(), 1u);
  EXPECT_TRUE(ProcessEnds(servers[0], 10s));
}

INSTANTIATE_TEST_SUITE_P(
    Failures, WebServiceFailureTest,
    ::testing::Values(Failure{"InitialiseFails", L"InitialiseError", 0x80004005, nullptr, L"", L"released"},
                      Failure{"InitialiseStatusNotZero", L"InitialiseStatus", 7, nullptr, L"", L"released"},
                      Failure{"PropertyFails", nullptr, 0, L"ServiceFlag", L"VNTO9-HOME", L"released"},
                      Failure{"OwnerWindowFails", nullptr, 0, L"OwnerWindow", L"", L"released"},
                      Failure{"CrashInRun", L"CrashInRun", 1, nullptr, L"VNTO9-HOME", L"crashes"}),
    [](const ::testing::TestParamInfo<Failure>& param) { return std::string(param.param.name); });

TEST_F(WebServiceTest, PropertyFailureUnadvisesBeforeItEnds) {
  switches_.Set(L"FailProperty", L"UpdateDate");
  ASSERT_TRUE(RunStartup());
  const Lines names = CallNames(OnlyObject());
  EXPECT_EQ(names,
            (Lines{L"created", L"Initialise", L"Initialise", L"Advise", L"put OwnerWindow", L"get ProductKey",
                   L"get ServiceFlag", L"get UpdateNumber", L"fails", L"Unadvise", L"released"}));
}

TEST_F(WebServiceTest, LongAndEmptyTextsArriveWhole) {
  const std::wstring longText(10000, L'x');
  switches_.Set(L"ProductKey", longText);
  switches_.Set(L"EventUpdateNumber", longText);
  switches_.Set(L"EventUpdateDate", L"");
  ASSERT_TRUE(RunStartup());
  const updates::ServiceValues values = info_->Snapshot();
  EXPECT_EQ(values.productKey, longText);
  EXPECT_EQ(values.updateNumber, longText);
  EXPECT_EQ(values.updateDate, L"");
}

TEST_F(WebServiceTest, WithoutRegistrationTheExchangeEndsAtOnce) {
  ASSERT_EQ(RunServer(L"/UnregServer"), 0);
  bool signalled = false;
  const auto start = std::chrono::steady_clock::now();
  const bool ended = RunStartup(true, &signalled);
  const auto took = std::chrono::steady_clock::now() - start;
  ASSERT_EQ(RunServer(L"/RegServer"), 0);
  EXPECT_TRUE(ended);
  EXPECT_TRUE(signalled);
  EXPECT_LT(took, 5s);
  EXPECT_EQ(info_->Snapshot().productKey, L"");
  EXPECT_TRUE(switches_.Lines().empty());
}

// The Launch exchange tells the window when the component could not be created at all; the window
// then names the component's program when its registration points at a file that is not there.
TEST_F(WebServiceTest, LaunchTellsWhenTheComponentCannotBeCreatedAndWhichProgramIsMissing) {
  constexpr wchar_t kServer[] = L"CLSID\\{C1D2E3F4-A5B6-4C7D-8E9F-0A1B2C3D4E5F}\\LocalServer32";
  LPARAM end = -1;
  ASSERT_TRUE(RunLaunch(&end));
  EXPECT_EQ(end, static_cast<LPARAM>(updates::ExchangeEnd::kDone));
  EXPECT_EQ(updates::MissingComponentProgram(), std::nullopt);  // registered, and there

  const std::wstring gone = L"\"C:\\VANTO\\Gone\\VantoWebService.exe\" /Automation";
  const LSTATUS set = ::RegSetKeyValueW(HKEY_CLASSES_ROOT, kServer, nullptr, REG_SZ, gone.c_str(),
                                        static_cast<DWORD>((gone.size() + 1) * sizeof(wchar_t)));
  end = -1;
  const bool ended = RunLaunch(&end);
  const LPARAM endMissing = end;
  const std::optional<std::wstring> missing = updates::MissingComponentProgram();
  ASSERT_EQ(RunServer(L"/UnregServer"), 0);
  end = -1;
  const bool endedUnregistered = RunLaunch(&end);
  const LPARAM endUnregistered = end;
  const std::optional<std::wstring> missingUnregistered = updates::MissingComponentProgram();
  ASSERT_EQ(RunServer(L"/RegServer"), 0);

  ASSERT_EQ(set, ERROR_SUCCESS);
  EXPECT_TRUE(ended);
  EXPECT_EQ(endMissing, static_cast<LPARAM>(updates::ExchangeEnd::kNoComponent));
  EXPECT_EQ(missing, L"C:\\VANTO\\Gone\\VantoWebService.exe");
  EXPECT_TRUE(endedUnregistered);
  EXPECT_EQ(endUnregistered, static_cast<LPARAM>(updates::ExchangeEnd::kNoComponent));
  EXPECT_EQ(missingUnregistered, std::nullopt);  // nothing to name
  EXPECT_EQ(switches_.Objects().size(), 1u);     // the first Launch's component alone
}

TEST(ComponentProgram, TheProgramOfARegisteredCommandLine) {
  const struct {
    const wchar_t* line;
    const wchar_t* program;
  } cases[] = {
      {L"\"C:\\Program Files\\VANTO\\VantoWebService.exe\"",
       L"C:\\Program Files\\VANTO\\VantoWebService.exe"},
      {L"  \"C:\\A B\\Svc.exe\" /Automation ", L"C:\\A B\\Svc.exe"},
      {L"C:\\Program Files\\VANTO\\Svc.EXE -Embedding", L"C:\\Program Files\\VANTO\\Svc.EXE"},
      {L"C:\\VANTO\\Svc", L"C:\\VANTO\\Svc"},
      {L"\"C:\\Unclosed\\Svc.exe", L"C:\\Unclosed\\Svc.exe"},
      {L"", L""},
  };
  for (const auto& c : cases) EXPECT_EQ(updates::ProgramOfCommandLine(c.line), c.program) << c.line;
}

}  // namespace
}  // namespace test
