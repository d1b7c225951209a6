#include "Snapshot.h"

#include <shlobj.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cwctype>
#include <fstream>
#include <set>

#include "support/ShellLink.h"
#include "win/Handle.h"

namespace test {

namespace {

namespace fs = std::filesystem;

std::wstring Lower(std::wstring text) {
  std::transform(text.begin(), text.end(), text.begin(), [](wchar_t c) { return std::towlower(c); });
  return text;
}

bool StartsWith(const std::wstring& text, const std::wstring& start) {
  return text.size() >= start.size() && text.compare(0, start.size(), start) == 0;
}

// `name` is `area` itself or lies below it (names compared without case, as the registry does).
bool Within(const std::wstring& name, const std::wstring& area) {
  const std::wstring lower = Lower(name);
  const std::wstring lowerArea = Lower(area);
  return lower == lowerArea || StartsWith(lower, lowerArea + L"\\");
}

// Windows Installer's records of the products it installed: it writes them when a product is
// installed (RegisterProduct, PublishProduct, PublishFeatures, ProcessComponents) and removes them
// with the product. They are the installer's, not the package's: they hold the product and package
// codes, the install date, the cached package's name and the source it came from, which differ
// from one installation of the same package to the next.
constexpr std::array<const wchar_t*, 4> kBookkeeping = {
    // The advertised product, its features, its upgrade code and where its source is.
    L"HKLM\\SOFTWARE\\Classes\\Installer",
    // The same, seen through HKEY_CLASSES_ROOT.
    L"HKCR\\Installer",
    // Per-machine installation records: each component's key path, the product's install properties,
    // the upgrade codes.
    L"HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Installer",
    // Add/Remove Programs: the product's entry, named by its product code, written by
    // RegisterProduct from the package's properties (checked apart by the upgrade test).
    L"HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\{",
};

// The empty keys that hold the records above: the installer's store, which it creates at its first
// installation and keeps on every machine (Windows has them from the start), with or without a
// product in it. Their presence after a removal is no trace of the package.
constexpr std::array<const wchar_t*, 18> kStoreKeys = {
    L"HKLM\\SOFTWARE\\Classes\\Installer",
    L"HKLM\\SOFTWARE\\Classes\\Installer\\Features",
    L"HKLM\\SOFTWARE\\Classes\\Installer\\Products",
    L"HKLM\\SOFTWARE\\Classes\\Installer\\UpgradeCodes",
    L"HKLM\\SOFTWARE\\Classes\\Installer\\Components",
    L"HKLM\\SOFTWARE\\Classes\\Installer\\Patches",
    L"HKCR\\Installer",
    L"HKCR\\Installer\\Features",
    L"HKCR\\Installer\\Products",
    L"HKCR\\Installer\\UpgradeCodes",
    L"HKCR\\Installer\\Components",
    L"HKCR\\Installer\\Patches",
    L"HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Installer\\UpgradeCodes",
    L"HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Installer\\UserData",
    L"HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Installer\\UserData\\S-1-5-18",
    L"HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Installer\\UserData\\S-1-5-18\\Components",
    L"HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Installer\\UserData\\S-1-5-18\\Products",
    L"HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Installer\\Folders",
};

std::wstring Hex(const BYTE* data, DWORD size) {
  std::wstring text;
  wchar_t pair[4];
  for (DWORD i = 0; i < size; ++i) {
    std::swprintf(pair, 4, L"%02x", data[i]);
    text += pair;
  }
  return text;
}

// A value's type and data as a line of text: strings quoted, numbers in decimal, the rest in hex.
std::wstring ValueText(DWORD type, const std::vector<BYTE>& data) {
  const auto* text = reinterpret_cast<const wchar_t*>(data.data());
  const size_t chars = data.size() / sizeof(wchar_t);
  switch (type) {
    case REG_SZ:
    case REG_EXPAND_SZ: {
      std::wstring value(text, chars);
      while (!value.empty() && value.back() == L'\0') value.pop_back();
      return (type == REG_SZ ? L"REG_SZ \"" : L"REG_EXPAND_SZ \"") + value + L"\"";
    }
    case REG_MULTI_SZ: {
      std::wstring value(text, chars);
      std::replace(value.begin(), value.end(), L'\0', L'|');
      return L"REG_MULTI_SZ \"" + value + L"\"";
    }
    case REG_DWORD:
      if (data.size() == sizeof(DWORD)) {
        DWORD number = 0;
        std::copy(data.begin(), data.end(), reinterpret_cast<BYTE*>(&number));
        return L"REG_DWORD " + std::to_wstring(number);
      }
      break;
    default: break;
  }
  return L"type " + std::to_wstring(type) + L" " + Hex(data.data(), static_cast<DWORD>(data.size()));
}

fs::path KnownFolder(REFKNOWNFOLDERID id) {
  PWSTR path = nullptr;
  fs::path folder;
  if (SUCCEEDED(::SHGetKnownFolderPath(id, 0, nullptr, &path))) folder = path;
  ::CoTaskMemFree(path);
  return folder;
}

}  // namespace

std::wstring ContentHash(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return {};
  std::uint64_t hash = 14695981039346656037ull;
  std::array<char, 65536> buffer{};
  while (in.read(buffer.data(), buffer.size()) || in.gcount() > 0) {
    for (std::streamsize i = 0; i < in.gcount(); ++i) {
      hash ^= static_cast<unsigned char>(buffer[static_cast<size_t>(i)]);
      hash *= 1099511628211ull;
    }
  }
  wchar_t text[20];
  std::swprintf(text, 20, L"%016llx", static_cast<unsigned long long>(hash));
  return text;
}

void Snapshot::AddFolder(const fs::path& folder) {
  std::error_code error;
  if (!fs::is_directory(folder, error)) return;
  entries_[folder.wstring()] = L"folder";
  for (fs::recursive_directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    const fs::path& path = it->path();
    if (it->is_directory(error)) {
      entries_[path.wstring()] = L"folder";
    } else {
      const auto size = fs::file_size(path, error);
      entries_[path.wstring()] =
          L"file " + std::to_wstring(error ? 0 : size) + L" bytes, hash " + ContentHash(path);
    }
  }
  if (error) entries_[folder.wstring() + L" <unread>"] = L"error " + std::to_wstring(error.value());
}

void Snapshot::AddKey(HKEY root, const std::wstring& path, const std::wstring& name) {
  win::UniqueKey key;
  if (::RegOpenKeyExW(root, path.c_str(), 0, KEY_READ | KEY_WOW64_64KEY, key.put()) != ERROR_SUCCESS) return;
  AddKeyTree(key.get(), name);
}

void Snapshot::AddKeyTree(HKEY key, const std::wstring& name) {
  entries_[name] = L"key";
  DWORD subkeys = 0, values = 0, longestSubkey = 0, longestName = 0, longestData = 0;
  if (::RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &subkeys, &longestSubkey, nullptr, &values,
                         &longestName, &longestData, nullptr, nullptr) != ERROR_SUCCESS) {
    entries_[name] = L"key <unread>";
    return;
  }
  std::vector<wchar_t> valueName(longestName + 2);
  std::vector<BYTE> data(longestData + 2);
  for (DWORD i = 0; i < values; ++i) {
    DWORD nameSize = static_cast<DWORD>(valueName.size());
    DWORD dataSize = static_cast<DWORD>(data.size());
    DWORD type = 0;
    if (::RegEnumValueW(key, i, valueName.data(), &nameSize, nullptr, &type, data.data(), &dataSize) !=
        ERROR_SUCCESS)
      continue;
    entries_[name + L"\\:" + std::wstring(valueName.data(), nameSize)] =
        ValueText(type, std::vector<BYTE>(data.begin(), data.begin() + dataSize));
  }
  std::vector<wchar_t> subkeyName(longestSubkey + 2);
  std::vector<std::wstring> names;
  for (DWORD i = 0; i < subkeys; ++i) {
    DWORD size = static_cast<DWORD>(subkeyName.size());
    if (::RegEnumKeyExW(key, i, subkeyName.data(), &size, nullptr, nullptr, nullptr, nullptr) ==
        ERROR_SUCCESS)
      names.emplace_back(subkeyName.data(), size);
  }
  for (const std::wstring& subkeyNameText : names) {
    win::UniqueKey subkey;
    if (::RegOpenKeyExW(key, subkeyNameText.c_str(), 0, KEY_READ | KEY_WOW64_64KEY, subkey.put()) !=
        ERROR_SUCCESS) {
      entries_[name + L"\\" + subkeyNameText] = L"key <unopened>";
      continue;
    }
    AddKeyTree(subkey.get(), name + L"\\" + subkeyNameText);
  }
}

Snapshot Snapshot::WithoutInstallerBookkeeping() const {
  Snapshot kept;
  for (const auto& [name, text] : entries_)
    if (!IsInstallerBookkeeping(name)) kept.entries_.emplace(name, text);
  return kept;
}

Snapshot Snapshot::WithoutInstallerStore() const {
  Snapshot kept;
  for (const auto& entry : entries_) {
    const std::wstring lower = Lower(entry.first);
    const bool store =
        entry.second == L"key" && std::any_of(kStoreKeys.begin(), kStoreKeys.end(),
                                              [&](const wchar_t* key) { return lower == Lower(key); });
    if (!store) kept.entries_.insert(entry);
  }
  return kept;
}

std::wstring Snapshot::At(const std::wstring& name) const {
  const auto found = entries_.find(name);
  return found == entries_.end() ? L"<none>" : found->second;
}

bool IsInstallerBookkeeping(const std::wstring& name) {
  const std::wstring uninstall = kBookkeeping.back();
  if (StartsWith(Lower(name), Lower(uninstall))) return true;
  return std::any_of(kBookkeeping.begin(), kBookkeeping.end() - 1,
                     [&](const wchar_t* area) { return Within(name, area); });
}

std::wstring Difference(const Snapshot& before, const Snapshot& after) {
  std::wstring lines;
  const auto& a = before.Entries();
  const auto& b = after.Entries();
  for (const auto& [name, text] : a) {
    const auto found = b.find(name);
    if (found == b.end())
      lines += L"- " + name + L": " + text + L"\n";
    else if (found->second != text)
      lines += L"~ " + name + L": " + text + L" -> " + found->second + L"\n";
  }
  for (const auto& [name, text] : b)
    if (a.count(name) == 0) lines += L"+ " + name + L": " + text + L"\n";
  return lines;
}

std::vector<std::wstring> Added(const Snapshot& before, const Snapshot& after) {
  std::vector<std::wstring> names;
  for (const auto& [name, text] : after.Entries())
    if (!before.Has(name)) names.push_back(name);
  return names;
}

std::filesystem::path CommonProgramsFolder() {
  return KnownFolder(FOLDERID_CommonPrograms);
}

std::filesystem::path UserProgramsFolder() {
  return KnownFolder(FOLDERID_Programs);
}

Snapshot MachineSnapshot(std::initializer_list<fs::path> folders) {
  Snapshot snapshot;
  for (const fs::path& folder : folders) snapshot.AddFolder(folder);
  snapshot.AddFolder(CommonProgramsFolder());
  snapshot.AddFolder(UserProgramsFolder());
  snapshot.AddFolder(SendToFolder());
  snapshot.AddKey(HKEY_LOCAL_MACHINE, L"SOFTWARE", L"HKLM\\SOFTWARE");
  snapshot.AddKey(HKEY_CLASSES_ROOT, L"", L"HKCR");
  snapshot.AddKey(HKEY_CURRENT_USER, L"Software\\Korvelsoft", L"HKCU\\Software\\Korvelsoft");
  return snapshot;
}

}  // namespace test
