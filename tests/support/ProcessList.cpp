#include "support/ProcessList.h"

#include <tlhelp32.h>

#include "support/Driver.h"

namespace test {
namespace {

constexpr DWORD kAccess = PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_TERMINATE | SYNCHRONIZE;

bool StillRunning(HANDLE process) noexcept {
  return ::WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
}

std::filesystem::path ImageOf(HANDLE process) {
  std::wstring image(32768, L'\0');
  DWORD size = static_cast<DWORD>(image.size());
  if (!::QueryFullProcessImageNameW(process, 0, image.data(), &size)) return {};
  image.resize(size);
  return image;
}

bool SameText(std::wstring_view a, std::wstring_view b) noexcept {
  return ::CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()),
                                TRUE) == CSTR_EQUAL;
}

// One pass over the list; false when a running process in it has no name yet.
bool TakeList(std::vector<ListedProcess>& listed) {
  listed.clear();
  const win::UniqueHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot) return false;
  bool settled = true;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof(entry);
  for (BOOL more = ::Process32FirstW(snapshot.get(), &entry); more;
       more = ::Process32NextW(snapshot.get(), &entry)) {
    win::UniqueHandle process(::OpenProcess(kAccess, FALSE, entry.th32ProcessID));
    // Ended since the snapshot (or not ours to open): it can be no test's business now.
    if (!process || !StillRunning(process.get())) continue;
    if (entry.szExeFile[0] == L'\0') {
      settled = false;
      continue;
    }
    std::filesystem::path image = ImageOf(process.get());
    listed.push_back({entry.th32ProcessID, entry.szExeFile, std::move(image), std::move(process)});
  }
  return settled;
}

}  // namespace

std::vector<ListedProcess> SettledProcesses(std::chrono::milliseconds limit) {
  std::vector<ListedProcess> listed;
  WaitUntil([&] { return TakeList(listed); }, limit);
  return listed;
}

std::vector<ListedProcess> ProcessesIn(const std::filesystem::path& folder, const std::wstring& executable) {
  const std::wstring prefix = folder.wstring() + L"\\";
  std::vector<ListedProcess> found;
  for (ListedProcess& process : SettledProcesses()) {
    const std::wstring image = process.image.wstring();
    if (image.size() <= prefix.size() || !SameText(std::wstring_view(image).substr(0, prefix.size()), prefix))
      continue;
    if (!executable.empty() && !SameText(process.name, executable)) continue;
    found.push_back(std::move(process));
  }
  return found;
}

}  // namespace test
