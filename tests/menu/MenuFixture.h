// What the menu tests share: a product .inf built in memory with the real writer and read back by
// the real reader, the installation records in a registry sandbox, and the list a tab is handed to.
#pragma once

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "profile/CryptedProfile.h"
#include "support/RegistrySandbox.h"
#include "menu/MenuModel.h"

namespace test {

// Sections of key/value pairs, in file order.
using InfSections = std::vector<std::pair<std::wstring, std::vector<std::pair<std::wstring, std::wstring>>>>;

[[nodiscard]] CXCryptedProfileW MakeInf(const InfSections& sections);
// The keys of a list section ("apps", "allapps"), each with a value of its own.
[[nodiscard]] std::pair<std::wstring, std::vector<std::pair<std::wstring, std::wstring>>> AppList(
    const std::wstring& name, const std::vector<std::wstring>& appIds);

// Makes the language library `language` (ENU, DEU...) the current resource module.
void UseStrings(const wchar_t* language);

// The product's real source, recording which keys the rules asked for.
class RecordingSource final : public ui::MenuSource {
 public:
  explicit RecordingSource(const CXCryptedProfileW& configuration) : real_(configuration) {}
  std::size_t EntryCount(std::wstring_view section) const override { return real_.EntryCount(section); }
  std::wstring Value(std::wstring_view section, std::wstring_view key) const override {
    asked.emplace_back(key);
    return real_.Value(section, key);
  }
  bool IsListed(std::wstring_view list, std::wstring_view appId) const override {
    return real_.IsListed(list, appId);
  }
  bool IsInstalled(std::wstring_view appId) const override { return real_.IsInstalled(appId); }

  mutable std::vector<std::wstring> asked;

 private:
  ui::ProductMenuSource real_;
};

struct ListRow {
  std::wstring title;
  std::wstring description;
  int data = 0;
  bool enabled = false;
  bool operator==(const ListRow&) const = default;
};
void PrintTo(const ListRow& row, std::ostream* out);

class RecordingList final : public ui::MenuListSink {
 public:
  void Clear() override {
    ++clears;
    rows.clear();
  }
  void AddRow(HICON, const std::wstring& title, const std::wstring& description, int data,
              bool enabled) override {
    rows.push_back({title, description, data, enabled});
  }
  int clears = 0;
  std::vector<ListRow> rows;
};

// A registry sandbox with the suite's installation records.
class MenuTest : public SandboxedTest {
 protected:
  static void Install(const std::wstring& appId);        // an Apps value
  static void InstallFolder(const std::wstring& appId);  // a Folders value only
};

}  // namespace test
