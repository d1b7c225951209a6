// The switches' exception: the message box it carries, in the built-in English and in a language
// library.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <type_traits>
#include <vector>

#include "core/ExceptSW.h"
#include "support/TestPaths.h"
#include "win/Handle.h"
#include "win/Resources.h"

namespace {

static_assert(std::has_virtual_destructor_v<CExceptSW>);
static_assert(std::is_copy_constructible_v<CExceptSW> && std::is_copy_assignable_v<CExceptSW>);

constexpr wchar_t kEmbedFailed[] = L"Unable to embed/disable the translation functions in \r\n\"";
constexpr wchar_t kNoAdmin[] =
    L"You do not have administrator privileges on this computer. Please contact your System Administrator.";
constexpr wchar_t kContactSupport[] =
    L"To get detailed information, please contact the Technical Support Service of the VANTO company.";
constexpr wchar_t kCaption[] = L"VANTO Plug-ins Manager";

std::vector<std::wstring> SplitLines(const std::wstring& text) {
  std::vector<std::wstring> lines;
  size_t start = 0;
  for (size_t end; (end = text.find(L"\r\n", start)) != std::wstring::npos; start = end + 2)
    lines.push_back(text.substr(start, end - start));
  lines.push_back(text.substr(start));
  return lines;
}

// Makes a module from the build's bin folder the current resource module for one test.
class ExceptSWTest : public ::testing::Test {
 protected:
  ~ExceptSWTest() override { win::ResetResourceModule(); }

  static void UseResourcesOf(const wchar_t* fileName) {
    const std::wstring path = (test::BinFolder() / fileName).wstring();
    win::UniqueModule module(
        ::LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
    ASSERT_TRUE(module.valid()) << "cannot load " << path;
    win::AdoptResourceModule(std::move(module));
  }

  void SetUp() override { UseResourcesOf(L"Startdeck.exe"); }
};

TEST_F(ExceptSWTest, ReasonCodeChoosesTheLastLine) {
  const struct {
    int reason;
    const wchar_t* tail;
  } cases[] = {
      {1, kContactSupport}, {2, kNoAdmin}, {3, L""}, {4, kContactSupport}, {0, L""}, {5, L""}, {-1, L""},
  };
  for (const auto& c : cases) {
    const CExceptSW error(L"Word add-in", L"Microsoft Word", c.reason, 0);
    EXPECT_EQ(error.Message(), std::wstring(kEmbedFailed) + L"Microsoft Word\"\r\n" + c.tail)
        << "reason " << c.reason;
    EXPECT_EQ(error.Caption(), kCaption) << "reason " << c.reason;
    EXPECT_EQ(error.BoxType(), 16u) << "reason " << c.reason;
  }
}

TEST_F(ExceptSWTest, MissingAdministratorRightsReadLineByLine) {
  const CExceptSW error(L"Messenger", L"Windows Live Messenger", 2, 0);
  const std::vector<std::wstring> expected = {
      L"Unable to embed/disable the translation functions in ",
      L"\"Windows Live Messenger\"",
      kNoAdmin,
  };
  EXPECT_EQ(SplitLines(error.Message()), expected);
}

TEST_F(ExceptSWTest, DisplayNameAndLastNumberChangeNothing) {
  const CExceptSW plain(L"", L"Skype", 1, 0);
  const CExceptSW other(L"DisplayNameNotShown", L"Skype", 1, 12345);
  EXPECT_EQ(other.Message(), plain.Message());
  EXPECT_EQ(other.Message().find(L"DisplayNameNotShown"), std::wstring::npos);
  EXPECT_EQ(other.Caption(), plain.Caption());
}

TEST_F(ExceptSWTest, CopiesCarryEveryField) {
  const CExceptSW original(L"Acrobat", L"Adobe Acrobat", 2, 0);
  const CExceptSW copy(original);
  CExceptSW assigned(L"Skype", L"Skype", 3, 0);
  assigned = original;
  const CExceptSW* const copies[] = {&copy, &assigned};
  for (const CExceptSW* error : copies) {
    EXPECT_EQ(error->Message(), original.Message());
    EXPECT_EQ(error->Caption(), original.Caption());
    EXPECT_EQ(error->BoxType(), original.BoxType());
  }
}

TEST_F(ExceptSWTest, ThrownByValueCaughtByReference) {
  try {
    throw CExceptSW(L"QIP", L"QIP Infium", 4, 0);
  } catch (const CExceptSW& error) {
    EXPECT_EQ(error.Message(), std::wstring(kEmbedFailed) + L"QIP Infium\"\r\n" + kContactSupport);
    return;
  }
  ADD_FAILURE() << "nothing was caught";
}

TEST_F(ExceptSWTest, LanguageLibraryGivesTheTexts) {
  win::ResetResourceModule();
  UseResourcesOf(L"StartdeckResDEU.dll");
  const CExceptSW error(L"Messenger", L"Windows Live Messenger", 2, 0);
  EXPECT_EQ(error.Caption(), L"VANTO Plug-in-Manager");
  EXPECT_EQ(error.BoxType(), 16u);
  const std::vector<std::wstring> lines = SplitLines(error.Message());
  ASSERT_EQ(lines.size(), 3u) << "German message with three lines";
  EXPECT_EQ(lines[0].rfind(L"Die \u00DCbersetzungsfunktionen", 0), 0u) << "starts in German";
  EXPECT_EQ(lines[1], L"\"Windows Live Messenger\"");
  EXPECT_EQ(lines[2],
            L"Sie haben auf diesem Computer keine Administratorrechte. Bitte wenden Sie sich an Ihren "
            L"Systemadministrator.");
}

}  // namespace
