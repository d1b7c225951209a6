// Directions, profiles and translation through the settings object and through text objects.
#include <gtest/gtest.h>

#include "KernelTestSupport.h"

namespace kerneltest {
namespace {

class KernelDirections : public KernelTest {};

struct DirectionCase {
  LONG id;
  const wchar_t* name;
};

// Stable IDs: the start centre stores them in its settings.
constexpr DirectionCase kDirections[] = {
    {0x0907, L"English-German"},  {0x0709, L"German-English"},  {0x0919, L"English-Russian"},
    {0x1909, L"Russian-English"}, {0x090C, L"English-French"},  {0x0C09, L"French-English"},
    {0x090A, L"English-Spanish"}, {0x0A09, L"Spanish-English"}, {0x0719, L"German-Russian"},
    {0x1907, L"Russian-German"},
};

TEST_F(KernelDirections, TenDirectionsWithStableIdsNamesAndThreeProfilesEach) {
  ComPtr<IVantoKernel> kernel = NewKernel();
  ComPtr<IVantoDirections> directions;
  ASSERT_EQ(kernel->GetDirections(&directions), S_OK);
  LONG count = 0;
  ASSERT_EQ(directions->GetCount(&count), S_OK);
  ASSERT_EQ(count, static_cast<LONG>(std::size(kDirections)));
  for (LONG i = 0; i < count; ++i) {
    LONG id = 0;
    Bstr name;
    ASSERT_EQ(directions->GetItem(i, &id, name.put()), S_OK);
    EXPECT_EQ(id, kDirections[i].id) << i;
    EXPECT_EQ(name.str(), kDirections[i].name);
    ComPtr<IVantoProfiles> profiles;
    ASSERT_EQ(directions->GetProfiles(i, &profiles), S_OK);
    LONG profileCount = 0;
    ASSERT_EQ(profiles->GetCount(&profileCount), S_OK);
    ASSERT_EQ(profileCount, 3);
    std::wstring names;
    for (LONG p = 0; p < profileCount; ++p) {
      Bstr profile;
      ASSERT_EQ(profiles->GetName(p, profile.put()), S_OK);
      names += profile.str() + L";";
    }
    EXPECT_EQ(names, L"General;Business;Technical;");
  }
}

TEST_F(KernelDirections, IndicesOutsideTheListAreRefused) {
  ComPtr<IVantoKernel> kernel = NewKernel();
  ComPtr<IVantoDirections> directions;
  ASSERT_EQ(kernel->GetDirections(&directions), S_OK);
  for (LONG index : {-1L, 10L, 32767L}) {
    Bstr name;
    ComPtr<IVantoProfiles> profiles;
    ComPtr<IVantoDictionaries> dictionaries;
    ComPtr<IVantoMemories> memories;
    EXPECT_EQ(directions->GetItem(index, nullptr, name.put()), E_INVALIDARG) << index;
    EXPECT_TRUE(name.get() == nullptr);
    EXPECT_EQ(directions->GetProfiles(index, &profiles), E_INVALIDARG);
    EXPECT_EQ(directions->GetDictionaries(index, &dictionaries), E_INVALIDARG);
    EXPECT_EQ(directions->GetMemories(index, &memories), E_INVALIDARG);
    EXPECT_EQ(kernel->SetCurrentDirection(static_cast<SHORT>(index)), E_INVALIDARG);
  }
}

TEST_F(KernelDirections, ProfilesAreMadeCurrentByNameAndCommitted) {
  ComPtr<IVantoKernel> kernel = NewKernel();
  ASSERT_EQ(kernel->SetCurrentDirection(4), S_OK);
  ComPtr<IVantoSettings> settings;
  ASSERT_EQ(kernel->GetSettings(&settings), S_OK);
  for (const wchar_t* name : {L"Business", L"Technical", L"General"}) {
    Bstr profile(name);
    EXPECT_EQ(settings->SetCurrentProfile(profile.get()), S_OK) << name;
  }
  Bstr unknown(L"Poetry");
  EXPECT_EQ(settings->SetCurrentProfile(unknown.get()), E_INVALIDARG);
  LONG status = -1;
  EXPECT_EQ(kernel->CommitSettings(&status), S_OK);
  EXPECT_EQ(status, 0);
}

class KernelTranslation : public KernelTest {};

struct TranslationCase {
  const wchar_t* direction;
  const wchar_t* source;
  const wchar_t* expected;
};

// Phrases before words, casing of the source kept (German nouns stay capitalised), punctuation,
// blanks and unknown words as they were.
constexpr TranslationCase kSentences[] = {
    {L"English-German", L"The house is big.", L"Das Haus ist groß."},
    {L"English-German", L"Good morning, my friend!", L"Guten Morgen, mein Freund!"},
    {L"English-German", L"THE WEATHER IS NICE", L"DAS WETTER IST SCHÖN"},
    {L"English-German", L"  the cat,\tthe dog; xyzzy!  ", L"  die Katze,\tder Hund; xyzzy!  "},
    {L"English-German", L"Call 555-1234 now, Zorblax.", L"Anrufen 555-1234 jetzt, Zorblax."},
    {L"English-German", L"The children are at home.", L"Die Kinder sind zu Hause."},
    {L"English-German", L"", L""},
    {L"German-English", L"Das Haus ist groß.", L"The house is big."},
    {L"German-English", L"Wir essen Essen morgen am Morgen.", L"We eat food tomorrow in the morning."},
    {L"English-Russian", L"The house is big.", L"Дом большой."},
    {L"Russian-English", L"Доброе утро, мой друг!", L"Good morning, my friend!"},
    {L"English-French", L"Thank you very much!", L"Merci beaucoup!"},
    {L"English-French", L"The dog and the cat.", L"Le chien et le chat."},
    {L"French-English", L"La maison est grande.", L"The house is big."},
    {L"English-Spanish", L"Good night, my friend.", L"Buenas noches, mi amigo."},
    {L"Spanish-English", L"El perro es negro.", L"The dog is black."},
    {L"German-Russian", L"Guten Morgen!", L"Доброе утро!"},
    {L"German-Russian", L"Das Haus ist groß.", L"Дом большой."},
    {L"Russian-German", L"Доброе утро!", L"Guten Morgen!"},
};

TEST_F(KernelTranslation, SentencesOfEveryLanguagePair) {
  ComPtr<IVantoKernel> kernel = NewKernel();
  for (const TranslationCase& c : kSentences) {
    EXPECT_EQ(Translate(kernel.Get(), DirectionIndex(kernel.Get(), c.direction), c.source), c.expected)
        << ::testing::PrintToString(std::wstring(c.direction)) << ": "
        << ::testing::PrintToString(std::wstring(c.source));
  }
}

TEST_F(KernelTranslation, TextObjectsTranslateLikeTheSettings) {
  ComPtr<IVantoKernel> kernel = NewKernel();
  ASSERT_EQ(kernel->SetCurrentDirection(0), S_OK);
  ComPtr<IVantoSettings> settings;
  ASSERT_EQ(kernel->GetSettings(&settings), S_OK);
  ComPtr<IVantoTextTranslator> translator;
  ASSERT_EQ(settings->GetTextTranslator(&translator), S_OK);
  ASSERT_TRUE(translator);
  const DWORD contexts =
      CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER | CLSCTX_REMOTE_SERVER;
  ComPtr<IVantoText> source;
  ComPtr<IVantoText> result;
  ASSERT_EQ(::CoCreateInstance(CLSID_VantoText, nullptr, contexts, IID_PPV_ARGS(&source)), S_OK);
  ASSERT_EQ(::CoCreateInstance(CLSID_VantoText, nullptr, contexts, IID_PPV_ARGS(&result)), S_OK);
  Bstr text(L"The cat is black.");
  ASSERT_EQ(source->SetText(text.get()), S_OK);
  ASSERT_EQ(translator->TranslateText(source.Get(), result.Get()), S_OK);
  Bstr translated;
  ASSERT_EQ(result->GetText(translated.put()), S_OK);
  EXPECT_EQ(translated.str(), L"Die Katze ist schwarz.");
  EXPECT_EQ(translator->TranslateText(nullptr, result.Get()), E_POINTER);
}

TEST_F(KernelTranslation, TheLimitErrorRefusesEveryTranslationUntilItIsCleared) {
  ComPtr<IVantoKernel> kernel = NewKernel();
  ASSERT_EQ(kernel->SetCurrentDirection(0), S_OK);
  ComPtr<IVantoSettings> settings;
  ASSERT_EQ(kernel->GetSettings(&settings), S_OK);
  ComPtr<IVantoTextTranslator> translator;
  ASSERT_EQ(settings->GetTextTranslator(&translator), S_OK);
  ComPtr<IVantoText> source;
  ComPtr<IVantoText> result;
  ASSERT_EQ(::CoCreateInstance(CLSID_VantoText, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&source)), S_OK);
  ASSERT_EQ(::CoCreateInstance(CLSID_VantoText, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&result)), S_OK);
  Bstr text(L"house");
  Bstr before(L"unchanged");
  ASSERT_EQ(source->SetText(text.get()), S_OK);
  ASSERT_EQ(result->SetText(before.get()), S_OK);

  SetSetting(L"TranslationError", 0x800F0021);
  Bstr translated;
  EXPECT_EQ(settings->Translate(text.get(), translated.put()), VANTO_E_TRANSLATION_LIMIT);
  EXPECT_TRUE(translated.get() == nullptr);
  EXPECT_EQ(translator->TranslateText(source.Get(), result.Get()), VANTO_E_TRANSLATION_LIMIT);
  Bstr kept;
  ASSERT_EQ(result->GetText(kept.put()), S_OK);
  EXPECT_EQ(kept.str(), L"unchanged");

  SetSetting(L"TranslationError", 0);
  EXPECT_EQ(settings->Translate(text.get(), translated.put()), S_OK);
  EXPECT_EQ(translated.str(), L"Haus");
}

TEST_F(KernelTranslation, TheCountdownLetsSomeTranslationsThroughThenFailsUntilRemoved) {
  ComPtr<IVantoKernel> kernel = NewKernel();
  ASSERT_EQ(kernel->SetCurrentDirection(0), S_OK);
  ComPtr<IVantoSettings> settings;
  ASSERT_EQ(kernel->GetSettings(&settings), S_OK);
  ComPtr<IVantoTextTranslator> translator;
  ASSERT_EQ(settings->GetTextTranslator(&translator), S_OK);
  ComPtr<IVantoText> source;
  ComPtr<IVantoText> result;
  ASSERT_EQ(::CoCreateInstance(CLSID_VantoText, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&source)), S_OK);
  ASSERT_EQ(::CoCreateInstance(CLSID_VantoText, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&result)), S_OK);
  Bstr text(L"house");
  ASSERT_EQ(source->SetText(text.get()), S_OK);

  // Both ways of translating count.
  SetSetting(L"TranslationsBeforeError", 2);
  Bstr translated;
  EXPECT_EQ(settings->Translate(text.get(), translated.put()), S_OK);
  EXPECT_EQ(translator->TranslateText(source.Get(), result.Get()), S_OK);
  for (int attempt = 0; attempt < 2; ++attempt) {
    EXPECT_EQ(settings->Translate(text.get(), translated.put()), E_FAIL);
    EXPECT_EQ(translator->TranslateText(source.Get(), result.Get()), E_FAIL);
  }
  RemoveSetting(L"TranslationsBeforeError");
  EXPECT_EQ(settings->Translate(text.get(), translated.put()), S_OK);
  EXPECT_EQ(translated.str(), L"Haus");
}

TEST_F(KernelTranslation, WithoutTextObjectsTheSettingsStillTranslate) {
  ComPtr<IVantoKernel> kernel = NewKernel();
  ASSERT_EQ(kernel->SetCurrentDirection(0), S_OK);
  ComPtr<IVantoSettings> settings;
  ASSERT_EQ(kernel->GetSettings(&settings), S_OK);
  SetSetting(L"NoTextTranslator", 1);
  ComPtr<IVantoTextTranslator> translator;
  EXPECT_EQ(settings->GetTextTranslator(&translator), S_FALSE);
  EXPECT_FALSE(translator);
  Bstr text(L"The cat is black.");
  Bstr translated;
  EXPECT_EQ(settings->Translate(text.get(), translated.put()), S_OK);
  EXPECT_EQ(translated.str(), L"Die Katze ist schwarz.");
  RemoveSetting(L"NoTextTranslator");
  EXPECT_EQ(settings->GetTextTranslator(&translator), S_OK);
  EXPECT_TRUE(translator);
}

TEST_F(KernelTranslation, AWholeTextInAMemoryComesFromTheMemory) {
  test::WriteFile(data_.Folder(L"Memories") / L"prefilled.vtm",
                  "name\tContracts\r\n"
                  "direction\t2311\r\n"
                  "segment\tThe house is big.\tDas Gebäude ist riesig.\r\n");
  ComPtr<IVantoKernel> kernel = NewKernel();
  EXPECT_EQ(Translate(kernel.Get(), 0, L"The house is big."), L"Das Gebäude ist riesig.");
  // Only the whole text matches; anything else goes word by word.
  EXPECT_EQ(Translate(kernel.Get(), 0, L"The house is big. "), L"Das Haus ist groß. ");
  EXPECT_EQ(Translate(kernel.Get(), 0, L"the house is big."), L"das Haus ist groß.");
  // A memory belongs to its direction.
  EXPECT_EQ(Translate(kernel.Get(), 2, L"The house is big."), L"Дом большой.");
}

}  // namespace
}  // namespace kerneltest
