// The session's switching lock: one holder at a time across threads and programs, a bounded wait,
// a lock left by a holder that ended counted as taken (and logged), and a security descriptor that
// lets a program without administrator rights wait on a lock an elevated one made.
#include <gtest/gtest.h>

#include <windows.h>
#include <aclapi.h>
#include <sddl.h>

#include <string>
#include <vector>

#include "core/LogSink.h"
#include "suite/Owners.h"
#include "support/LogLines.h"
#include "support/ScratchDir.h"
#include "support/SwitchingLockHolder.h"
#include "switches/SwitchingLock.h"

namespace {

using switches::SwitchingLock;
using test::SwitchingLockHolder;

// A handle on the lock that keeps it in being without holding it.
win::UniqueHandle KeptOpen() {
  const SwitchingLock made(0);
  return win::UniqueHandle(made.Held() ? ::OpenMutexW(SYNCHRONIZE, FALSE, SwitchingLock::Name()) : nullptr);
}

class SwitchingLockTest : public ::testing::Test {
 protected:
  SwitchingLockTest() { app::Log().SetFilePath(log_.wstring()); }
  ~SwitchingLockTest() override { app::Log().SetFilePath({}); }

  test::ScratchDir scratch_;
  const std::filesystem::path log_ = scratch_.path() / L"switching.log";
};

TEST_F(SwitchingLockTest, OneHolderAtATimeAndTheSecondWaitsOnlyAsLongAsItWasTold) {
  SwitchingLockHolder other;
  ASSERT_TRUE(other.Holding());
  {
    const SwitchingLock second(50);
    EXPECT_FALSE(second.Held());
    EXPECT_FALSE(second.Abandoned());
  }
  EXPECT_EQ(
      test::ReadLogLines(log_),
      std::vector<std::wstring>{L"Another program kept the switching lock for 50 ms; nothing is switched."});

  other.End();
  const SwitchingLock third(50);
  EXPECT_TRUE(third.Held());
  EXPECT_FALSE(third.Abandoned());
  // Held here, the lock keeps another thread out until this one gives it back.
  SwitchingLockHolder waiting(SwitchingLockHolder::Ending::kRelease, 0);
  EXPECT_FALSE(waiting.Holding());
}

TEST_F(SwitchingLockTest, TheSameThreadTakesItAgainAtOnce) {
  const SwitchingLock outer(0);
  ASSERT_TRUE(outer.Held());
  const SwitchingLock inner(0);
  EXPECT_TRUE(inner.Held());
}

TEST_F(SwitchingLockTest, ALockLeftByAHolderThatEndedCountsAsTakenAndIsLogged) {
  // The lock lives while a program has it open, as one waiting for it would: otherwise it goes
  // with its holder and the next program simply makes a new one.
  const win::UniqueHandle waiting = KeptOpen();
  ASSERT_TRUE(waiting.valid());
  {
    SwitchingLockHolder crashed(SwitchingLockHolder::Ending::kAbandon);
    ASSERT_TRUE(crashed.Holding());
  }
  {
    const SwitchingLock next(1000);
    EXPECT_TRUE(next.Held());
    EXPECT_TRUE(next.Abandoned());
  }
  EXPECT_EQ(test::ReadLogLines(log_),
            std::vector<std::wstring>{
                L"The switching lock was left by a program that ended while switching add-ins; "
                L"what it was switching may be half done."});
  // Given back normally, it is a plain lock again.
  const SwitchingLock after(0);
  EXPECT_TRUE(after.Held());
  EXPECT_FALSE(after.Abandoned());
}

// What the lock's object allows: waiting and releasing to everyone, from any integrity level.
TEST_F(SwitchingLockTest, EveryoneMayWaitOnItFromAnyIntegrityLevel) {
  const SwitchingLock lock(0);
  ASSERT_TRUE(lock.Held());
  EXPECT_EQ(std::wstring(SwitchingLock::Name()).rfind(L"Local\\", 0), 0u) << "one lock per session";
  win::UniqueHandle mutex(::OpenMutexW(READ_CONTROL, FALSE, SwitchingLock::Name()));
  ASSERT_TRUE(mutex.valid()) << ::GetLastError();

  PACL dacl = nullptr;
  suite::UniqueLocal<PSECURITY_DESCRIPTOR> descriptor;
  ASSERT_EQ(::GetSecurityInfo(mutex.get(), SE_KERNEL_OBJECT, DACL_SECURITY_INFORMATION, nullptr, nullptr,
                              &dacl, nullptr, descriptor.put()),
            static_cast<DWORD>(ERROR_SUCCESS));
  ASSERT_NE(dacl, nullptr);
  bool everyone = false;
  for (DWORD i = 0; i < dacl->AceCount; ++i) {
    void* ace = nullptr;
    ASSERT_TRUE(::GetAce(dacl, i, &ace));
    const auto* allowed = static_cast<const ACCESS_ALLOWED_ACE*>(ace);
    if (allowed->Header.AceType != ACCESS_ALLOWED_ACE_TYPE) continue;
    suite::UniqueLocal<wchar_t*> sid;
    ASSERT_TRUE(::ConvertSidToStringSidW(const_cast<DWORD*>(&allowed->SidStart), sid.put()));
    if (std::wstring(sid.get()) == L"S-1-1-0") {
      everyone = true;
      EXPECT_EQ(allowed->Mask, static_cast<ACCESS_MASK>(SYNCHRONIZE | MUTEX_MODIFY_STATE));
    }
  }
  EXPECT_TRUE(everyone) << "no entry for Everyone";

  PACL sacl = nullptr;
  suite::UniqueLocal<PSECURITY_DESCRIPTOR> labelled;
  ASSERT_EQ(::GetSecurityInfo(mutex.get(), SE_KERNEL_OBJECT, LABEL_SECURITY_INFORMATION, nullptr, nullptr,
                              nullptr, &sacl, labelled.put()),
            static_cast<DWORD>(ERROR_SUCCESS));
  ASSERT_NE(sacl, nullptr) << "no mandatory label";
  ASSERT_EQ(sacl->AceCount, 1);
  void* ace = nullptr;
  ASSERT_TRUE(::GetAce(sacl, 0, &ace));
  const auto* label = static_cast<const SYSTEM_MANDATORY_LABEL_ACE*>(ace);
  EXPECT_EQ(label->Header.AceType, SYSTEM_MANDATORY_LABEL_ACE_TYPE);
  suite::UniqueLocal<wchar_t*> level;
  ASSERT_TRUE(::ConvertSidToStringSidW(const_cast<DWORD*>(&label->SidStart), level.put()));
  EXPECT_EQ(std::wstring(level.get()), L"S-1-16-4096") << "the low mandatory level";
}

}  // namespace
