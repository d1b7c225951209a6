#include "switches/OpenOfficeFiles.h"

#include <windows.h>

#include <algorithm>
#include <optional>

#include "switches/ooo/OooMerge.h"
#include "win/Handle.h"

namespace ooo {
namespace {

struct FindTraits {
  using type = HANDLE;
  static type invalid() noexcept { return INVALID_HANDLE_VALUE; }
  static bool is_invalid(type h) noexcept { return h == INVALID_HANDLE_VALUE; }
  static void close(type h) noexcept { ::FindClose(h); }
};
using UniqueFind = win::Unique<FindTraits>;

bool FileExists(const std::wstring& path) {
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool ReadWhole(const std::wstring& path, DWORD access, std::string& bytes) {
  const win::UniqueFile file(::CreateFileW(path.c_str(), access, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                           FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  bytes.clear();
  char buffer[64 * 1024];
  for (;;) {
    DWORD read = 0;
    if (!::ReadFile(file.get(), buffer, sizeof buffer, &read, nullptr)) return false;
    if (read == 0) return true;
    bytes.append(buffer, read);
  }
}

// Templates lie in the suite's installation, which the user may only read.
bool ReadTemplate(const std::wstring& path, std::string& bytes) {
  return ReadWhole(path, GENERIC_READ, bytes);
}

bool WriteWhole(const std::wstring& path, std::string_view bytes) {
  const win::UniqueFile file(
      ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  while (!bytes.empty()) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 20));
    DWORD done = 0;
    if (!::WriteFile(file.get(), bytes.data(), chunk, &done, nullptr) || done != chunk) return false;
    bytes.remove_prefix(done);
  }
  return ::FlushFileBuffers(file.get()) != FALSE;
}

// A profile file that is missing when enabling becomes a copy of the template, in a folder made
// for it if need be.
bool CopyTemplate(const std::wstring& folder, const std::wstring& file, const std::wstring& templ) {
  if (!IsDirectory(folder)) CreateDirectoryPath(folder);
  return ::CopyFileW(templ.c_str(), file.c_str(), FALSE) != FALSE;
}

// What a merge makes of a file: new bytes, nothing (the file stays as it is), or a refusal.
struct Rewrite {
  bool refused = false;
  std::optional<std::string> text;
};

// Reads `file`, hands its bytes (and the template's) to `merge`, and writes the result back
// through `temp`.
template <class Merge>
bool RewriteFile(const std::wstring& file, const std::wstring& temp, const std::wstring* templ, Merge merge) {
  std::string bytes, templateBytes;
  if (!ReadProfileFile(file, bytes)) return false;
  if (templ && !ReadTemplate(*templ, templateBytes)) return false;
  const Rewrite merged = merge(bytes, templateBytes);
  if (merged.refused) return false;
  return !merged.text || ReplaceThroughTemp(file, temp, *merged.text);
}

// The shared course of Addons.xcu and WriterWindowState.xcu.
template <class Enable, class Disable>
bool MergeXcu(bool enable, const std::wstring& folder, const wchar_t* name, const wchar_t* tempName,
              const std::wstring& templ, Enable enableText, Disable disableText) {
  std::string unused;
  if (!ReadTemplate(templ, unused)) return false;
  const std::wstring file = folder + L"\\" + name;
  const std::wstring temp = folder + L"\\" + tempName;
  if (!enable)
    return RewriteFile(file, temp, nullptr, [&](std::string_view f, std::string_view) {
      std::optional<std::string> kept = disableText(f);
      return Rewrite{!kept, std::move(kept)};
    });
  if (!FileExists(file)) return CopyTemplate(folder, file, templ);
  return RewriteFile(file, temp, &templ, enableText);
}

Rewrite EnableAddonsText(std::string_view file, std::string_view templ) {
  AddonsMerge merged = EnableAddons(file, templ);
  switch (merged.outcome) {
    case AddonsMerge::Outcome::kMerged: return {false, std::move(merged.text)};
    case AddonsMerge::Outcome::kAlreadyMerged: return {false, std::nullopt};
    case AddonsMerge::Outcome::kRefused: break;
  }
  return {true, std::nullopt};
}

Rewrite EnableWindowStateText(std::string_view file, std::string_view templ) {
  std::optional<std::string> merged = EnableWindowState(file, templ);
  return {!merged, std::move(merged)};
}

// Calls `visit(folder, file)` for the current.xml of every language folder below `acceleratorFolder`
// until it returns false; false then.
template <class Visit>
bool ForEachAcceleratorFile(const std::wstring& acceleratorFolder, Visit visit) {
  WIN32_FIND_DATAW entry{};
  const UniqueFind find(::FindFirstFileW((acceleratorFolder + L"\\*.*").c_str(), &entry));
  if (!find) return true;  // no language folders, nothing to merge
  do {
    const std::wstring name = entry.cFileName;
    if (name == L"." || name == L".." || entry.dwFileAttributes != FILE_ATTRIBUTE_DIRECTORY) continue;
    const std::wstring folder = acceleratorFolder + L"\\" + name;
    const std::wstring file = folder + L"\\current.xml";
    if (FileExists(file) && !visit(folder, file)) return false;
  } while (::FindNextFileW(find.get(), &entry));
  return true;
}

std::optional<std::string> AcceleratorText(bool enable, std::string_view file, std::string_view templ) {
  return enable ? EnableAccelerators(file, templ) : DisableAccelerators(file);
}

}  // namespace

bool ReadProfileFile(const std::wstring& path, std::string& bytes) {
  // Windows refuses to write a read-only file anyway; the check keeps that true where the
  // attribute is only advisory (a Wine prefix run by root).
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) return false;
  return ReadWhole(path, GENERIC_READ | GENERIC_WRITE, bytes);
}

bool ReplaceThroughTemp(const std::wstring& target, const std::wstring& temp, std::string_view bytes) {
  if (WriteWhole(temp, bytes) &&
      ::MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return true;
  ::DeleteFileW(temp.c_str());
  return false;
}

bool CreateDirectoryPath(const std::wstring& path) {
  std::wstring folder = path;
  while (!folder.empty() && folder.back() == L'\\') folder.pop_back();
  // Past the drive ("C:\") or the share ("\\server\share\") part.
  std::size_t from = 0;
  if (folder.size() >= 2 && folder[1] == L':') {
    from = 3;
  } else if (folder.rfind(L"\\\\", 0) == 0) {
    const std::size_t server = folder.find(L'\\', 2);
    from = server == std::wstring::npos ? server : folder.find(L'\\', server + 1);
  }
  if (from == std::wstring::npos) return IsDirectory(folder);
  for (std::size_t slash = folder.find(L'\\', from);; slash = folder.find(L'\\', slash + 1)) {
    ::CreateDirectoryW(folder.substr(0, slash).c_str(), nullptr);  // an existing one fails, fine
    if (slash == std::wstring::npos) break;
  }
  return IsDirectory(folder);
}

bool ReadTemplateFile(const std::wstring& path, std::string& bytes) {
  return ReadTemplate(path, bytes);
}

bool WriteNewFile(const std::wstring& path, std::string_view bytes) {
  return WriteWhole(path, bytes);
}

bool CopyThroughTemp(const std::wstring& source, const std::wstring& target, const std::wstring& temp) {
  std::string bytes;
  return ReadTemplate(source, bytes) && ReplaceThroughTemp(target, temp, bytes);
}

bool IsDirectory(const std::wstring& path) {
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool MergeAddonsFile(bool enable, const std::wstring& officeFolder, const std::wstring& templ) {
  return MergeXcu(enable, officeFolder, L"Addons.xcu", L"AddonsTemp.xcu", templ, EnableAddonsText,
                  DisableAddons);
}

bool MergeWindowStateFile(bool enable, const std::wstring& uiFolder, const std::wstring& templ) {
  return MergeXcu(enable, uiFolder, L"WriterWindowState.xcu", L"WriterWindowStateTemp.xcu", templ,
                  EnableWindowStateText, DisableWindowState);
}

bool MergeAcceleratorFiles(bool enable, const std::wstring& acceleratorFolder, const std::wstring& templ) {
  std::string templateBytes;
  if (enable && !ReadTemplate(templ, templateBytes)) return false;
  if (AcceleratorMergeRefused(enable, acceleratorFolder, templ)) return false;
  return ForEachAcceleratorFile(acceleratorFolder, [&](const std::wstring& folder, const std::wstring& file) {
    std::string bytes;
    if (!ReadProfileFile(file, bytes)) return false;
    const std::optional<std::string> merged = AcceleratorText(enable, bytes, templateBytes);
    return merged && ReplaceThroughTemp(file, folder + L"\\currentTemp.xml", *merged);
  });
}

bool AddonsUnmergeRefused(const std::wstring& officeFolder) {
  std::string bytes;
  return ReadTemplate(officeFolder + L"\\Addons.xcu", bytes) && !DisableAddons(bytes);
}

bool WindowStateMergeRefused(bool enable, const std::wstring& uiFolder, const std::wstring& templ) {
  std::string bytes, templateBytes;
  if (!ReadTemplate(uiFolder + L"\\WriterWindowState.xcu", bytes)) return false;
  if (!enable) return !DisableWindowState(bytes);
  return ReadTemplate(templ, templateBytes) && !EnableWindowState(bytes, templateBytes);
}

bool AcceleratorMergeRefused(bool enable, const std::wstring& acceleratorFolder, const std::wstring& templ) {
  std::string templateBytes;
  if (enable && !ReadTemplate(templ, templateBytes)) return false;
  return !ForEachAcceleratorFile(acceleratorFolder, [&](const std::wstring&, const std::wstring& file) {
    std::string bytes;
    return !ReadTemplate(file, bytes) || AcceleratorText(enable, bytes, templateBytes).has_value();
  });
}

bool LibraryListMergeRefused(bool enable, const std::wstring& list, const std::wstring& templ) {
  std::string bytes, templateBytes;
  if (!ReadTemplate(list, bytes)) return false;
  if (!enable) return !DisableLibraries(bytes);
  return ReadTemplate(templ, templateBytes) && !EnableLibraries(bytes, templateBytes);
}

}  // namespace ooo
