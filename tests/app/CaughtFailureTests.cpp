// What a catch-all answers with a safe value still reaches the diagnostic log, with the exception's
// own text; a thread whose work throws ends alone, its failure logged, and the process goes on. The
// log is the real file that the per-user "LogFile" value names.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <new>
#include <stdexcept>
#include <string>

#include "core/CaughtFailure.h"
#include "core/ComError.h"
#include "core/ExceptSW.h"
#include "core/LogSink.h"
#include "support/ProgramLog.h"
#include "support/RegistrySandbox.h"
#include "support/SavedState.h"
#include "support/ScratchDir.h"
#include "support/TestPaths.h"
#include "win/Handle.h"
#include "win/Resources.h"

namespace {

constexpr wchar_t kNoRights[] =
    L"Unable to embed/disable the translation functions in \r\n\"VANTO for Skype\"\r\n"
    L"You do not have administrator privileges on this computer. Please contact your System Administrator.";

struct ThrowCase {
  const char* kind;
  std::function<void()> raise;
  std::wstring text;  // what the log says of it
};

const ThrowCase kCases[] = {
    {"standard exception", [] { throw std::runtime_error("disk full"); }, L"disk full"},
    {"no memory", [] { throw std::bad_alloc(); }, L"std::bad_alloc"},
    {"switch exception",
     [] { throw CExceptSW(L"Skype", L"VANTO for Skype", CExceptSW::kNoAdministratorRights, 0); }, kNoRights},
    {"COM error", [] { throw app::ComError(E_OUTOFMEMORY); }, L"COM error 0x8007000E"},
    {"anything else", [] { throw 7; }, L"exception not derived from std::exception"},
};

// The whole log file as text (UTF-16LE behind a byte-order mark).
std::wstring LogText(const std::filesystem::path& file) {
  const std::string bytes = test::ReadFile(file);
  std::wstring text;
  for (size_t i = 2; i + 1 < bytes.size(); i += 2)
    text += static_cast<wchar_t>(static_cast<unsigned char>(bytes[i]) |
                                 (static_cast<unsigned char>(bytes[i + 1]) << 8));
  return text;
}

class CaughtFailureTest : public ::testing::Test {
 protected:
  // The switches' texts are the program's own English ones.
  CaughtFailureTest() {
    const std::wstring program = (test::BinFolder() / L"Startdeck.exe").wstring();
    win::AdoptResourceModule(win::UniqueModule(::LoadLibraryExW(
        program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE)));
    app::ConfigureLogFromRegistry();
  }
  ~CaughtFailureTest() override { win::ResetResourceModule(); }

  test::Restorer savedLog_ = test::SavedLog();
  test::RegistrySandbox registry_;
  test::ProgramLog log_{L"CaughtFailureTests.log"};
};

TEST_F(CaughtFailureTest, TheLogFileOfTheLogFileValueGetsEveryKindOfFailureWithItsText) {
  ASSERT_EQ(app::Log().FilePath(), log_.File().wstring());
  for (const ThrowCase& c : kCases) {
    try {
      c.raise();
    } catch (...) {
      app::LogCaughtException(L"Detection", 42, L"Reading the host's folder");
    }
    EXPECT_TRUE(
        LogText(log_.File())
            .ends_with(L" \r\nDetection(42):\r\nReading the host's folder failed: " + c.text + L"\r\n"))
        << c.kind << ": " << ::testing::PrintToString(LogText(log_.File()));
  }
  // A kernel operation that fails says which one, and with which code, besides its beep.
  EXPECT_FALSE(app::RunKernelOperation(L"DictAndTMMUtils", 9, L"Adding a word",
                                       [] { throw app::ComError(RPC_E_DISCONNECTED); }));
  EXPECT_TRUE(LogText(log_.File())
                  .ends_with(L" \r\nDictAndTMMUtils(9):\r\nAdding a word failed: COM error 0x80010108\r\n"))
      << ::testing::PrintToString(LogText(log_.File()));
}

TEST_F(CaughtFailureTest, TheTextIsTheExceptionsOwn) {
  for (const ThrowCase& c : kCases) {
    std::wstring text;
    try {
      c.raise();
    } catch (...) {
      text = app::CaughtExceptionText();
    }
    EXPECT_EQ(text, c.text) << c.kind;
  }
}

// A thread start routine as the program's are written: its whole work inside the barrier.
DWORD WINAPI Routine(void* parameter) noexcept {
  const auto* raise = static_cast<const std::function<void()>*>(parameter);
  return app::RunThreadBody(L"WorkerThread", 7, L"The worker's exchange", [raise]() -> DWORD {
    if (*raise) (*raise)();
    return 5;  // the work's own exit code
  });
}

DWORD RunThread(const std::function<void()>& raise) {
  const win::UniqueHandle thread(
      ::CreateThread(nullptr, 0, &Routine, const_cast<std::function<void()>*>(&raise), 0, nullptr));
  if (!thread) return 0;
  if (::WaitForSingleObject(thread.get(), 30000) != WAIT_OBJECT_0) return 0;
  DWORD code = 0;
  ::GetExitCodeThread(thread.get(), &code);
  return code;
}

TEST_F(CaughtFailureTest, AThreadWhoseWorkThrowsEndsAloneWithItsFailureLogged) {
  for (const ThrowCase& c : kCases) {
    // This process still runs the next case: the exception did not take it down.
    EXPECT_EQ(RunThread(c.raise), 574u) << c.kind;  // ERROR_UNHANDLED_EXCEPTION
    EXPECT_TRUE(LogText(log_.File())
                    .ends_with(L" \r\nWorkerThread(7):\r\nThe worker's exchange failed: " + c.text + L"\r\n"))
        << c.kind << ": " << ::testing::PrintToString(LogText(log_.File()));
  }
  // Work that ends normally keeps its exit code and logs nothing.
  const std::wstring before = LogText(log_.File());
  EXPECT_EQ(RunThread(nullptr), 5u);
  EXPECT_EQ(LogText(log_.File()), before);
}

}  // namespace
