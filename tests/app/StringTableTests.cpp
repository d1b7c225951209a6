// The string tables as built: Startdeck.exe's own English table against the five language libraries.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "StringIds.h"
#include "support/TestPaths.h"
#include "win/Handle.h"
#include "win/Resources.h"

namespace {

using StringTable = std::map<UINT, std::wstring>;

constexpr const wchar_t* kLanguages[] = {L"ENU", L"DEU", L"FRA", L"RUS", L"ESN"};
constexpr const wchar_t* kTranslations[] = {L"DEU", L"FRA", L"RUS", L"ESN"};

// Texts that stand the same in every language: a quote, brand and product names ("VANTO NET"), and
// catalogue descriptions that the catalogue keeps in Russian everywhere.
constexpr UINT kSameInEveryLanguage[] = {IDS_SW_QUOTE,         IDS_APP_PACKMAKER,  IDS_APP_QASTUDIO,
                                         IDS_APP_QAPROBE,      IDS_APP_SKIFF_DESC, IDS_APP_QASTUDIO_DESC,
                                         IDS_APP_QAPROBE_DESC, IDS_TAB_NET,        IDS_RIBBON_NET,
                                         IDS_ACC_VERTICAL};  // French and Spanish write it as English does

BOOL CALLBACK CollectBlock(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR blocks) {
  if (IS_INTRESOURCE(name))
    reinterpret_cast<std::vector<UINT>*>(blocks)->push_back(
        static_cast<UINT>(reinterpret_cast<ULONG_PTR>(name)));
  return TRUE;
}

// Every non-empty string of a module: block n of the table holds the IDs (n - 1) * 16 to n * 16 - 1.
StringTable ReadStringTable(HMODULE module) {
  std::vector<UINT> blocks;
  ::EnumResourceNamesW(module, RT_STRING, &CollectBlock, reinterpret_cast<LONG_PTR>(&blocks));
  StringTable table;
  for (UINT block : blocks) {
    for (UINT i = 0; i < 16; ++i) {
      const UINT id = (block - 1) * 16 + i;
      std::wstring text = win::LoadStringFrom(module, id);
      if (!text.empty()) table.emplace(id, std::move(text));
    }
  }
  return table;
}

// The printf conversions of a text in order ("%s", "%i", "%%", ...), and the numbered inserts of the
// texts formatted by FormatMessage ("%1", "%2"), sorted, since a translation may put those in another
// order: a translation must consume the same arguments as the English text.
std::vector<std::wstring> Conversions(std::wstring_view text) {
  constexpr std::wstring_view kFlagsWidthSize = L"-+ #0123456789.*hlIL";
  std::vector<std::wstring> found, inserts;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != L'%') continue;
    if (i + 1 < text.size() && text[i + 1] >= L'1' && text[i + 1] <= L'9') {
      size_t end = i + 1;
      while (end < text.size() && text[end] >= L'0' && text[end] <= L'9') ++end;
      inserts.emplace_back(text.substr(i, end - i));
      i = end - 1;
      continue;
    }
    size_t end = i + 1;
    while (end < text.size() && kFlagsWidthSize.find(text[end]) != std::wstring_view::npos) ++end;
    if (end < text.size()) ++end;  // the conversion letter, or the second % of "%%"
    found.emplace_back(text.substr(i, end - i));
    i = end - 1;
  }
  std::sort(inserts.begin(), inserts.end());
  found.insert(found.end(), inserts.begin(), inserts.end());
  return found;
}

class StringTableTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    english_ = ReadTableOf(L"Startdeck.exe");
    for (const wchar_t* language : kLanguages)
      libraries_[language] = ReadTableOf(std::wstring(L"StartdeckRes") + language + L".dll");
  }

  static void TearDownTestSuite() {
    english_.clear();
    libraries_.clear();
  }

  void SetUp() override {
    ASSERT_FALSE(english_.empty()) << "Startdeck.exe has no string table";
    for (const wchar_t* language : kLanguages)
      ASSERT_FALSE(libraries_[language].empty()) << "no string table in the library " << language;
  }

  static StringTable ReadTableOf(const std::wstring& fileName) {
    const std::wstring path = (test::BinFolder() / fileName).wstring();
    const win::UniqueModule module(::LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
    if (!module) return {};
    return ReadStringTable(module.get());
  }

  static bool MayMatchEnglish(UINT id) {
    for (UINT same : kSameInEveryLanguage)
      if (same == id) return true;
    return false;
  }

  static inline StringTable english_;
  static inline std::map<std::wstring, StringTable> libraries_;
};

TEST_F(StringTableTest, EnglishTableHoldsTheSwitchMessages) {
  for (UINT id : {IDS_SW_EMBED_FAILED, IDS_SW_QUOTE, IDS_SW_CAPTION, IDS_SW_NO_ADMIN, IDS_SW_CONTACT_SUPPORT})
    EXPECT_TRUE(english_.contains(id)) << "ID " << id;
}

TEST_F(StringTableTest, EveryLibraryHasExactlyTheEnglishIds) {
  for (const wchar_t* language : kLanguages) {
    const StringTable& library = libraries_[language];
    for (const auto& [id, text] : english_)
      EXPECT_TRUE(library.contains(id)) << language << " lacks ID " << id;
    for (const auto& [id, text] : library)
      EXPECT_TRUE(english_.contains(id)) << language << " has ID " << id << " that English lacks";
  }
}

TEST_F(StringTableTest, EnglishLibraryRepeatsTheBuiltInTexts) {
  EXPECT_EQ(libraries_[L"ENU"], english_);
}

TEST_F(StringTableTest, TranslationsAreNotCopiesOfEnglish) {
  for (const wchar_t* language : kTranslations) {
    for (const auto& [id, text] : libraries_[language]) {
      const auto english = english_.find(id);
      if (english == english_.end() || MayMatchEnglish(id)) continue;
      EXPECT_NE(text, english->second) << language << " ID " << id << " is still English";
    }
  }
}

TEST_F(StringTableTest, TranslationsConsumeTheSameArguments) {
  for (const wchar_t* language : kLanguages) {
    for (const auto& [id, text] : libraries_[language]) {
      const auto english = english_.find(id);
      if (english == english_.end()) continue;
      EXPECT_EQ(Conversions(text), Conversions(english->second)) << language << " ID " << id;
    }
  }
}

TEST_F(StringTableTest, EmbedFailureEndsWithALineBreakAndAQuote) {
  EXPECT_TRUE(english_[IDS_SW_EMBED_FAILED].ends_with(L"\r\n\"")) << "Startdeck.exe";
  for (const wchar_t* language : kLanguages)
    EXPECT_TRUE(libraries_[language][IDS_SW_EMBED_FAILED].ends_with(L"\r\n\"")) << language;
}

// The paragraphs of a panel's texts (separated by blank lines).
std::vector<std::wstring> Paragraphs(std::wstring_view text) {
  std::vector<std::wstring> found;
  for (size_t start = 0;;) {
    const size_t end = text.find(L"\n\n", start);
    found.emplace_back(
        text.substr(start, end == std::wstring_view::npos ? std::wstring_view::npos : end - start));
    if (end == std::wstring_view::npos) return found;
    start = end + 2;
  }
}

// A step that says "click X" names the button as the panel shows it, in each language: the button's
// caption, letter for letter, in the paragraph that asks for the click.
TEST_F(StringTableTest, StepsNameThePanelButtonsByTheirCaptions) {
  const struct {
    UINT textId;
    size_t paragraph;  // counted from the first
    UINT buttonId;
  } cases[] = {
      {IDS_STEPS_MEMORIES, 2, IDS_EDIT},     // "3. Click Edit."
      {IDS_STEPS_MEMORIES, 3, IDS_CREATE},   // "To create a new ... database click Create."
      {IDS_STEPS_DICTIONARIES, 3, IDS_ADD},  // "4. Click "Add.""
      {IDS_HELP_DICTIONARIES, 1, IDS_NEW_DICTIONARY},
  };
  for (const wchar_t* language : kLanguages) {
    StringTable& library = libraries_[language];
    for (const auto& c : cases) {
      const std::vector<std::wstring> paragraphs = Paragraphs(library[c.textId]);
      const std::wstring& caption = library[c.buttonId];
      ASSERT_FALSE(caption.empty()) << language << " ID " << c.buttonId;
      ASSERT_GT(paragraphs.size(), c.paragraph) << language << " ID " << c.textId;
      EXPECT_NE(paragraphs[c.paragraph].find(caption), std::wstring::npos)
          << language << " ID " << c.textId << " paragraph " << c.paragraph << " does not name "
          << ::testing::PrintToString(caption) << ": " << ::testing::PrintToString(paragraphs[c.paragraph]);
    }
  }
}

TEST_F(StringTableTest, NonAsciiTextSurvivedTheResourceCompiler) {
  const struct {
    const wchar_t* language;
    UINT id;
    wchar_t letter;
    bool first;
  } cases[] = {
      {L"DEU", IDS_SW_ADDIN_DESCRIPTION, L'\u00DC', true},                                             // Ü
      {L"DEU", IDS_SW_EMBED_FAILED, L'\u00DC', false},     {L"RUS", IDS_SW_CAPTION, L'\u0414', true},  // Д
      {L"FRA", IDS_SW_EMBED_FAILED, L'\u00E9', false},                                                 // é
      {L"ESN", IDS_SW_EMBED_FAILED, L'\u00F3', false},                                                 // ó
  };
  for (const auto& c : cases) {
    const std::wstring& text = libraries_[c.language][c.id];
    const size_t at = text.find(c.letter);
    EXPECT_TRUE(c.first ? at == 0 : at != std::wstring::npos)
        << c.language << " ID " << c.id << " lacks U+" << std::hex << static_cast<unsigned>(c.letter);
  }
  for (const auto& [id, text] : libraries_[L"RUS"]) {
    const bool cyrillic = text.find_first_of(L"АБВГДЕЖЗИКЛМНОПРСТУФХЦЧШЩЭЮЯабвгдежзиклмнопрстуфхцчшщыьэюя") !=
                          std::wstring::npos;
    EXPECT_TRUE(cyrillic || MayMatchEnglish(id)) << "RUS ID " << id << " has no Cyrillic letter";
  }
}

}  // namespace
