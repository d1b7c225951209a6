#include "ChildRoles.h"

#include <atomic>
#include <cwchar>
#include <string>

#include "win/Handle.h"
#include "win/Module.h"

namespace suitetest {
namespace {

constexpr wchar_t kWaitSwitch[] = L"--wait-for-parent";
constexpr wchar_t kHoldSwitch[] = L"--hold-exclusive";

// Children end with the test program, even when it dies without cleaning up.
int WaitForParent(const wchar_t* parentId) {
  const win::UniqueHandle parent(::OpenProcess(SYNCHRONIZE, FALSE, std::wcstoul(parentId, nullptr, 10)));
  if (!parent) return 3;
  ::WaitForSingleObject(parent.get(), INFINITE);
  return 0;
}

bool SignalReady(const wchar_t* readyEvent) {
  const win::UniqueHandle ready(::OpenEventW(EVENT_MODIFY_STATE, FALSE, readyEvent));
  return ready && ::SetEvent(ready.get());
}

int HoldExclusive(const wchar_t* parentId, const wchar_t* readyEvent, const wchar_t* file) {
  const win::UniqueFile held(::CreateFileW(file, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                           FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!held) return 2;
  if (!SignalReady(readyEvent)) return 4;
  return WaitForParent(parentId);
}

// Running code of its own, the copy is past its start: the process list names it.
int WaitReady(const wchar_t* parentId, const wchar_t* readyEvent) {
  if (!SignalReady(readyEvent)) return 4;
  return WaitForParent(parentId);
}

std::wstring ParentId() {
  return std::to_wstring(::GetCurrentProcessId());
}

std::filesystem::path ThisProgram() {
  return win::ModulePath();
}

// Starts `program` with `arguments` followed by the name of an event that the child sets once it
// is ready; true when it did (false when the child ended first).
bool StartAndWaitUntilReady(const std::filesystem::path& program, const std::wstring& arguments,
                            test::Process& process) {
  static std::atomic<unsigned> counter{0};
  const std::wstring eventName =
      L"StartdeckSuiteTests-Ready-" + ParentId() + L"-" + std::to_wstring(++counter);
  const win::UniqueHandle ready(::CreateEventW(nullptr, TRUE, FALSE, eventName.c_str()));
  if (!ready) return false;
  if (!process.Start(program, arguments + L" " + eventName)) return false;
  // Either the child is ready or it has ended without; the time limit only guards a hang.
  test::WaitUntil(
      [&] { return ::WaitForSingleObject(ready.get(), 0) == WAIT_OBJECT_0 || !process.Running(); },
      std::chrono::seconds(60));
  return ::WaitForSingleObject(ready.get(), 0) == WAIT_OBJECT_0;
}

}  // namespace

std::optional<int> RunChildRole(int argc, wchar_t** argv) {
  if (argc == 4 && std::wstring(argv[1]) == kWaitSwitch) return WaitReady(argv[2], argv[3]);
  if (argc == 5 && std::wstring(argv[1]) == kHoldSwitch) return HoldExclusive(argv[2], argv[4], argv[3]);
  return std::nullopt;
}

bool StartWaitingCopy(const std::filesystem::path& copy, test::Process& process) {
  std::error_code ec;
  std::filesystem::copy_file(ThisProgram(), copy, std::filesystem::copy_options::overwrite_existing, ec);
  if (ec) return false;
  return StartAndWaitUntilReady(copy, std::wstring(kWaitSwitch) + L" " + ParentId(), process);
}

bool StartExclusiveHolder(const std::filesystem::path& file, test::Process& process) {
  return StartAndWaitUntilReady(
      ThisProgram(), std::wstring(kHoldSwitch) + L" " + ParentId() + L" \"" + file.wstring() + L"\"",
      process);
}

}  // namespace suitetest
