// The per-user task settings: what the user chose last time for each task (direction, profile,
// dictionary, ...), the folder file dialogs start in, and whether to look for updates.
#pragma once

#include <array>
#include <map>
#include <string>
#include <string_view>

#include "core/Directions.h"

namespace app {

class SettingsStore {
 public:
  // Entry names, addressed by index.
  enum Entry : int {
    kTransType = 0,
    kDirId = 1,
    kDictName = 2,
    kMemBaseName = 3,
    kDlgEntryName = 4,
    kTextEntryName = 5,
    kTemplateName = 6,
  };
  static constexpr std::array<const wchar_t*, 7> kEntryNames = {
      L"TransType",    L"DirID",         L"DictName",    L"MemBaseName",
      L"DlgEntryName", L"TextEntryName", L"TemplateName"};

  using Section = std::map<std::wstring, std::wstring>;
  using Sections = std::map<int, Section>;

  // Where DirID numbers are looked up; may be null (no kernel): directions then have no names.
  void SetDirectionSource(const DirectionSource* directions) noexcept { directions_ = directions; }
  // The product key reported by the suite's updater; it names the key of the update flag.
  void SetProductKey(std::wstring_view productKey) { productKey_ = productKey; }

  void Load();
  void Save() const;

  // Empty when the section or entry is missing. DirID answers the direction's display name.
  [[nodiscard]] std::wstring Get(int section, int entry) const;
  void Set(int section, int entry, std::wstring_view text);
  // Only for DirID: stores the number as decimal text.
  void SetDirection(int section, int entry, int number);

  [[nodiscard]] const std::wstring& InitialDir() const noexcept { return initialDir_; }
  void SetInitialDir(std::wstring_view folder) { initialDir_ = folder; }
  [[nodiscard]] unsigned UpdateFlag() const noexcept { return updateFlag_; }
  void SetUpdateFlag(unsigned flag) noexcept { updateFlag_ = flag; }
  [[nodiscard]] const std::wstring& ActivityUrl() const noexcept { return activityUrl_; }
  [[nodiscard]] const Sections& AllSections() const noexcept { return sections_; }

  // HKCU path of the update flag for the current product key.
  [[nodiscard]] std::wstring UpdateKeyPath() const { return UpdateKeyPathOf(productKey_); }
  [[nodiscard]] static std::wstring UpdateKeyPathOf(std::wstring_view productKey);
  // The update flag stored for `productKey`, as Load reads it: 1 when nothing usable is stored.
  // Read on its own by the start-up exchange, which learns the product key before the store loads.
  [[nodiscard]] static unsigned StoredUpdateFlag(std::wstring_view productKey);

 private:
  const DirectionSource* directions_ = nullptr;
  std::wstring productKey_;
  std::wstring initialDir_;
  unsigned updateFlag_ = 1;
  std::wstring activityUrl_;
  Sections sections_;
};

}  // namespace app
