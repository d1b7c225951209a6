// The access keys as built, in Startdeck.exe (English) and in each of the five language libraries:
// in every view of the window (the start page, a tab, a task panel, each with the bottom row and the
// check box that show with it) every control listed has an access key, and no two share one.
#include <gtest/gtest.h>

#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "ResourceIds.h"
#include "StringIds.h"
#include "controls/Paint.h"
#include "menu/TabTable.h"
#include "support/TestPaths.h"
#include "win/Handle.h"
#include "win/Resources.h"

namespace {

// A control of a view and the string it shows: a caption, or the label of the field after it.
struct Keyed {
  int control;
  UINT text;
};

struct View {
  const char* name;
  std::vector<Keyed> controls;
};

// The bottom row as the start page, a tab and a task panel show it.
const std::vector<Keyed> kStartBottom = {{IDC_EXIT, IDS_EXIT},
                                         {IDC_ABOUT, IDS_ABOUT},
                                         {IDC_HELP_BUTTON, IDS_HELP},
                                         {IDC_SHOW_ALL_FEATURES, IDS_SHOW_ALL_FEATURES}};
const std::vector<Keyed> kTabBottom = {
    {IDC_HOME, IDS_HOME}, {IDC_EXIT, IDS_EXIT}, {IDC_HELP_BUTTON, IDS_HELP}};
const std::vector<Keyed> kPanelBottom = {
    {IDC_HOME, IDS_HOME}, {IDC_BACK, IDS_BACK}, {IDC_EXIT, IDS_EXIT}, {IDC_HELP_BUTTON, IDS_HELP}};

std::vector<Keyed> Joined(std::vector<Keyed> own, const std::vector<Keyed>& bottom) {
  own.insert(own.end(), bottom.begin(), bottom.end());
  return own;
}

std::vector<Keyed> StartPage() {
  std::vector<Keyed> buttons;
  for (const ui::TabRow& tab : ui::kTabs) buttons.push_back({tab.startButtonId, tab.captionId});
  return Joined(buttons, kStartBottom);
}

std::vector<View> Views() {
  return {
      {"start page", StartPage()},
      {"a tab with a list (1, 2, 4, 5, 6)", kTabBottom},
      {"tab 3, dictionaries", Joined({{IDC_LAUNCH_INSTALL, IDS_INSTALL}}, kTabBottom)},
      {"tab 7, My VANTO",
       Joined({{IDC_LAUNCH_INSTALL, IDS_LAUNCH}, {IDC_DICTIONARY_UPDATES, IDS_DICTIONARY_UPDATES}},
              kTabBottom)},
      {"document panel",
       Joined({{IDC_PANEL_DOCUMENT_LABEL, IDS_LABEL_DOCUMENT},
               {IDC_PANEL_APPLICATION_LABEL, IDS_LABEL_TRANSLATE_IN},
               {IDC_PANEL_DIRECTION_LABEL, IDS_LABEL_DIRECTION},
               {IDC_PANEL_PROFILE_LABEL, IDS_LABEL_PROFILE},
               {IDC_PANEL_ACTION, IDS_LAUNCH}},  // the action reads Launch for some applications
              kPanelBottom)},
      {"web page panel", Joined({{IDC_PANEL_DOCUMENT_LABEL, IDS_LABEL_WEB_PAGE},
                                 {IDC_PANEL_APPLICATION_LABEL, IDS_LABEL_TRANSLATE_IN},
                                 {IDC_PANEL_DIRECTION_LABEL, IDS_LABEL_DIRECTION},
                                 {IDC_PANEL_PROFILE_LABEL, IDS_LABEL_PROFILE},
                                 {IDC_PANEL_ACTION, IDS_LAUNCH}},
                                kPanelBottom)},
      {"e-mail and messages panel",
       Joined({{IDC_PANEL_APPLICATION_LABEL, IDS_LABEL_TRANSLATE_IN}, {IDC_PANEL_ACTION, IDS_LAUNCH}},
              kPanelBottom)},
      {"profiles panel", Joined({{IDC_PANEL_APPLICATION_LABEL, IDS_LABEL_DIRECTION}}, kPanelBottom)},
      {"dictionary panel", Joined({{IDC_PANEL_DIRECTION_LABEL, IDS_LABEL_DIRECTION},
                                   {IDC_PANEL_DICTIONARY_LABEL, IDS_LABEL_DICTIONARY},
                                   {IDC_PANEL_WORD_LABEL, IDS_LABEL_WORD}},
                                  kPanelBottom)},
      {"translation-memory panel", Joined({{IDC_PANEL_DIRECTION_LABEL, IDS_LABEL_DIRECTION},
                                           {IDC_PANEL_MEMORY_LABEL, IDS_LABEL_MEMORY},
                                           {IDC_PANEL_NEW_MEMORY_LABEL, IDS_LABEL_NEW_MEMORY}},
                                          kPanelBottom)},
      {"quick translation", Joined({{IDC_PANEL_DIRECTION_LABEL, IDS_LABEL_DIRECTION},
                                    {IDC_PANEL_PROFILE_LABEL, IDS_LABEL_PROFILE}},
                                   kPanelBottom)},
  };
}

// The key as the dialog manager compares it: letter case does not count.
wchar_t Upper(wchar_t key) {
  wchar_t text[2] = {key, 0};
  ::CharUpperW(text);
  return text[0];
}

class AccessKeyTest : public ::testing::TestWithParam<const wchar_t*> {
 protected:
  void SetUp() override {
    const std::wstring path = (test::BinFolder() / GetParam()).wstring();
    module_.reset(::LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
    ASSERT_TRUE(module_) << "cannot load " << ::testing::PrintToString(path);
  }

  [[nodiscard]] std::wstring Text(UINT id) const { return win::LoadStringFrom(module_.get(), id); }

  win::UniqueModule module_;
};

TEST_P(AccessKeyTest, EveryListedControlOfAViewHasAKeyOfItsOwn) {
  for (const View& view : Views()) {
    SCOPED_TRACE(view.name);
    std::map<wchar_t, Keyed> taken;
    for (const Keyed& keyed : view.controls) {
      const std::wstring text = Text(keyed.text);
      ASSERT_FALSE(text.empty()) << "string " << keyed.text;
      const wchar_t key = ui::AccessKeyOf(text);
      if (key == 0) {
        ADD_FAILURE() << "control " << keyed.control
                      << " has no access key: " << ::testing::PrintToString(text);
        continue;
      }
      const auto [where, added] = taken.emplace(Upper(key), keyed);
      EXPECT_TRUE(added) << "controls " << where->second.control << " and " << keyed.control
                         << " share the key of " << ::testing::PrintToString(text) << " and "
                         << ::testing::PrintToString(Text(where->second.text));
    }
  }
}

// The marker stands before a letter or digit of the text, once: the key can be typed and the
// underline falls under a character that shows.
TEST_P(AccessKeyTest, EachTextMarksOneCharacterThatShows) {
  std::vector<UINT> checked;
  for (const View& view : Views())
    for (const Keyed& keyed : view.controls) checked.push_back(keyed.text);
  for (UINT id : checked) {
    const std::wstring text = Text(id);
    SCOPED_TRACE(::testing::PrintToString(text));
    size_t markers = 0;
    for (size_t i = 0; i < text.size(); ++i)
      if (text[i] == L'&') {
        ++markers;
        ASSERT_LT(i + 1, text.size()) << "a marker at the end";
        EXPECT_TRUE(::IsCharAlphaNumericW(text[i + 1]))
            << "marks " << ::testing::PrintToString(text.substr(i, 2));
      }
    EXPECT_EQ(markers, 1u);
    const std::wstring shown = ui::WithoutAccessMarkers(text);
    EXPECT_EQ(shown.size() + 1, text.size());
    EXPECT_EQ(shown.find(L'&'), std::wstring::npos);
  }
}

INSTANTIATE_TEST_SUITE_P(Languages, AccessKeyTest,
                         ::testing::Values(L"Startdeck.exe", L"StartdeckResENU.dll", L"StartdeckResDEU.dll",
                                           L"StartdeckResFRA.dll", L"StartdeckResESN.dll",
                                           L"StartdeckResRUS.dll"),
                         [](const ::testing::TestParamInfo<const wchar_t*>& module) {
                           std::string name;
                           for (const wchar_t* c = module.param; *c && *c != L'.'; ++c)
                             name += static_cast<char>(*c);
                           return name;
                         });

// Where a text with an access key is also plain text (a tip, a page title, a screen reader's name),
// it shows without the marker; a doubled marker is one '&'.
TEST(AccessMarkers, ComeOffWhereTheTextIsPlain) {
  const struct {
    const wchar_t* text;
    const wchar_t* shown;
    wchar_t key;
  } cases[] = {
      {L"E&xit", L"Exit", L'x'},
      {L"&Help", L"Help", L'H'},
      {L"Di&rection of Translation:", L"Direction of Translation:", L'r'},
      {L"Salt && Pepper", L"Salt & Pepper", 0},
      {L"R&&D &Tools", L"R&D Tools", L'T'},
      {L"Plain", L"Plain", 0},
      {L"Trailing&", L"Trailing", 0},
      {L"", L"", 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ui::WithoutAccessMarkers(c.text), c.shown) << ::testing::PrintToString(std::wstring(c.text));
    EXPECT_EQ(ui::AccessKeyOf(c.text), c.key) << ::testing::PrintToString(std::wstring(c.text));
  }
}

}  // namespace
