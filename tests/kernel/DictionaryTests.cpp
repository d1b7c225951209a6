// User dictionaries: kinds, the new-dictionary dialog, the add-word dialog and switching
// dictionaries off, each time checked by the next translation.
#include <gtest/gtest.h>

#include "DialogDriver.h"
#include "KernelTestSupport.h"
#include "vanto/KernelDialogs.h"

namespace kerneltest {
namespace {

class KernelDictionaries : public KernelTest {
 protected:
  // A user dictionary made through the kernel's dialog, answered with `name`.
  ComPtr<IVantoDictionary> CreateThroughDialog(IVantoKernel* kernel, int direction,
                                               const std::wstring& name) {
    ComPtr<IVantoDictionaries> dictionaries = DictionariesOf(kernel, direction);
    ComPtr<IVantoDictionary> created;
    DialogDriver driver(kVantoNewDictionaryTitle, [&](HWND dialog) {
      SetItemText(dialog, IDC_VANTO_NAME, name);
      Press(dialog, IDOK);
    });
    EXPECT_EQ(dictionaries->CreateNew(0, &created), S_OK);
    EXPECT_TRUE(driver.Finish());
    return created;
  }

  ComPtr<IVantoAddWord> AddWordOf(IVantoKernel* kernel, int direction) {
    ComPtr<IVantoSettings> settings;
    ComPtr<IVantoAddWord> addWord;
    EXPECT_EQ(kernel->SetCurrentDirection(static_cast<SHORT>(direction)), S_OK);
    EXPECT_EQ(kernel->GetSettings(&settings), S_OK);
    if (settings) {
      EXPECT_EQ(settings->GetAddWord(&addWord), S_OK);
    }
    return addWord;
  }
};

TEST_F(KernelDictionaries, EveryDirectionStartsWithItsGeneralDictionaryOnly) {
  ComPtr<IVantoKernel> kernel = NewKernel();
  for (int direction = 0; direction < 10; ++direction) {
    ComPtr<IVantoDictionaries> dictionaries = DictionariesOf(kernel.Get(), direction);
    LONG count = 0;
    ASSERT_EQ(dictionaries->GetCount(&count), S_OK);
    EXPECT_EQ(count, 1) << direction;
    ComPtr<IVantoDictionary> general;
    ASSERT_EQ(dictionaries->GetItem(0, &general), S_OK);
    EXPECT_EQ(KindOf(general.Get()), kVantoDictionaryKindGeneral);
    EXPECT_NE(KindOf(general.Get()), kVantoDictionaryKindUser);
    EXPECT_EQ(NameOf(general.Get()).find(L"General dictionary ("), 0u) << direction;
    Bstr word(L"house");
    EXPECT_EQ(general->AddEntry(word.get(), word.get()), E_ACCESSDENIED);
  }
}

TEST_F(KernelDictionaries, ANewDictionaryIsAUserDictionaryOfItsDirectionOnly) {
  ComPtr<IVantoKernel> kernel = NewKernel();
  ComPtr<IVantoDictionary> created = CreateThroughDialog(kernel.Get(), 2, L"Travel words");
  ASSERT_TRUE(created);
  EXPECT_EQ(KindOf(created.Get()), kVantoDictionaryKindUser);
  EXPECT_EQ(NameOf(created.Get()), L"Travel words");
  ComPtr<IVantoDictionaries> dictionaries = DictionariesOf(kernel.Get(), 2);
  LONG count = 0;
  ASSERT_EQ(dictionaries->GetCount(&count), S_OK);
  ASSERT_EQ(count, 2);
  ComPtr<IVantoDictionary> listed;
  ASSERT_EQ(dictionaries->GetItem(1, &listed), S_OK);
  EXPECT_EQ(KindOf(listed.Get()), 708);
  EXPECT_EQ(NameOf(listed.Get()), L"Travel words");
  ASSERT_EQ(DictionariesOf(kernel.Get(), 3)->GetCount(&count), S_OK);
  EXPECT_EQ(count, 1);
  EXPECT_EQ(DictionariesOf(kernel.Get(), 2)->GetItem(2, &listed), E_INVALIDARG);
}

TEST_F(KernelDictionaries, TheNewDictionaryDialogRefusesEmptyAndTakenNamesAndCanBeCancelled) {
  ComPtr<IVantoKernel> kernel = NewKernel();
  ASSERT_TRUE(CreateThroughDialog(kernel.Get(), 0, L"Office"));
  ComPtr<IVantoDictionaries> dictionaries = DictionariesOf(kernel.Get(), 0);
  std::vector<bool> stayedOpen;
  std::wstring direction;
  ComPtr<IVantoDictionary> created;
  DialogDriver driver(kVantoNewDictionaryTitle, [&](HWND dialog) {
    direction = GetItemText(dialog, IDC_VANTO_DIRECTION);
    for (const wchar_t* name : {L"", L"   ", L"Office"}) {
      SetItemText(dialog, IDC_VANTO_NAME, name);
      Press(dialog, IDOK);
      stayedOpen.push_back(::IsWindow(dialog) != FALSE);
    }
    Press(dialog, IDCANCEL);
  });
  EXPECT_EQ(dictionaries->CreateNew(0, &created), S_FALSE);
  EXPECT_TRUE(driver.Finish());
  EXPECT_EQ(created, nullptr);
  EXPECT_EQ(direction, L"English-German");
  EXPECT_EQ(stayedOpen, (std::vector<bool>{true, true, true}));
  LONG count = 0;
  ASSERT_EQ(dictionaries->GetCount(&count), S_OK);
  EXPECT_EQ(count, 2);
}

TEST_F(KernelDictionaries, AWordAddedInTheAddWordDialogChangesTheNextTranslation) {
  ComPtr<IVantoKernel> kernel = NewKernel();
  ComPtr<IVantoDictionary> dictionary = CreateThroughDialog(kernel.Get(), 0, L"Fantasy");
  ASSERT_TRUE(dictionary);
  EXPECT_EQ(Translate(kernel.Get(), 0, L"I see a zorblax."), L"ich sehen ein zorblax.");

  ComPtr<IVantoAddWord> addWord = AddWordOf(kernel.Get(), 0);
  ASSERT_TRUE(addWord);
  ASSERT_EQ(addWord->SetDialogEntry(2), S_OK);
  std::wstring shownWord, shownTranslation, shownDictionary;
  LRESULT shownEntry = -1;
  DialogDriver driver(kVantoAddWordTitle, [&](HWND dialog) {
    shownWord = GetItemText(dialog, IDC_VANTO_WORD);
    shownTranslation = GetItemText(dialog, IDC_VANTO_TRANSLATION);
    shownDictionary = GetItemText(dialog, IDC_VANTO_DICTIONARY);
    shownEntry = ::SendDlgItemMessageW(dialog, IDC_VANTO_ENTRY_KIND, CB_GETCURSEL, 0, 0);
    SetItemText(dialog, IDC_VANTO_TRANSLATION, L"Sternenstaub");
    ChooseComboItem(dialog, IDC_VANTO_ENTRY_KIND, 3);
    Press(dialog, IDOK);
  });
  Bstr word(L"Zorblax");
  EXPECT_EQ(addWord->ShowDialog(VARIANT_FALSE, dictionary.Get(), word.get()), S_OK);
  EXPECT_TRUE(driver.Finish());
  EXPECT_EQ(shownWord, L"Zorblax");
  EXPECT_EQ(shownTranslation, L"Zorblax");  // pre-filled with the word
  EXPECT_EQ(shownDictionary, L"Fantasy");
  EXPECT_EQ(shownEntry, 2);
  LONG entry = 0;
  ASSERT_EQ(addWord->GetDialogEntry(&entry), S_OK);
  EXPECT_EQ(entry, 3);  // the user's choice comes back

  EXPECT_EQ(Translate(kernel.Get(), 0, L"I see a zorblax."), L"ich sehen ein Sternenstaub.");
  EXPECT_EQ(Translate(kernel.Get(), 0, L"ZORBLAX!"), L"STERNENSTAUB!");
  // A kernel started afterwards reads it from the dictionary's file.
  EXPECT_EQ(Translate(NewKernel().Get(), 0, L"zorblax"), L"Sternenstaub");
  // Other directions do not know it.
  EXPECT_EQ(Translate(kernel.Get(), 2, L"zorblax"), L"zorblax");
}

TEST_F(KernelDictionaries, TheEntryViewDecidesWhetherTheWordItselfCanBeEdited) {
  ComPtr<IVantoKernel> kernel = NewKernel();
  ComPtr<IVantoDictionary> dictionary = CreateThroughDialog(kernel.Get(), 0, L"Edits");
  ComPtr<IVantoAddWord> addWord = AddWordOf(kernel.Get(), 0);
  ASSERT_TRUE(dictionary && addWord);
  for (VARIANT_BOOL entryView : {VARIANT_TRUE, VARIANT_FALSE}) {
    LONG_PTR style = 0;
    DialogDriver driver(kVantoAddWordTitle, [&](HWND dialog) {
      style = ::GetWindowLongPtrW(::GetDlgItem(dialog, IDC_VANTO_WORD), GWL_STYLE);
      SetItemText(dialog, IDC_VANTO_WORD, L"blue moon");  // takes effect only where the field is editable
      SetItemText(dialog, IDC_VANTO_TRANSLATION, L"selten");
      Press(dialog, IDOK);
    });
    Bstr word(L"cerulean");
    EXPECT_EQ(addWord->ShowDialog(entryView, dictionary.Get(), word.get()), S_OK);
    EXPECT_TRUE(driver.Finish());
    EXPECT_EQ((style & ES_READONLY) != 0, entryView == VARIANT_FALSE);
  }
  // WM_SETTEXT writes even a read-only field, so both words arrive as typed.
  EXPECT_EQ(Translate(kernel.Get(), 0, L"blue moon"), L"selten");
}

TEST_F(KernelDictionaries, ACancelledAddWordAddsNothingButReportsTheEntry) {
  ComPtr<IVantoKernel> kernel = NewKernel();
  ComPtr<IVantoDictionary> dictionary = CreateThroughDialog(kernel.Get(), 1, L"Notes");
  ComPtr<IVantoAddWord> addWord = AddWordOf(kernel.Get(), 1);
  ASSERT_TRUE(dictionary && addWord);
  bool emptyRefused = false;
  DialogDriver driver(kVantoAddWordTitle, [&](HWND dialog) {
    SetItemText(dialog, IDC_VANTO_TRANSLATION, L"");
    Press(dialog, IDOK);
    emptyRefused = ::IsWindow(dialog) != FALSE;
    ChooseComboItem(dialog, IDC_VANTO_ENTRY_KIND, 5);
    SetItemText(dialog, IDC_VANTO_TRANSLATION, L"dwelling");
    Press(dialog, IDCANCEL);
  });
  Bstr word(L"Haus");
  EXPECT_EQ(addWord->ShowDialog(VARIANT_FALSE, dictionary.Get(), word.get()), S_FALSE);
  EXPECT_TRUE(driver.Finish());
  EXPECT_TRUE(emptyRefused);
  LONG entry = 0;
  ASSERT_EQ(addWord->GetDialogEntry(&entry), S_OK);
  EXPECT_EQ(entry, 5);
  EXPECT_EQ(Translate(kernel.Get(), 1, L"Haus"), L"house");
}

TEST_F(KernelDictionaries, OnlyTheKernelsOwnUserDictionariesTakeWords) {
  ComPtr<IVantoKernel> kernel = NewKernel();
  ComPtr<IVantoAddWord> addWord = AddWordOf(kernel.Get(), 0);
  ComPtr<IVantoDictionary> general;
  ASSERT_EQ(DictionariesOf(kernel.Get(), 0)->GetItem(0, &general), S_OK);
  Bstr word(L"house");
  EXPECT_EQ(addWord->ShowDialog(VARIANT_FALSE, general.Get(), word.get()), E_ACCESSDENIED);
  EXPECT_EQ(addWord->ShowDialog(VARIANT_FALSE, nullptr, word.get()), E_POINTER);
}

TEST_F(KernelDictionaries, UserDictionariesComeFirstAndSwitchedOffOnesAreNotUsed) {
  ComPtr<IVantoKernel> kernel = NewKernel();
  ComPtr<IVantoDictionary> first = CreateThroughDialog(kernel.Get(), 0, L"First");
  ComPtr<IVantoDictionary> second = CreateThroughDialog(kernel.Get(), 0, L"Second");
  ASSERT_TRUE(first && second);
  Bstr cat(L"cat"), mieze(L"Mieze"), dog(L"dog"), wauwau(L"Wauwau"), kater(L"Kater");
  ASSERT_EQ(first->AddEntry(cat.get(), mieze.get()), S_OK);
  ASSERT_EQ(second->AddEntry(cat.get(), kater.get()), S_OK);
  ASSERT_EQ(second->AddEntry(dog.get(), wauwau.get()), S_OK);
  ComPtr<IVantoDictionaries> dictionaries = DictionariesOf(kernel.Get(), 0);

  struct Step {
    SHORT index;
    VARIANT_BOOL on;
    const wchar_t* expected;
  };
  const Step steps[] = {
      {0, VARIANT_TRUE, L"Mieze, Wauwau, Haus"},   // earlier dictionaries first, the general one last
      {1, VARIANT_FALSE, L"Kater, Wauwau, Haus"},  // "First" off
      {2, VARIANT_FALSE, L"Katze, Hund, Haus"},    // "Second" off too
      {0, VARIANT_FALSE, L"cat, dog, house"},      // and the general dictionary
      {1, VARIANT_TRUE, L"Mieze, dog, house"},
  };
  for (const Step& step : steps) {
    ASSERT_EQ(dictionaries->Select(step.index, step.on), S_OK);
    EXPECT_EQ(Translate(kernel.Get(), 0, L"cat, dog, house"), step.expected) << step.index;
  }
  EXPECT_EQ(dictionaries->Select(3, VARIANT_TRUE), E_INVALIDARG);
  EXPECT_EQ(dictionaries->Select(-1, VARIANT_TRUE), E_INVALIDARG);
}

}  // namespace
}  // namespace kerneltest
