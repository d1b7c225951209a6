// Faults put on a host's file between detection and switching, and what the host looks like around
// them: the switch tests inject one, switch, and compare the files and keys with what was there.
#pragma once

#include <windows.h>

#include <filesystem>
#include <functional>
#include <map>
#include <string>

#include <gtest/gtest.h>

#include "support/ScratchDir.h"
#include "win/Handle.h"

namespace officetest {

enum class Fault {
  kHeldOpen,  // another program holds it open without sharing anything
  kReadOnly,
  kDeleted,  // a file or a whole folder
};

inline const char* FaultName(Fault fault) {
  switch (fault) {
    case Fault::kHeldOpen: return "HeldOpen";
    case Fault::kReadOnly: return "ReadOnly";
    case Fault::kDeleted: return "Deleted";
  }
  return "?";
}

using Files = std::map<std::wstring, std::string>;

// Short contents as they are; longer ones (programs) by size and hash, so that a failure stays
// readable.
inline std::string Digest(const std::string& bytes) {
  if (bytes.size() <= 200) return bytes;
  return "<" + std::to_string(bytes.size()) + " bytes, hash " +
         std::to_string(std::hash<std::string>{}(bytes)) + ">";
}

// Every file and folder below `root`: relative path -> contents ("<folder>" for folders, and a mark
// for read-only files). A file held open without sharing reads as "<held>".
inline Files FilesBelow(const std::filesystem::path& root) {
  Files files;
  std::error_code error;
  if (!std::filesystem::exists(root, error)) return files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
    const std::wstring name = std::filesystem::relative(entry.path(), root).wstring();
    if (entry.is_directory()) {
      files[name] = "<folder>";
      continue;
    }
    const DWORD attributes = ::GetFileAttributesW(entry.path().c_str());
    const win::UniqueFile probe(::CreateFileW(entry.path().c_str(), GENERIC_READ,
                                              FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                                              nullptr));
    files[name] = (probe ? Digest(test::ReadFile(entry.path())) : std::string("<held>")) +
                  ((attributes & FILE_ATTRIBUTE_READONLY) ? " <read-only>" : "");
  }
  return files;
}

// Every value of a key: name -> type and bytes; empty when the key is missing ("<no key>").
inline std::map<std::wstring, std::string> ValuesOf(HKEY root, const wchar_t* path) {
  std::map<std::wstring, std::string> values;
  HKEY raw = nullptr;
  if (::RegOpenKeyExW(root, path, 0, KEY_READ, &raw) != ERROR_SUCCESS) return {{L"<no key>", ""}};
  const win::UniqueKey key(raw);
  for (DWORD index = 0;; ++index) {
    wchar_t name[256] = {};
    DWORD nameLength = 256;
    BYTE data[1024] = {};
    DWORD size = sizeof(data);
    DWORD type = 0;
    if (::RegEnumValueW(key.get(), index, name, &nameLength, nullptr, &type, data, &size) != ERROR_SUCCESS)
      break;
    values[std::wstring(name, nameLength)] = std::to_string(type) + " " + std::string(data, data + size);
  }
  return values;
}

// One fault on one file or folder, for as long as it lives (a deleted one stays deleted).
class InjectedFault {
 public:
  InjectedFault(std::filesystem::path path, Fault fault) : path_(std::move(path)), fault_(fault) {
    switch (fault) {
      case Fault::kHeldOpen:
        held_.reset(::CreateFileW(path_.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        EXPECT_TRUE(held_.valid()) << path_;
        break;
      case Fault::kReadOnly:
        EXPECT_TRUE(::SetFileAttributesW(path_.c_str(), FILE_ATTRIBUTE_READONLY)) << path_;
        break;
      case Fault::kDeleted: EXPECT_GT(std::filesystem::remove_all(path_), 0u) << path_; break;
    }
  }
  InjectedFault(const InjectedFault&) = delete;
  InjectedFault& operator=(const InjectedFault&) = delete;
  ~InjectedFault() {
    held_.reset();
    if (fault_ == Fault::kReadOnly) ::SetFileAttributesW(path_.c_str(), FILE_ATTRIBUTE_NORMAL);
  }

  // `before` (taken below `root` before the fault) as the fault itself changed it.
  [[nodiscard]] Files Expected(Files before, const std::filesystem::path& root) const {
    const std::wstring name = std::filesystem::relative(path_, root).wstring();
    if (name.starts_with(L"..")) return before;  // a fault outside the tree
    switch (fault_) {
      case Fault::kHeldOpen: before[name] = "<held>"; break;
      case Fault::kReadOnly: before[name] += " <read-only>"; break;
      case Fault::kDeleted:
        std::erase_if(before, [&](const auto& entry) {
          return entry.first == name || entry.first.starts_with(name + L"\\");
        });
        break;
    }
    return before;
  }

 private:
  std::filesystem::path path_;
  Fault fault_;
  win::UniqueFile held_;
};

}  // namespace officetest
