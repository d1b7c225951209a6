// Filling the launch list from the catalogue, the product's lists and the Apps records, in a
// registry sandbox with real files; and what choosing a row that cannot start says.
#include <gtest/gtest.h>

#include <filesystem>

#include "LaunchTestContext.h"
#include "StringIds.h"
#include "suite/LaunchList.h"
#include "support/RegistrySandbox.h"
#include "support/ScratchDir.h"

namespace {

namespace fs = std::filesystem;

constexpr wchar_t kApps[] = L"Software\\Korvelsoft\\VNTO9\\Apps";

struct Row {
  std::wstring name;
  std::wstring description;
  bool available = false;
  bool operator==(const Row&) const = default;
};

void PrintTo(const Row& row, std::ostream* out) {
  *out << ::testing::PrintToString(row.name) << (row.available ? " available" : " unavailable");
}

class RecordingSink final : public suite::LaunchListSink {
 public:
  void Clear() override {
    ++clears;
    rows.clear();
  }
  void AddRow(HICON, const std::wstring& name, const std::wstring& description, bool available) override {
    rows.push_back({name, description, available});
  }
  int clears = 0;
  std::vector<Row> rows;
};

class LaunchListTest : public test::SandboxedTest {
 protected:
  void SetUp() override {
    test::UseEnglishStrings();
    existing_ = scratch_.path() / L"Program.exe";
    test::WriteFile(existing_, "MZ");
    missing_ = scratch_.path() / L"Missing.exe";
  }

  void Register(const std::wstring& appId, const fs::path& path) {
    test::SetString(HKEY_LOCAL_MACHINE, kApps, appId, path.wstring());
  }

  test::ScratchDir scratch_;
  fs::path existing_, missing_;
  RecordingSink sink_;
};

TEST_F(LaunchListTest, NormalModeHoldsTheProductsInstalledAppsInCatalogueOrder) {
  test::LaunchTestContext context({{L"apps", {L"TMD", L"Batcher", L"Vnto", L"Glosso", L"Lexa", L"Unknown"}}});
  Register(L"TMD", existing_);
  Register(L"Batcher", existing_);
  Register(L"Vnto", existing_);
  Register(L"Lexa", missing_);      // an executable that is not there keeps the row out
  Register(L"Dictkit", existing_);  // installed, but not this product's
  suite::LaunchList list(context, sink_);

  EXPECT_TRUE(list.LikelyHasRows(false));
  EXPECT_TRUE(sink_.rows.empty()) << "the quick answer hands nothing to the list";
  ASSERT_TRUE(list.Fill(false));
  const std::vector<Row> expected = {
      {L"VANTO Translator", L"Professional translation environment", true},
      {L"VANTO Batch Translator", L"Translation of files in automatic mode", true},
      {L"VANTO TM Manager", L"Creating and editing Translation Memory databases", true},
  };
  EXPECT_EQ(sink_.rows, expected);
  EXPECT_EQ(sink_.clears, 1);
  ASSERT_EQ(list.Items().size(), 3u);
  EXPECT_EQ(list.Items()[1].appId, L"Batcher");
  EXPECT_EQ(list.Items()[1].path, existing_.wstring());
  EXPECT_FALSE(list.ShowAll());
}

TEST_F(LaunchListTest, ShowAllModeHoldsEveryCatalogueRowOfAllappsFlaggedByAvailability) {
  test::LaunchTestContext context(
      {{L"apps", {L"Vnto", L"Glosso", L"Lexa"}},
       {L"allapps", {L"QaProbe", L"Batcher", L"Glosso", L"Lexa", L"Vnto", L"Nonsense"}}});
  Register(L"Vnto", existing_);
  Register(L"Lexa", missing_);      // available: the flag looks only at listed and installed
  Register(L"Batcher", existing_);  // installed, but another product's
  suite::LaunchList list(context, sink_);

  ASSERT_TRUE(list.Fill(true));
  const std::vector<Row> expected = {
      {L"VANTO Translator", L"Professional translation environment", true},
      {L"VANTO Dictionary Editor", L"Editing of user dictionaries", true},
      {L"VANTO Batch Translator", L"Translation of files in automatic mode", false},
      {L"VANTO Terminology Manager", L"Automation of terminology extraction", false},
      {L"QaProbe", L"Cравнение переводов разных модулей перевода или с разными словарями", false},
  };
  EXPECT_EQ(sink_.rows, expected);
  EXPECT_TRUE(list.ShowAll());
  const suite::AppItem& glosso = list.Items()[3];
  EXPECT_TRUE(glosso.enabled);
  EXPECT_FALSE(glosso.installed);
  const suite::AppItem& batcher = list.Items()[2];
  EXPECT_FALSE(batcher.enabled);
  EXPECT_TRUE(batcher.installed);
}

TEST_F(LaunchListTest, WhatLeavesTheListEmpty) {
  const struct {
    const char* what;
    test::Sections sections;
    bool showAll;
    bool appsKey;
  } cases[] = {
      {"no apps section, normal mode", {{L"allapps", {L"Vnto"}}}, false, true},
      {"an empty apps section", {{L"apps", {}}, {L"allapps", {L"Vnto"}}}, false, true},
      {"nothing of the product installed", {{L"apps", {L"Glosso", L"Lexa"}}}, false, true},
      {"show all without allapps", {{L"apps", {L"Vnto"}}}, true, true},
      {"show all without the Apps key",
       {{L"apps", {L"Vnto"}}, {L"allapps", {L"Vnto", L"Lexa"}}},
       true,
       false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ::RegDeleteTreeW(HKEY_LOCAL_MACHINE, kApps);
    ::RegDeleteKeyW(HKEY_LOCAL_MACHINE, kApps);
    if (c.appsKey) Register(L"Vnto", existing_);
    test::LaunchTestContext context(c.sections);
    RecordingSink sink;
    suite::LaunchList list(context, sink);
    // The quick answer the window shows with before the list is filled agrees.
    EXPECT_FALSE(list.LikelyHasRows(c.showAll));
    EXPECT_FALSE(list.Fill(c.showAll));
    EXPECT_TRUE(sink.rows.empty());
    EXPECT_TRUE(list.Items().empty());
    EXPECT_EQ(sink.clears, 1);
  }
}

TEST_F(LaunchListTest, ShowAllBuildsFromAllappsWhenTheProductListsNothing) {
  test::LaunchTestContext context({{L"allapps", {L"Vnto", L"TMD"}}});
  Register(L"Vnto", existing_);
  suite::LaunchList list(context, sink_);
  ASSERT_TRUE(list.Fill(true));
  const std::vector<Row> expected = {
      {L"VANTO Translator", L"Professional translation environment", false},
      {L"VANTO TM Manager", L"Creating and editing Translation Memory databases", false},
  };
  EXPECT_EQ(sink_.rows, expected);
}

TEST_F(LaunchListTest, RefillingReplacesTheRows) {
  test::LaunchTestContext context({{L"apps", {L"Vnto"}}, {L"allapps", {L"Vnto", L"TMD"}}});
  Register(L"Vnto", existing_);
  suite::LaunchList list(context, sink_);
  ASSERT_TRUE(list.Fill(true));
  EXPECT_EQ(sink_.rows.size(), 2u);
  ASSERT_TRUE(list.Fill(false));
  EXPECT_EQ(sink_.clears, 2);
  EXPECT_EQ(sink_.rows.size(), 1u);
  EXPECT_EQ(list.Items().size(), 1u);
}

TEST_F(LaunchListTest, ChoosingARowThatCannotStartSaysWhyAndWritesNothing) {
  test::LaunchTestContext context({{L"apps", {L"Glosso"}}, {L"allapps", {L"Glosso", L"Batcher"}}});
  Register(L"Batcher", existing_);
  suite::LaunchList list(context, sink_);
  ASSERT_TRUE(list.Fill(true));

  list.ActivateByAppId(L"GLOSSO");   // listed, not installed
  list.ActivateByAppId(L"Batcher");  // installed, another product's
  list.ActivateByAppId(L"Nobody");
  list.LaunchItem(99);

  const auto& shown = context.Shown();
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[0].id, static_cast<UINT>(IDS_APP_NOT_INSTALLED));
  EXPECT_EQ(shown[0].argument, L"VANTO Terminology Manager");
  EXPECT_EQ(shown[1].id, static_cast<UINT>(IDS_OTHER_PRODUCTS));
  EXPECT_FALSE(test::KeyExists(HKEY_CURRENT_USER, L"Software\\Korvelsoft\\VNTO9\\Running"));
}

}  // namespace
