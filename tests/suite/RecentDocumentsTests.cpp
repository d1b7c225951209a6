// The recent documents in the real (sandboxed) registry: the ten newest, newest first, one entry per
// document, and entries that another program or a crash left damaged passed over, never a failure.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "core/RegistryLayout.h"
#include "suite/RecentDocuments.h"
#include "support/RegistrySandbox.h"

namespace {

using suite::RecentDocument;

RecentDocument Handed(const std::wstring& document, int directionId = 0x0907) {
  RecentDocument recent{document, 2, L"Microsoft Word 2007/2010", directionId, L"General", {}};
  ::GetSystemTimeAsFileTime(&recent.handedOver);
  return recent;
}

std::vector<std::wstring> Documents() {
  std::vector<std::wstring> documents;
  for (const RecentDocument& recent : suite::ReadRecentDocuments()) documents.push_back(recent.document);
  return documents;
}

std::wstring Entry(int number) {
  return std::wstring(reg::kRecentDocuments) + L"\\" + std::to_wstring(number);
}

class RecentDocumentsTest : public test::SandboxedTest {};

TEST_F(RecentDocumentsTest, TheTenNewestAreKeptNewestFirstOncePerDocument) {
  for (int i = 1; i <= 12; ++i)
    ASSERT_TRUE(suite::RememberDocument(Handed(L"C:\\Docs\\" + std::to_wstring(i) + L".docx")));
  // Handed over again, in other letter case and with another direction: one entry, on top, as it was
  // handed over last.
  ASSERT_TRUE(suite::RememberDocument(Handed(L"c:\\docs\\7.DOCX", 0x0709)));
  const std::vector<RecentDocument> recent = suite::ReadRecentDocuments();
  ASSERT_EQ(Documents(),
            (std::vector<std::wstring>{L"c:\\docs\\7.DOCX", L"C:\\Docs\\12.docx", L"C:\\Docs\\11.docx",
                                       L"C:\\Docs\\10.docx", L"C:\\Docs\\9.docx", L"C:\\Docs\\8.docx",
                                       L"C:\\Docs\\6.docx", L"C:\\Docs\\5.docx", L"C:\\Docs\\4.docx",
                                       L"C:\\Docs\\3.docx"}));
  EXPECT_EQ(recent[0].directionId, 0x0709);
  EXPECT_EQ(recent[0].application, L"Microsoft Word 2007/2010");
  EXPECT_EQ(recent[0].taskCode, 2);
  // The time survives the registry to the second.
  SYSTEMTIME written{}, now{};
  ASSERT_TRUE(::FileTimeToSystemTime(&recent[0].handedOver, &written));
  ::GetSystemTime(&now);
  EXPECT_EQ(written.wYear, now.wYear);
  EXPECT_EQ(written.wDay, now.wDay);

  ASSERT_TRUE(suite::ForgetDocument(L"C:\\DOCS\\12.docx"));
  EXPECT_EQ(Documents().size(), 9u);
  EXPECT_EQ(Documents()[1], L"C:\\Docs\\11.docx");
  ASSERT_TRUE(suite::ForgetAllDocuments());
  EXPECT_TRUE(Documents().empty());
}

TEST_F(RecentDocumentsTest, DamagedEntriesArePassedOverAndGoAtTheNextChange) {
  ASSERT_TRUE(suite::RememberDocument(Handed(L"C:\\Docs\\kept.docx")));
  ASSERT_TRUE(suite::RememberDocument(Handed(L"C:\\Docs\\top.docx")));
  // "1" top, "2" kept; "3" has its direction as text, "4" no document, "5" a time that is none.
  test::SetString(HKEY_CURRENT_USER, Entry(3), L"Document", L"C:\\Docs\\wrong type.docx");
  test::SetString(HKEY_CURRENT_USER, Entry(3), L"Application", L"Word");
  test::SetString(HKEY_CURRENT_USER, Entry(3), L"Profile", L"General");
  test::SetDword(HKEY_CURRENT_USER, Entry(3), L"Task", 2);
  test::SetString(HKEY_CURRENT_USER, Entry(3), L"Direction", L"English-German");
  test::SetDword(HKEY_CURRENT_USER, Entry(4), L"Task", 2);
  test::SetString(HKEY_CURRENT_USER, Entry(5), L"Document", L"C:\\Docs\\no time.docx");
  test::SetString(HKEY_CURRENT_USER, Entry(5), L"Application", L"Word");
  test::SetString(HKEY_CURRENT_USER, Entry(5), L"Profile", L"General");
  test::SetDword(HKEY_CURRENT_USER, Entry(5), L"Task", 2);
  test::SetDword(HKEY_CURRENT_USER, Entry(5), L"Direction", 0x0907);
  test::SetString(HKEY_CURRENT_USER, Entry(5), L"Handed over", L"yesterday");
  const std::vector<RecentDocument> recent = suite::ReadRecentDocuments();
  EXPECT_EQ(Documents(), (std::vector<std::wstring>{L"C:\\Docs\\top.docx", L"C:\\Docs\\kept.docx",
                                                    L"C:\\Docs\\no time.docx"}));
  ASSERT_EQ(recent.size(), 3u);
  EXPECT_EQ(recent[2].handedOver.dwLowDateTime | recent[2].handedOver.dwHighDateTime, 0u);

  ASSERT_TRUE(suite::RememberDocument(Handed(L"C:\\Docs\\new.docx")));
  EXPECT_EQ(Documents(), (std::vector<std::wstring>{L"C:\\Docs\\new.docx", L"C:\\Docs\\top.docx",
                                                    L"C:\\Docs\\kept.docx", L"C:\\Docs\\no time.docx"}));
  EXPECT_FALSE(test::KeyExists(HKEY_CURRENT_USER, Entry(5)));
}

}  // namespace
