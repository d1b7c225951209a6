#include "switches/FileTransaction.h"

#include <windows.h>

#include <algorithm>
#include <iterator>

#include "core/LogSink.h"
#include "win/Handle.h"

namespace switches {
namespace {

constexpr wchar_t kSourceTag[] = L"FileTransaction";
// Names tried for an original set aside when an earlier run left one under the first name.
constexpr int kMaxAsideNames = 100;

DWORD Attributes(const std::wstring& path) noexcept {
  return ::GetFileAttributesW(path.c_str());
}

bool Exists(const std::wstring& path) noexcept {
  return Attributes(path) != INVALID_FILE_ATTRIBUTES;
}

bool IsReadOnlyFile(const std::wstring& path) noexcept {
  const DWORD attributes = Attributes(path);
  return attributes != INVALID_FILE_ATTRIBUTES &&
         (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) != 0;
}

bool IsFolder(const std::wstring& path) noexcept {
  const DWORD attributes = Attributes(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool WriteAll(const std::wstring& path, std::string_view bytes) noexcept {
  const win::UniqueFile file(
      ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  while (!bytes.empty()) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 20));
    DWORD written = 0;
    if (!::WriteFile(file.get(), bytes.data(), chunk, &written, nullptr) || written != chunk) return false;
    bytes.remove_prefix(written);
  }
  return ::FlushFileBuffers(file.get()) != FALSE;
}

void LogFailure(int line, const wchar_t* what, const std::wstring& path) noexcept {
  app::Log().Record(kSourceTag, line, L"%s#%s#%lu", what, path.c_str(), ::GetLastError());
}

}  // namespace

FileTransaction::~FileTransaction() {
  if (applied_ && !kept_) Undo();
  DiscardTemps();
}

bool FileTransaction::Write(const std::wstring& path, std::string_view bytes, const std::wstring& temp) {
  if (applied_ || failed_ || IsReadOnlyFile(path)) return false;
  Step step(Kind::kWrite, path, temp);
  step.bytes = bytes;
  return Stage(std::move(step));
}

bool FileTransaction::Copy(const std::wstring& source, const std::wstring& path, const std::wstring& temp) {
  if (applied_ || failed_ || IsReadOnlyFile(path)) return false;
  Step step(Kind::kWrite, path, temp);
  step.source = source;
  return Stage(std::move(step));
}

bool FileTransaction::Stage(Step step) {
  // A file in a folder still to be made is written once the folder is there.
  const std::size_t separator = step.temp.find_last_of(L"\\/");
  if (separator == std::wstring::npos || IsFolder(step.temp.substr(0, separator))) {
    if (!WriteTemp(step)) return false;
  } else if (!step.source.empty() && !Exists(step.source)) {
    LogFailure(__LINE__, L"Cannot copy", step.source);
    return false;
  }
  steps_.push_back(std::move(step));
  return true;
}

bool FileTransaction::WriteTemp(Step& step) {
  bool written = false;
  if (step.source.empty()) {
    written = WriteAll(step.temp, step.bytes);
  } else {
    // The copy is the suite's file: whatever attributes the installation gave it, it must stay
    // replaceable and removable.
    written = ::CopyFileW(step.source.c_str(), step.temp.c_str(), FALSE) &&
              ::SetFileAttributesW(step.temp.c_str(), FILE_ATTRIBUTE_NORMAL);
  }
  if (!written) {
    LogFailure(__LINE__, step.source.empty() ? L"Cannot write" : L"Cannot copy",
               step.source.empty() ? step.temp : step.source);
    ::SetFileAttributesW(step.temp.c_str(), FILE_ATTRIBUTE_NORMAL);
    ::DeleteFileW(step.temp.c_str());
    return false;
  }
  step.written = true;
  step.bytes = std::string();
  return true;
}

bool FileTransaction::Remove(const std::wstring& path) {
  if (applied_ || failed_ || IsReadOnlyFile(path)) return false;
  steps_.emplace_back(Kind::kRemove, path);
  return true;
}

void FileTransaction::CreateFolder(const std::wstring& path) {
  steps_.emplace_back(Kind::kCreateFolder, path);
}

void FileTransaction::RemoveFolderIfEmpty(const std::wstring& path) {
  steps_.emplace_back(Kind::kRemoveFolder, path);
}

bool FileTransaction::Apply() {
  if (applied_ || failed_) return false;
  applied_ = true;
  for (Step& step : steps_) {
    if (ApplyStep(step)) continue;
    failed_ = true;
    Undo();
    DiscardTemps();
    return false;
  }
  return true;
}

void FileTransaction::Keep() noexcept {
  if (!applied_ || failed_ || kept_) return;
  kept_ = true;
  for (const Step& step : steps_) {
    if (!step.aside.empty() && !::DeleteFileW(step.aside.c_str()))
      LogFailure(__LINE__, L"Cannot delete the original set aside", step.aside);
  }
  // Innermost first, so that a folder staged after one inside it can go too.
  for (auto step = steps_.rbegin(); step != steps_.rend(); ++step)
    if (step->kind == Kind::kRemoveFolder) ::RemoveDirectoryW(step->path.c_str());  // a user's files keep it
}

bool FileTransaction::SetAside(Step& step) {
  for (int n = 1; n <= kMaxAsideNames; ++n) {
    std::wstring aside = step.path + std::wstring(kUndoSuffix);
    if (n > 1) aside += std::to_wstring(n);
    // A name an earlier run left behind holds a file of its own: it is never overwritten.
    if (Exists(aside)) continue;
    if (!::MoveFileExW(step.path.c_str(), aside.c_str(), MOVEFILE_WRITE_THROUGH)) {
      LogFailure(__LINE__, L"Cannot set aside", step.path);
      return false;
    }
    step.aside = std::move(aside);
    return true;
  }
  LogFailure(__LINE__, L"No free name to set aside", step.path);
  return false;
}

bool FileTransaction::ApplyStep(Step& step) {
  switch (step.kind) {
    case Kind::kWrite:
      if (!step.written && !WriteTemp(step)) return false;
      if (Exists(step.path) && (IsReadOnlyFile(step.path) || !SetAside(step))) return false;
      if (!::MoveFileExW(step.temp.c_str(), step.path.c_str(),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        LogFailure(__LINE__, L"Cannot put in place", step.path);
        return false;
      }
      step.placed = true;
      return true;
    case Kind::kRemove:
      if (!Exists(step.path)) return true;
      return !IsReadOnlyFile(step.path) && SetAside(step);
    case Kind::kCreateFolder: {
      std::wstring folder = step.path;
      while (!folder.empty() && (folder.back() == L'\\' || folder.back() == L'/')) folder.pop_back();
      // Every missing folder from the outermost one in; the drive or share part exists or nothing does.
      std::vector<std::wstring> missing;
      for (std::wstring at = folder; !at.empty() && !IsFolder(at);) {
        missing.push_back(at);
        const std::size_t separator = at.find_last_of(L"\\/");
        if (separator == std::wstring::npos || separator == 0) break;
        at.resize(separator);
        if (at.size() == 2 && at[1] == L':') break;
      }
      for (auto it = missing.rbegin(); it != missing.rend(); ++it) {
        if (!::CreateDirectoryW(it->c_str(), nullptr)) {
          LogFailure(__LINE__, L"Cannot create the folder", *it);
          return false;
        }
        step.madeFolders.push_back(*it);
      }
      return true;
    }
    case Kind::kRemoveFolder: return true;  // when the changes are kept
  }
  return false;
}

void FileTransaction::UndoStep(Step& step) noexcept {
  switch (step.kind) {
    case Kind::kWrite:
    case Kind::kRemove:
      if (!step.aside.empty()) {
        if (::MoveFileExW(step.aside.c_str(), step.path.c_str(),
                          MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
          step.aside.clear();
        } else {
          LogFailure(__LINE__, L"Cannot put the original back from", step.aside);
        }
      } else if (step.placed && !::DeleteFileW(step.path.c_str())) {
        LogFailure(__LINE__, L"Cannot remove the new file", step.path);
      }
      step.placed = false;
      return;
    case Kind::kCreateFolder:
      for (auto it = step.madeFolders.rbegin(); it != step.madeFolders.rend(); ++it)
        ::RemoveDirectoryW(it->c_str());
      step.madeFolders.clear();
      return;
    case Kind::kRemoveFolder: return;
  }
}

void FileTransaction::Undo() noexcept {
  for (auto step = steps_.rbegin(); step != steps_.rend(); ++step) UndoStep(*step);
}

void FileTransaction::DiscardTemps() noexcept {
  for (const Step& step : steps_)
    if (step.kind == Kind::kWrite && step.written && !step.placed) ::DeleteFileW(step.temp.c_str());
}

}  // namespace switches
