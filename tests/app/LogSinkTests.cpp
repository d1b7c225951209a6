// The diagnostic log: record layouts, the bytes that reach a real file, and where the file goes.
#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>
#include <knownfolders.h>

#include <filesystem>
#include <memory>
#include <string>

#include "core/LogSink.h"
#include "support/RegistrySandbox.h"
#include "support/SavedState.h"
#include "support/ScratchDir.h"
#include "support/StateCheck.h"
#include "win/Handle.h"
#include "win/System.h"

// Every test of this program leaves the process-wide state as it found it.
[[maybe_unused]] const bool kStateChecked = test::CheckProcessStateAroundEveryTest();

namespace {

namespace fs = std::filesystem;

constexpr wchar_t kStartdeckKey[] = L"Software\\Korvelsoft\\VNTO9\\Startdeck";
constexpr wchar_t kFoldersKey[] = L"SOFTWARE\\Korvelsoft\\VNTO9\\Folders";
constexpr wchar_t kUserShellFoldersKey[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";

// 7 December 2026, 09:05:03.
SYSTEMTIME RecordTime() {
  SYSTEMTIME time{};
  time.wYear = 2026;
  time.wMonth = 12;
  time.wDay = 7;
  time.wHour = 9;
  time.wMinute = 5;
  time.wSecond = 3;
  return time;
}

constexpr wchar_t kStamp[] = L"07/12/2026 09:05:03 ";
constexpr wchar_t kMsnRecord[] =
    L"07/12/2026 09:05:03 \r\nMsnSW(49):\r\nWindows Live Messenger#REGISTRY#Error read plugin folder\r\n";

// The bytes a UTF-16LE file holds for `text`, spelled out so the expectation does not depend on how
// the machine stores a wchar_t.
std::string Utf16Le(std::wstring_view text) {
  std::string bytes;
  for (wchar_t c : text) {
    bytes += static_cast<char>(c & 0xFF);
    bytes += static_cast<char>((c >> 8) & 0xFF);
  }
  return bytes;
}

std::string LogFileBytes(std::wstring_view records) {
  return Utf16Le(L"\xFEFF") + Utf16Le(records);
}

// A text whose every stretch differs from its neighbours, so a cut anywhere shows.
std::wstring LongText(size_t length) {
  std::wstring text;
  for (size_t i = 0; text.size() < length; ++i) text += std::to_wstring(i) + L',';
  text.resize(length);
  return text;
}

TEST(LogRecordLayout, StampIsDayMonthYearAndTimeWithTwoDigitFieldsThenOneBlank) {
  const struct {
    WORD year, month, day, hour, minute, second;
    const wchar_t* stamp;
  } cases[] = {
      {2026, 12, 7, 9, 5, 3, L"07/12/2026 09:05:03 "},
      {2009, 1, 1, 0, 0, 0, L"01/01/2009 00:00:00 "},
      {1999, 12, 31, 23, 59, 59, L"31/12/1999 23:59:59 "},
      {2030, 2, 28, 12, 10, 9, L"28/02/2030 12:10:09 "},
  };
  for (const auto& c : cases) {
    SYSTEMTIME time{};
    time.wYear = c.year;
    time.wMonth = c.month;
    time.wDay = c.day;
    time.wHour = c.hour;
    time.wMinute = c.minute;
    time.wSecond = c.second;
    EXPECT_EQ(app::FormatStamp(time), c.stamp);
  }
}

TEST(LogRecordLayout, SourceRecordPutsTagAndLineOnALineOfTheirOwn) {
  EXPECT_EQ(app::FormatSourceRecord(kStamp, L"MsnSW", 49,
                                    L"Windows Live Messenger#REGISTRY#Error read plugin folder"),
            kMsnRecord);
  EXPECT_EQ(app::FormatSourceRecord(kStamp, L"AcroVersion", -1, L""),
            L"07/12/2026 09:05:03 \r\nAcroVersion(-1):\r\n\r\n");
}

TEST(LogRecordLayout, StampedLineFollowsTheStampDirectly) {
  EXPECT_EQ(app::FormatStampedLine(kStamp, L"\tApplication Installed"),
            L"07/12/2026 09:05:03 \tApplication Installed\r\n");
}

TEST(LogRecordLayout, FreshSinkIsEnabledWithoutAFile) {
  const app::LogSink sink;
  EXPECT_TRUE(sink.Enabled());
  EXPECT_EQ(sink.FilePath(), L"");
}

// A sink with a fixed clock writing to a real file in a scratch folder.
class LogSinkFileTest : public ::testing::Test {
 protected:
  LogSinkFileTest() { sink_.SetFilePath(file_.wstring()); }

  std::string Bytes() const { return test::ReadFile(file_); }

  test::ScratchDir scratch_;
  fs::path file_ = scratch_.path() / L"Startdeck.log";
  app::LogSink sink_{&RecordTime};
};

TEST_F(LogSinkFileTest, SourceRecordReachesTheFileAsUtf16WithSingleLineBreaks) {
  sink_.Record(L"MsnSW", 49, L"%s#%s#%s", L"Windows Live Messenger", L"REGISTRY",
               L"Error read plugin folder");
  EXPECT_EQ(Bytes(), LogFileBytes(kMsnRecord));
}

TEST_F(LogSinkFileTest, NumbersAndNonAsciiTextsAreWrittenUnchanged) {
  sink_.Record(L"AcroVersion", 7, L"%s#%s#%s#%i", L"Übersetzung", L"Диспетчер", L"翻訳", -5);
  sink_.Line(L"%s#%s", L"Acrobat Reader", L"Application Installed");
  EXPECT_EQ(Bytes(), LogFileBytes(L"07/12/2026 09:05:03 \r\nAcroVersion(7):\r\n"
                                  L"Übersetzung#Диспетчер#翻訳#-5\r\n"
                                  L"07/12/2026 09:05:03 Acrobat Reader#Application Installed\r\n"));
}

TEST_F(LogSinkFileTest, TextsAroundAndBeyondTheFirstBufferAreWrittenWhole) {
  for (size_t length : {size_t{1}, size_t{1022}, size_t{1023}, size_t{1024}, size_t{1025}, size_t{2047},
                        size_t{2048}, size_t{5000}}) {
    const fs::path file = scratch_.path() / (L"long" + std::to_wstring(length) + L".log");
    sink_.SetFilePath(file.wstring());
    const std::wstring text = LongText(length);
    sink_.Line(L"%s", text.c_str());
    EXPECT_EQ(test::ReadFile(file), LogFileBytes(kStamp + text + L"\r\n")) << length << " characters";
  }
}

TEST_F(LogSinkFileTest, RecordsAreAppendedBehindOneByteOrderMark) {
  sink_.Record(L"MsnSW", 49, L"%s#%s#%s", L"Windows Live Messenger", L"REGISTRY",
               L"Error read plugin folder");
  sink_.Line(L"\t%s", L"Application Installed");
  // A second sink on the same file, as in a later run of the program.
  app::LogSink later(&RecordTime);
  later.SetFilePath(file_.wstring());
  later.Record(L"SkypeSW", 12, L"%s#%s#%s#%i", L"Skype", L"VERSION", L"Found", 5);

  EXPECT_EQ(Bytes(), LogFileBytes(std::wstring(kMsnRecord) + kStamp + L"\tApplication Installed\r\n" +
                                  kStamp + L"\r\nSkypeSW(12):\r\nSkype#VERSION#Found#5\r\n"));
}

TEST_F(LogSinkFileTest, ByteOrderMarkOnlyWhenTheFileIsEmpty) {
  const struct {
    std::string existing;
    bool bom;
  } cases[] = {
      {std::string(), true},
      {Utf16Le(L"\xFEFF"
               L"A"),
       false},
      {std::string("xy"), false},
  };
  for (const auto& c : cases) {
    test::WriteFile(file_, c.existing);
    sink_.Line(L"%s", L"next");
    EXPECT_EQ(Bytes(), c.existing + (c.bom ? Utf16Le(L"\xFEFF") : std::string()) +
                           Utf16Le(std::wstring(kStamp) + L"next\r\n"))
        << c.existing.size() << " bytes before";
  }
}

TEST_F(LogSinkFileTest, FileThatCannotBeOpenedDropsTheRecordSilently) {
  const fs::path missingFolder = scratch_.path() / L"missing";
  const struct {
    const char* what;
    fs::path path;
  } cases[] = {
      {"a folder that does not exist", missingFolder / L"Startdeck.log"},
      {"a folder instead of a file", scratch_.path()},
      {"no path at all", fs::path()},
  };
  for (const auto& c : cases) {
    sink_.SetFilePath(c.path.wstring());
    sink_.Record(L"MsnSW", 49, L"%s", L"dropped");
    sink_.Line(L"%s", L"dropped");
    EXPECT_FALSE(fs::exists(missingFolder)) << c.what;
    EXPECT_TRUE(fs::is_directory(scratch_.path())) << c.what;
  }
  // The sink keeps working once its file can be opened again.
  sink_.SetFilePath(file_.wstring());
  sink_.Line(L"%s", L"kept");
  EXPECT_EQ(Bytes(), LogFileBytes(std::wstring(kStamp) + L"kept\r\n"));
}

TEST_F(LogSinkFileTest, FileLockedByAnotherWriterDropsTheRecord) {
  test::WriteFile(file_, "");
  {
    const win::UniqueFile locked(::CreateFileW(file_.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(locked.valid());
    sink_.Line(L"%s", L"dropped");
  }
  EXPECT_EQ(Bytes(), "");
  sink_.Line(L"%s", L"kept");
  EXPECT_EQ(Bytes(), LogFileBytes(std::wstring(kStamp) + L"kept\r\n"));
}

TEST_F(LogSinkFileTest, DisabledSinkWritesNothing) {
  sink_.SetEnabled(false);
  sink_.Record(L"MsnSW", 49, L"%s#%s#%s", L"Windows Live Messenger", L"REGISTRY",
               L"Error read plugin folder");
  sink_.Line(L"%s", L"dropped");
  EXPECT_FALSE(fs::exists(file_));

  sink_.SetEnabled(true);
  sink_.Line(L"%s", L"kept");
  EXPECT_EQ(Bytes(), LogFileBytes(std::wstring(kStamp) + L"kept\r\n"));
}

// The location rule. Wine reports Windows 7; the other systems are played through the version seam.
class LogLocationTest : public ::testing::Test {
 protected:
  const test::Restorer savedFacts_ = test::SavedSystemFacts();

  static void PlayWindows(unsigned major) {
    win::SystemFacts facts;
    facts.windowsMajorVersion = major;
    win::OverrideSystemFacts(facts);
  }

  static std::wstring LocalLowFolder() {
    PWSTR raw = nullptr;
    const HRESULT hr = ::SHGetKnownFolderPath(FOLDERID_LocalAppDataLow, 0, nullptr, &raw);
    const std::unique_ptr<wchar_t, decltype(&::CoTaskMemFree)> folder(raw, &::CoTaskMemFree);
    return SUCCEEDED(hr) && folder ? std::wstring(folder.get()) : std::wstring();
  }

  static std::wstring AppDataFolder() {
    wchar_t folder[MAX_PATH] = {};
    if (FAILED(::SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder))) return {};
    return folder;
  }
};

TEST_F(LogLocationTest, VistaAndLaterUseTheLocalLowFolder) {
  const std::wstring localLow = LocalLowFolder();
  ASSERT_FALSE(localLow.empty());
  for (unsigned major : {6u, 10u}) {
    PlayWindows(major);
    app::LogSink sink;
    sink.SetLogFile(L"Startdeck.log");
    EXPECT_EQ(sink.FilePath(), localLow + L"\\Startdeck.log") << "Windows " << major;
  }
}

TEST_F(LogLocationTest, OlderSystemsUseTheApplicationDataFolder) {
  const std::wstring appData = AppDataFolder();
  ASSERT_FALSE(appData.empty());
  ASSERT_NE(appData, LocalLowFolder());
  test::RegistrySandbox registry;
  // The installation's CommonAppDataRoot only stands in for an empty application-data folder.
  test::SetString(HKEY_LOCAL_MACHINE, kFoldersKey, L"CommonAppDataRoot", L"D:\\Common");
  for (unsigned major : {5u, 4u}) {
    PlayWindows(major);
    app::LogSink sink;
    sink.SetLogFile(L"Startdeck.log");
    EXPECT_EQ(sink.FilePath(), appData + L"\\Startdeck.log") << "Windows " << major;
  }
}

TEST_F(LogLocationTest, BeforeWindows2000TheInstallationRecordStandsInForAnEmptyApplicationDataFolder) {
  const struct {
    unsigned major;
    const wchar_t* commonAppDataRoot;  // nullptr: no value
    const wchar_t* expected;
  } cases[] = {
      {4, L"D:\\Common", L"D:\\Common\\Startdeck.log"},
      {4, L"D:\\Common\\", L"D:\\Common\\Startdeck.log"},
      {4, nullptr, L"c:\\Startdeck.log"},
      {5, L"D:\\Common", L"c:\\Startdeck.log"},
  };
  for (const auto& c : cases) {
    test::RegistrySandbox registry;
    // An empty per-user record leaves the shell without an application-data folder (Wine reads it
    // through the redirected HKCU).
    test::SetString(HKEY_CURRENT_USER, kUserShellFoldersKey, L"AppData", L"");
    if (!AppDataFolder().empty()) GTEST_SKIP() << "the shell names an application-data folder regardless";
    if (c.commonAppDataRoot)
      test::SetString(HKEY_LOCAL_MACHINE, kFoldersKey, L"CommonAppDataRoot", c.commonAppDataRoot);
    PlayWindows(c.major);
    app::LogSink sink;
    sink.SetLogFile(L"Startdeck.log");
    EXPECT_EQ(sink.FilePath(), c.expected)
        << "Windows " << c.major << ", root " << (c.commonAppDataRoot ? c.commonAppDataRoot : L"(none)");
  }
}

TEST_F(LogLocationTest, LaterCallReplacesTheEarlierPath) {
  PlayWindows(6);
  app::LogSink sink;
  sink.SetFilePath(L"C:\\elsewhere\\old.log");
  sink.SetLogFile(L"new.log");
  EXPECT_EQ(sink.FilePath(), LocalLowFolder() + L"\\new.log");
}

TEST_F(LogLocationTest, RegistryNamesTheFileOnlyWithANonEmptyPerUserText) {
  enum class Setup { kNothing, kKeyOnly, kEmptyText, kNumber, kMachineWideText, kUserText };
  const struct {
    Setup setup;
    const char* what;
    bool configured;
  } cases[] = {
      {Setup::kNothing, "no key", false},
      {Setup::kKeyOnly, "key without the value", false},
      {Setup::kEmptyText, "empty text", false},
      {Setup::kNumber, "a number", false},
      {Setup::kMachineWideText, "text under HKLM only", false},
      {Setup::kUserText, "text under HKCU", true},
  };
  PlayWindows(6);
  const std::wstring expected = LocalLowFolder() + L"\\Startdeck.log";
  for (const auto& c : cases) {
    test::RegistrySandbox registry;  // a fresh registry per case
    switch (c.setup) {
      case Setup::kNothing: break;
      case Setup::kKeyOnly: test::SetDword(HKEY_CURRENT_USER, kStartdeckKey, L"Other", 1); break;
      case Setup::kEmptyText: test::SetString(HKEY_CURRENT_USER, kStartdeckKey, L"LogFile", L""); break;
      case Setup::kNumber: test::SetDword(HKEY_CURRENT_USER, kStartdeckKey, L"LogFile", 7); break;
      case Setup::kMachineWideText:
        test::SetString(HKEY_LOCAL_MACHINE, kStartdeckKey, L"LogFile", L"Startdeck.log");
        break;
      case Setup::kUserText:
        test::SetString(HKEY_CURRENT_USER, kStartdeckKey, L"LogFile", L"Startdeck.log");
        break;
    }
    app::LogSink sink;
    app::ConfigureLogFromRegistry(sink);
    EXPECT_EQ(sink.FilePath(), c.configured ? expected : L"") << c.what;
  }
}

TEST_F(LogLocationTest, RegistryConfiguresTheProcessWideSink) {
  const test::Restorer savedLog = test::SavedLog();
  PlayWindows(6);
  test::RegistrySandbox registry;
  app::Log().SetFilePath(L"");
  app::ConfigureLogFromRegistry();
  EXPECT_EQ(app::Log().FilePath(), L"");

  test::SetString(HKEY_CURRENT_USER, kStartdeckKey, L"LogFile", L"StartdeckTests.log");
  app::ConfigureLogFromRegistry();
  EXPECT_EQ(app::Log().FilePath(), LocalLowFolder() + L"\\StartdeckTests.log");
}

}  // namespace
