// The user's files: damaged content loads without harm, and what one process writes another reads.
#include <gtest/gtest.h>

#include "DialogDriver.h"
#include "KernelTestSupport.h"
#include "support/ScratchDir.h"
#include "vanto/KernelDialogs.h"

namespace kerneltest {
namespace {

class KernelDataFiles : public KernelTest {};

struct FileCase {
  const wchar_t* name;
  std::string content;
};

TEST_F(KernelDataFiles, DamagedFilesAndLinesAreSkipped) {
  const std::filesystem::path dictionaries = data_.Folder(L"Dictionaries");
  const std::filesystem::path memories = data_.Folder(L"Memories");
  const FileCase files[] = {
      // A usable dictionary whose bad lines are skipped one by one.
      {L"a-good.vdic",
       "\xEF\xBB\xBF# comment\r\n"
       "name\tMixed\r\n"
       "direction\t2311\r\n"
       "entry\tcat\tKatze-eins\r\n"
       "entry\tdog\r\n"                        // too few fields
       "entry\tbird\tVogel-eins\tx\ty\r\n"     // too many
       "entry\t\tleer\r\n"                     // no source
       "bogus\tline\r\n"                       // unknown record
       "entry\tfish\tFisch-\xFF\xFE-eins\r\n"  // invalid UTF-8 becomes U+FFFD
       "entry\ttab\\tword\tmit\\\\Strich\r\n"  // escapes
       "\r\n\t\r\n"
       "entry\thorse\tPferd-eins\t3\n"},  // a bare line feed ends a line too
      {L"b-noname.vdic", "direction\t2311\nentry\tcat\tnever\n"},
      {L"c-nodirection.vdic", "name\tLost\nentry\tcat\tnever\n"},
      {L"d-unknowndirection.vdic", "name\tAlien\ndirection\t9999\nentry\tcat\tnever\n"},
      {L"e-baddirection.vdic", "name\tBad\ndirection\t-2311\nentry\tcat\tnever\n"},
      {L"f-binary.vdic", std::string("\x00\x01\x02\xFF\xFE\x80name\x00\tx", 13)},
      {L"g-empty.vdic", ""},
      {L"h-notes.txt", "name\tIgnored\ndirection\t2311\nentry\tcat\tnever\n"},  // not a dictionary file
  };
  for (const FileCase& f : files) test::WriteFile(dictionaries / f.name, f.content);
  test::WriteFile(memories / L"a-bad.vtm", "name\tTM\ndirection\t2311\nsegment\tcat\nsegment\t\tx\n");
  test::WriteFile(memories / L"b-garbage.vtm", std::string(4096, '\t') + "\n\\\\\\");

  ComPtr<IVantoKernel> kernel = NewKernel();
  ComPtr<IVantoDictionaries> list = DictionariesOf(kernel.Get(), 0);
  LONG count = 0;
  ASSERT_EQ(list->GetCount(&count), S_OK);
  ASSERT_EQ(count, 2);  // the general dictionary and "Mixed"
  ComPtr<IVantoDictionary> mixed;
  ASSERT_EQ(list->GetItem(1, &mixed), S_OK);
  EXPECT_EQ(NameOf(mixed.Get()), L"Mixed");
  EXPECT_EQ(Translate(kernel.Get(), 0, L"cat dog bird horse"), L"Katze-eins Hund Vogel Pferd-eins");
  EXPECT_EQ(Translate(kernel.Get(), 0, L"tab word"), L"mit\\Strich");
  EXPECT_EQ(Translate(kernel.Get(), 0, L"fish"), L"Fisch-\xFFFD\xFFFD-eins");
  ASSERT_EQ(MemoriesOf(kernel.Get(), 0)->GetCount(&count), S_OK);
  EXPECT_EQ(count, 1);
  EXPECT_EQ(Translate(kernel.Get(), 0, L"cat"), L"Katze-eins");  // the segment without a target is not used
}

TEST_F(KernelDataFiles, AMissingDataFolderIsCreatedWhenTheFirstDictionaryIsMade) {
  const std::filesystem::path folder = DataFolder() / L"not" / L"yet";
  SetSetting(L"DataFolder", folder.wstring());
  ComPtr<IVantoKernel> kernel = NewKernel();
  LONG count = 0;
  ASSERT_EQ(DictionariesOf(kernel.Get(), 0)->GetCount(&count), S_OK);
  EXPECT_EQ(count, 1);
  DialogDriver driver(kVantoNewDictionaryTitle, [](HWND dialog) {
    SetItemText(dialog, IDC_VANTO_NAME, L"Fresh");
    Press(dialog, IDOK);
  });
  ComPtr<IVantoDictionary> created;
  EXPECT_EQ(DictionariesOf(kernel.Get(), 0)->CreateNew(0, &created), S_OK);
  EXPECT_TRUE(driver.Finish());
  EXPECT_TRUE(std::filesystem::is_directory(folder / L"Dictionaries"));
}

// What the files hold is the kernel's whole memory: the add-word entry and the lines of a file
// written by hand both come back in a fresh kernel, and a second line for the same word wins.
TEST_F(KernelDataFiles, EntriesRoundTripThroughTheFile) {
  {
    ComPtr<IVantoKernel> kernel = NewKernel();
    DialogDriver driver(kVantoNewDictionaryTitle, [](HWND dialog) {
      SetItemText(dialog, IDC_VANTO_NAME, L"Round\ttrip");
      Press(dialog, IDOK);
    });
    ComPtr<IVantoDictionary> created;
    ASSERT_EQ(DictionariesOf(kernel.Get(), 1)->CreateNew(0, &created), S_OK);
    EXPECT_TRUE(driver.Finish());
    ASSERT_TRUE(created);
    Bstr source(L"Fernweh"), first(L"wanderlust"), second(L"longing for far places");
    ASSERT_EQ(created->AddEntry(source.get(), first.get()), S_OK);
    ASSERT_EQ(created->AddEntry(source.get(), second.get()), S_OK);
  }
  ComPtr<IVantoKernel> kernel = NewKernel();
  ComPtr<IVantoDictionary> reread;
  ASSERT_EQ(DictionariesOf(kernel.Get(), 1)->GetItem(1, &reread), S_OK);
  EXPECT_EQ(NameOf(reread.Get()), L"Round\ttrip");
  EXPECT_EQ(Translate(kernel.Get(), 1, L"Fernweh!"), L"longing for far places!");
}

TEST_F(KernelDataFiles, ASecondProcessUsesTheWordAddedInTheFirst) {
  ComPtr<IVantoKernel> kernel = NewKernel();
  DialogDriver created(kVantoNewDictionaryTitle, [](HWND dialog) {
    SetItemText(dialog, IDC_VANTO_NAME, L"Shared");
    Press(dialog, IDOK);
  });
  ComPtr<IVantoDictionary> dictionary;
  ASSERT_EQ(DictionariesOf(kernel.Get(), 4)->CreateNew(0, &dictionary), S_OK);
  ASSERT_TRUE(created.Finish());
  ASSERT_EQ(kernel->SetCurrentDirection(4), S_OK);
  ComPtr<IVantoSettings> settings;
  ComPtr<IVantoAddWord> addWord;
  ASSERT_EQ(kernel->GetSettings(&settings), S_OK);
  ASSERT_EQ(settings->GetAddWord(&addWord), S_OK);
  DialogDriver added(kVantoAddWordTitle, [](HWND dialog) {
    SetItemText(dialog, IDC_VANTO_TRANSLATION, L"ordinateur portable");
    Press(dialog, IDOK);
  });
  Bstr word(L"laptop");
  ASSERT_EQ(addWord->ShowDialog(VARIANT_FALSE, dictionary.Get(), word.get()), S_OK);
  ASSERT_TRUE(added.Finish());

  const std::filesystem::path output = DataFolder() / L"child-output.txt";
  ASSERT_EQ(RunChild(L"translate \"" + DataFolder().wstring() + L"\" English-French \"" + output.wstring() +
                     L"\" \"My laptop is new.\""),
            0u);
  EXPECT_EQ(test::ReadFile(output), "Mon ordinateur portable est nouveau.");
}

TEST_F(KernelDataFiles, ARunningKernelSeesASegmentAnotherProcessAdded) {
  test::WriteFile(data_.Folder(L"Memories") / L"shared.vtm", "name\tShared\ndirection\t1801\n");
  ComPtr<IVantoKernel> kernel = NewKernel();
  const int direction = DirectionIndex(kernel.Get(), L"German-English");
  EXPECT_EQ(Translate(kernel.Get(), direction, L"Wie spät ist es?"), L"How spät is it?");
  ASSERT_EQ(RunChild(L"add-segment \"" + DataFolder().wstring() +
                     L"\" German-English Shared \"Wie spät ist es?\" \"What time is it?\""),
            0u);
  EXPECT_EQ(Translate(kernel.Get(), direction, L"Wie spät ist es?"), L"What time is it?");
}

}  // namespace
}  // namespace kerneltest
