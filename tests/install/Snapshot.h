// What a machine holds, taken as a list of entries to compare before and after an installer ran: the
// files of folder trees (path, size, content hash) and the keys and values of registry subtrees
// (name, type, data).
#pragma once

#include <windows.h>

#include <filesystem>
#include <initializer_list>
#include <map>
#include <string>
#include <vector>

namespace test {

// One entry per file, folder, key and value. The key is the entry's full name ("C:\...\file",
// "HKLM\SOFTWARE\...\key", "HKLM\SOFTWARE\...\key\\:value"); the text says what it holds
// ("file 1234 bytes, hash 0123abcd...", "key", "REG_SZ \"text\"").
class Snapshot {
 public:
  // Adds the folder and everything below it (nothing when it does not exist).
  void AddFolder(const std::filesystem::path& folder);
  // Adds the key and everything below it, read in the 64-bit view; `name` is how entries are named
  // ("HKLM\SOFTWARE"). Nothing when the key does not exist.
  void AddKey(HKEY root, const std::wstring& path, const std::wstring& name);

  // Entries that Windows Installer keeps for its own bookkeeping while a product is installed, left
  // out of comparisons of installed states (see IsInstallerBookkeeping).
  [[nodiscard]] Snapshot WithoutInstallerBookkeeping() const;
  // Without the empty keys that make up Windows Installer's store itself (see the .cpp).
  [[nodiscard]] Snapshot WithoutInstallerStore() const;

  void Set(const std::wstring& name, const std::wstring& text) { entries_[name] = text; }
  void Erase(const std::wstring& name) { entries_.erase(name); }

  [[nodiscard]] const std::map<std::wstring, std::wstring>& Entries() const noexcept { return entries_; }
  [[nodiscard]] bool Has(const std::wstring& name) const { return entries_.count(name) != 0; }
  [[nodiscard]] std::wstring At(const std::wstring& name) const;
  [[nodiscard]] bool operator==(const Snapshot& other) const { return entries_ == other.entries_; }

 private:
  void AddKeyTree(HKEY key, const std::wstring& name);

  std::map<std::wstring, std::wstring> entries_;
};

// The differences, one line each: "+ name: text" for an entry only `after` has, "- name: text" for
// one only `before` has, "~ name: old -> new" for a changed one. Empty when both are equal.
[[nodiscard]] std::wstring Difference(const Snapshot& before, const Snapshot& after);
// The names of the entries `after` has and `before` has not.
[[nodiscard]] std::vector<std::wstring> Added(const Snapshot& before, const Snapshot& after);

// True for an entry of Windows Installer's own records of installed products (see the .cpp).
[[nodiscard]] bool IsInstallerBookkeeping(const std::wstring& name);

// The Start menu's programs, shared by every user and of the current user.
[[nodiscard]] std::filesystem::path CommonProgramsFolder();
[[nodiscard]] std::filesystem::path UserProgramsFolder();

// A snapshot of what the suite's packages may touch: the `folders` they install into, both Start
// menus' programs, the user's Send To folder, HKLM\SOFTWARE, HKCR and the maker's key of the
// current user.
[[nodiscard]] Snapshot MachineSnapshot(std::initializer_list<std::filesystem::path> folders);

// The content hash of a file as the snapshot records it (FNV-1a, 64 bits, in hex); empty when the
// file cannot be read.
[[nodiscard]] std::wstring ContentHash(const std::filesystem::path& file);

}  // namespace test
