// Translation-memory databases: the new-database dialog, their properties and their segments.
#include <gtest/gtest.h>

#include "DialogDriver.h"
#include "KernelTestSupport.h"
#include "vanto/KernelDialogs.h"

namespace kerneltest {
namespace {

class KernelMemories : public KernelTest {
 protected:
  // The dialog answered with `name` (or cancelled when name is empty); the HRESULT of CreateNew.
  HRESULT Create(IVantoMemories* memories, const std::wstring& name, ComPtr<IVantoMemory>* created,
                 std::wstring* shownDirection = nullptr) {
    DialogDriver driver(kVantoNewMemoryTitle, [&](HWND dialog) {
      if (shownDirection) *shownDirection = GetItemText(dialog, IDC_VANTO_DIRECTION);
      SetItemText(dialog, IDC_VANTO_NAME, name);
      Press(dialog, name.empty() ? IDCANCEL : IDOK);
    });
    VARIANT missing;
    ::VariantInit(&missing);
    V_VT(&missing) = VT_ERROR;
    V_ERROR(&missing) = DISP_E_PARAMNOTFOUND;
    const HRESULT hr =
        memories->CreateNew(0, missing, missing, missing, missing, created->ReleaseAndGetAddressOf());
    EXPECT_TRUE(driver.Finish());
    return hr;
  }
};

TEST_F(KernelMemories, ANewDatabaseHasItsPropertiesAndAFileInTheDataFolder) {
  ComPtr<IVantoKernel> kernel = NewKernel();
  ComPtr<IVantoMemories> memories = MemoriesOf(kernel.Get(), 5);
  LONG count = -1;
  ASSERT_EQ(memories->GetCount(&count), S_OK);
  EXPECT_EQ(count, 0);
  ComPtr<IVantoMemory> created;
  std::wstring direction;
  ASSERT_EQ(Create(memories.Get(), L"Contrats 2010", &created, &direction), S_OK);
  ASSERT_TRUE(created);
  EXPECT_EQ(direction, L"French-English");

  struct PropertyCase {
    LONG number;
    std::wstring expected;
  };
  const std::wstring identifier = Property(created.Get(), kVantoMemoryIdentifier);
  for (const PropertyCase& p : {PropertyCase{1, L"Contrats 2010"}, PropertyCase{4, L"French-English"},
                                PropertyCase{5, L"0"}, PropertyCase{6, identifier}}) {
    EXPECT_EQ(Property(created.Get(), p.number), p.expected) << p.number;
  }
  Bstr none;
  EXPECT_EQ(created->GetProperty(2, none.put()), E_INVALIDARG);
  const std::filesystem::path file(identifier);
  EXPECT_TRUE(std::filesystem::exists(file));
  EXPECT_TRUE(std::filesystem::equivalent(file.parent_path(), DataFolder() / L"Memories"));

  ASSERT_EQ(memories->GetCount(&count), S_OK);
  EXPECT_EQ(count, 1);
  ComPtr<IVantoMemory> listed;
  ASSERT_EQ(memories->GetItem(0, &listed), S_OK);
  EXPECT_EQ(Property(listed.Get(), kVantoMemoryIdentifier), identifier);
  ASSERT_EQ(MemoriesOf(kernel.Get(), 4)->GetCount(&count), S_OK);
  EXPECT_EQ(count, 0);
}

TEST_F(KernelMemories, CancelledOrTakenNamesCreateNothing) {
  ComPtr<IVantoKernel> kernel = NewKernel();
  ComPtr<IVantoMemories> memories = MemoriesOf(kernel.Get(), 0);
  ComPtr<IVantoMemory> created;
  EXPECT_EQ(Create(memories.Get(), L"", &created), S_FALSE);
  EXPECT_EQ(created, nullptr);
  ASSERT_EQ(Create(memories.Get(), L"Manuals", &created), S_OK);

  bool takenRefused = false;
  DialogDriver driver(kVantoNewMemoryTitle, [&](HWND dialog) {
    SetItemText(dialog, IDC_VANTO_NAME, L"Manuals");
    Press(dialog, IDOK);
    takenRefused = ::IsWindow(dialog) != FALSE;
    SetItemText(dialog, IDC_VANTO_NAME, L"  Manuals 2  ");
    Press(dialog, IDOK);
  });
  VARIANT missing;
  ::VariantInit(&missing);
  ASSERT_EQ(memories->CreateNew(0, missing, missing, missing, missing, created.ReleaseAndGetAddressOf()),
            S_OK);
  EXPECT_TRUE(driver.Finish());
  EXPECT_TRUE(takenRefused);
  EXPECT_EQ(Property(created.Get(), kVantoMemoryName), L"Manuals 2");
  LONG count = 0;
  ASSERT_EQ(memories->GetCount(&count), S_OK);
  EXPECT_EQ(count, 2);
}

TEST_F(KernelMemories, SegmentsTranslateWholeTextsAndCountInProperty5) {
  ComPtr<IVantoKernel> kernel = NewKernel();
  ComPtr<IVantoMemory> memory;
  ASSERT_EQ(Create(MemoriesOf(kernel.Get(), 2).Get(), L"Greetings", &memory), S_OK);
  struct Segment {
    const wchar_t* source;
    const wchar_t* target;
  };
  const Segment segments[] = {
      {L"Welcome to our company!", L"Добро пожаловать в нашу компанию!"},
      {L"See you tomorrow.", L"До завтра."},
      {L"See you tomorrow.", L"Увидимся завтра."},  // a second translation replaces the first
  };
  for (const Segment& s : segments) {
    Bstr source(s.source), target(s.target);
    ASSERT_EQ(memory->AddSegment(source.get(), target.get()), S_OK);
  }
  EXPECT_EQ(Property(memory.Get(), kVantoMemorySegments), L"2");
  EXPECT_EQ(Translate(kernel.Get(), 2, L"Welcome to our company!"), L"Добро пожаловать в нашу компанию!");
  EXPECT_EQ(Translate(kernel.Get(), 2, L"See you tomorrow."), L"Увидимся завтра.");
  Bstr empty, target(L"x");
  EXPECT_EQ(memory->AddSegment(empty.get(), target.get()), E_INVALIDARG);
}

}  // namespace
}  // namespace kerneltest
