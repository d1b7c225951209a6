// The process search, against real processes: copies of this test program started under other names.
#include <gtest/gtest.h>

#include <windows.h>

#include <cwctype>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "ChildRoles.h"
#include "support/ProcessList.h"
#include "support/ScratchDir.h"
#include "suite/ProcessSearch.h"

namespace {

struct Seen {
  DWORD processId;
  WORD taskId;
  std::wstring name;
};

// What the callback saw, and after how many calls it answers zero (never when 0).
struct Watch {
  std::vector<Seen> seen;
  size_t stopAfter = 0;
  DWORD stopAtProcess = 0;
};

int Record(DWORD processId, WORD taskId, const wchar_t* name, LPARAM value) noexcept {
  auto& watch = *reinterpret_cast<Watch*>(value);
  try {
    watch.seen.push_back({processId, taskId, name});
  } catch (...) {
    return 0;
  }
  if (watch.stopAfter != 0 && watch.seen.size() >= watch.stopAfter) return 0;
  return processId == watch.stopAtProcess ? 0 : 1;
}

int GoOn(DWORD, WORD, const wchar_t*, LPARAM) noexcept {
  return 1;
}

// Names only this test run uses, so that parallel tests never find each other's children.
std::wstring UniqueName(const std::wstring& stem) {
  return stem + std::to_wstring(::GetCurrentProcessId()) + L".exe";
}

class ProcessSearch : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(suitetest::StartWaitingCopy(scratch_.path() / childName_, child_));
    ASSERT_TRUE(child_.Running());
  }

  test::ScratchDir scratch_;
  const std::wstring childName_ = UniqueName(L"MsnMsgr");  // "MsnMsgr1234.exe"
  test::Process child_;
};

TEST_F(ProcessSearch, FindsARunningProgramByItsNameInAnyCase) {
  std::wstring lower = childName_;
  std::wstring upper = childName_;
  for (wchar_t& c : lower) c = static_cast<wchar_t>(::towlower(c));
  for (wchar_t& c : upper) c = static_cast<wchar_t>(::towupper(c));
  for (const std::wstring& target : {lower, upper, childName_})
    EXPECT_EQ(suite::FindProcess(target, &GoOn, 0), child_.Id()) << target;
  // Callers that need no callback pass none.
  EXPECT_EQ(suite::FindProcess(lower), child_.Id());
}

TEST_F(ProcessSearch, OnlyTheWholeNameMatches) {
  const std::wstring stem = childName_.substr(0, childName_.size() - 4);  // "MsnMsgr1234"
  for (const std::wstring& target : {stem, childName_.substr(1), childName_ + L"x", std::wstring()}) {
    EXPECT_EQ(suite::FindProcess(target, &GoOn, 0), std::nullopt) << target;
  }
}

TEST_F(ProcessSearch, NotFoundOnceTheProgramHasEnded) {
  ASSERT_EQ(suite::FindProcess(childName_, &GoOn, 0), child_.Id());
  child_.Terminate();
  ASSERT_TRUE(child_.WaitForExit(std::chrono::seconds(30)));
  EXPECT_EQ(suite::FindProcess(childName_, &GoOn, 0), std::nullopt);
}

TEST_F(ProcessSearch, TheCallbackSeesEveryProcessWhenNoneMatches) {
  // Processes of parallel tests come and go during the search. Those that ran, named, before it
  // and still run after it ran throughout; the handles held meanwhile keep their IDs from being
  // given to newcomers.
  const std::vector<test::ListedProcess> before = test::SettledProcesses();
  Watch watch;
  EXPECT_EQ(suite::FindProcess(UniqueName(L"NotRunning"), &Record, reinterpret_cast<LPARAM>(&watch)),
            std::nullopt);

  std::map<DWORD, std::wstring> seen;
  for (const Seen& s : watch.seen) {
    // No NTVDM under a 64-bit system, so only processes, with task ID 0.
    EXPECT_EQ(s.taskId, 0) << s.name;
    seen.emplace(s.processId, s.name);
  }
  size_t throughout = 0;
  for (const test::ListedProcess& process : before) {
    if (::WaitForSingleObject(process.handle.get(), 0) != WAIT_TIMEOUT) continue;  // ended meanwhile
    ++throughout;
    const auto reported = seen.find(process.id);
    ASSERT_NE(reported, seen.end()) << "process " << process.id << " ("
                                    << testing::PrintToString(process.name) << ") was not reported";
    EXPECT_EQ(reported->second, process.name) << "process " << process.id;
  }
  EXPECT_GE(throughout, 2u) << "this test program and its child at least";
  EXPECT_EQ(seen.count(::GetCurrentProcessId()), 1u);
  EXPECT_EQ(_wcsicmp(seen[::GetCurrentProcessId()].c_str(), L"suite_tests.exe"), 0) << "this test program";
  EXPECT_EQ(seen[child_.Id()], childName_) << "the child, under the name it was started as";
}

TEST_F(ProcessSearch, TheMatchIsReportedToTheCallbackLastOfAll) {
  Watch watch;
  ASSERT_EQ(suite::FindProcess(childName_, &Record, reinterpret_cast<LPARAM>(&watch)), child_.Id());
  ASSERT_FALSE(watch.seen.empty());
  EXPECT_EQ(watch.seen.back().processId, child_.Id());
  EXPECT_EQ(watch.seen.back().name, childName_);
}

TEST_F(ProcessSearch, ACallbackThatAnswersZeroStopsTheSearch) {
  // With a target that is not running, the search would otherwise go through every process.
  for (size_t stopAfter : {1u, 3u}) {
    Watch watch;
    watch.stopAfter = stopAfter;
    EXPECT_EQ(suite::FindProcess(UniqueName(L"NotRunning"), &Record, reinterpret_cast<LPARAM>(&watch)),
              std::nullopt);
    EXPECT_EQ(watch.seen.size(), stopAfter);
  }

  // Stopping on the very process that matches: the callback comes first, so it is not found.
  Watch watch;
  watch.stopAtProcess = child_.Id();
  EXPECT_EQ(suite::FindProcess(childName_, &Record, reinterpret_cast<LPARAM>(&watch)), std::nullopt);
  ASSERT_FALSE(watch.seen.empty());
  EXPECT_EQ(watch.seen.back().processId, child_.Id());
}

}  // namespace
