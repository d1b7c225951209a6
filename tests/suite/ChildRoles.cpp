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

int HoldExclusive(const wchar_t* parentId, const wchar_t* readyEvent, const wchar_t* file) {
  const win::UniqueFile held(::CreateFileW(file, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                           FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!held) return 2;
  const win::UniqueHandle ready(::OpenEventW(EVENT_MODIFY_STATE, FALSE, readyEvent));
  if (!ready || !::SetEvent(ready.get())) return 4;
  return WaitForParent(parentId);
}

std::wstring ParentId() {
  return std::to_wstring(::GetCurrentProcessId());
}

std::filesystem::path ThisProgram() { return win::ModulePath(); }

}  // namespace

std::optional<int> RunChildRole(int argc, wchar_t** argv) {
  if (argc == 3 && std::wstring(argv[1]) == kWaitSwitch) return WaitForParent(argv[2]);
  if (argc == 5 && std::wstring(argv[1]) == kHoldSwitch) return HoldExclusive(argv[2], argv[3], argv[4]);
  return std::nullopt;
}

bool StartWaitingCopy(const std::filesystem::path& copy, test::Process& process) {
  std::error_code ec;
  std::filesystem::copy_file(ThisProgram(), copy, std::filesystem::copy_options::overwrite_existing, ec);
  if (ec) return false;
  return process.Start(copy, std::wstring(kWaitSwitch) + L" " + ParentId());
}

bool StartExclusiveHolder(const std::filesystem::path& file, test::Process& process) {
  static std::atomic<unsigned> counter{0};
  const std::wstring eventName =
      L"StartdeckSuiteTests-Held-" + ParentId() + L"-" + std::to_wstring(++counter);
  const win::UniqueHandle ready(::CreateEventW(nullptr, TRUE, FALSE, eventName.c_str()));
  if (!ready) return false;
  const std::wstring arguments =
      std::wstring(kHoldSwitch) + L" " + ParentId() + L" " + eventName + L" \"" + file.wstring() + L"\"";
  if (!process.Start(ThisProgram(), arguments)) return false;
  // Either the child holds the file or it has ended without it; the time limit only guards a hang.
  test::WaitUntil(
      [&] { return ::WaitForSingleObject(ready.get(), 0) == WAIT_OBJECT_0 || !process.Running(); },
      std::chrono::seconds(60));
  return ::WaitForSingleObject(ready.get(), 0) == WAIT_OBJECT_0;
}

}  // namespace suitetest
