#include "core/SettingsStore.h"

#include <windows.h>
#include <shlobj.h>

#include <cwchar>
#include <optional>
#include <string_view>

#include "core/RegistryKey.h"

namespace app {
namespace {

constexpr wchar_t kInitialDirValue[] = L"InitialDir";
constexpr wchar_t kGetUpdatesValue[] = L"GetUpdates";

std::wstring DocumentsFolder() {
  wchar_t buffer[MAX_PATH] = {};  // the shell's own limit for this call
  if (FAILED(::SHGetFolderPathW(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, buffer))) return {};
  return buffer;
}

// Section subkeys are named by a non-negative decimal number; any other subkey is not ours.
std::optional<int> SectionNumber(const std::wstring& name) {
  if (name.empty() || name.size() > 9) return std::nullopt;
  int number = 0;
  for (wchar_t c : name) {
    if (c < L'0' || c > L'9') return std::nullopt;
    number = number * 10 + (c - L'0');
  }
  return number;
}

// A decimal number with blanks around it; nothing else.
std::optional<DWORD> DecimalNumber(std::wstring_view text) {
  const size_t first = text.find_first_not_of(L" \t");
  if (first == std::wstring_view::npos) return std::nullopt;
  text = text.substr(first, text.find_last_not_of(L" \t") - first + 1);
  if (text.size() > 10) return std::nullopt;  // 4294967295 has ten digits
  unsigned long long number = 0;
  for (wchar_t c : text) {
    if (c < L'0' || c > L'9') return std::nullopt;
    number = number * 10 + static_cast<unsigned>(c - L'0');
  }
  if (number > 0xFFFFFFFFull) return std::nullopt;
  return static_cast<DWORD>(number);
}

// A number where one is expected; a text holding a decimal number (written by hand or by another
// tool) counts too, so that Save, which writes a REG_DWORD, keeps the stored choice.
DWORD ReadNumberOrDecimalText(const RegistryKey& key, const wchar_t* name, DWORD fallback) {
  const DWORD type = key.ValueType(name);
  if (type != REG_SZ && type != REG_EXPAND_SZ) return key.ReadNumber(name, fallback);
  return DecimalNumber(key.ReadString(name)).value_or(fallback);
}

bool IsEntry(int entry) {
  return entry >= 0 && entry < static_cast<int>(SettingsStore::kEntryNames.size());
}

}  // namespace

std::wstring SettingsStore::UpdateKeyPathOf(std::wstring_view productKey) {
  // Until the updater has named the product, the flag lives directly under the product root.
  std::wstring path = reg::kProductRoot;
  if (!productKey.empty()) path.append(L"\\").append(productKey);
  return path + L"\\Update";
}

unsigned SettingsStore::StoredUpdateFlag(std::wstring_view productKey) {
  RegistryKey update;
  if (!update.Open(HKEY_CURRENT_USER, UpdateKeyPathOf(productKey), reg::kRead)) return 1;
  return ReadNumberOrDecimalText(update, kGetUpdatesValue, 1);
}

void SettingsStore::Load() {
  RegistryKey root;
  if (root.Open(HKEY_CURRENT_USER, reg::kStartdeck, reg::kRead)) {
    initialDir_ = root.ReadString(kInitialDirValue);
    if (initialDir_.empty()) initialDir_ = DocumentsFolder();
    std::wstring subkey;
    for (DWORD index = 0; root.NextSubkey(index, subkey);) {
      const std::optional<int> number = SectionNumber(subkey);
      if (!number) continue;
      std::optional<RegistryKey> sectionKey = root.OpenChild(subkey, false);
      if (!sectionKey) continue;
      Section entries;
      std::wstring name;
      for (DWORD valueIndex = 0; sectionKey->NextValue(valueIndex, name);)
        entries[name] = sectionKey->ReadString(name);
      if (!entries.empty()) sections_[*number] = std::move(entries);
    }
  } else {
    initialDir_ = DocumentsFolder();
  }

  updateFlag_ = StoredUpdateFlag(productKey_);

  RegistryKey activity;
  if (activity.Open(HKEY_LOCAL_MACHINE, reg::kVantoActivity, reg::kRead))
    activityUrl_ = activity.ReadString(L"Url");
}

// A value that cannot be written is lost without a word: nobody is there to tell when the main window
// closes, and the next run falls back to that setting's default.
void SettingsStore::Save() const {
  RegistryKey root;
  if (root.Create(HKEY_CURRENT_USER, reg::kStartdeck, reg::kWrite)) {
    (void)root.WriteString(kInitialDirValue, initialDir_);
    for (const auto& [number, entries] : sections_) {
      std::optional<RegistryKey> sectionKey = root.OpenChild(std::to_wstring(number), true, reg::kWrite);
      if (!sectionKey) continue;
      for (const auto& [name, text] : entries) (void)sectionKey->WriteString(name, text);
    }
  }
  RegistryKey update;
  if (update.Create(HKEY_CURRENT_USER, UpdateKeyPath(), reg::kWrite))
    (void)update.WriteNumber(kGetUpdatesValue, updateFlag_);
}

std::wstring SettingsStore::Get(int section, int entry) const {
  if (!IsEntry(entry)) return {};
  const auto found = sections_.find(section);
  if (found == sections_.end()) return {};
  const auto value = found->second.find(kEntryNames[entry]);
  if (value == found->second.end()) return {};
  if (entry != kDirId) return value->second;

  if (value->second.empty() || directions_ == nullptr) return {};
  const int number = static_cast<int>(std::wcstol(value->second.c_str(), nullptr, 10));
  if (number == 0) return {};
  for (const TranslationDirection& direction : directions_->Directions())
    if (direction.id == number) return direction.name;
  return {};
}

void SettingsStore::Set(int section, int entry, std::wstring_view text) {
  if (!IsEntry(entry)) return;
  sections_[section][kEntryNames[entry]] = text;
}

void SettingsStore::SetDirection(int section, int entry, int number) {
  if (entry != kDirId) return;
  Set(section, entry, std::to_wstring(number));
}

}  // namespace app
