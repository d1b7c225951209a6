// The host table and the rules that turn kinds, tokens and documents into what the hand-off starts.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "tasks/HandOffParameter.h"
#include "tasks/HostTable.h"

namespace {

using tasks::HostRowOfKind;
using tasks::HostTable;

TEST(HostRowOfKind, FollowsTheIntegerLogarithm) {
  struct Case {
    int kind;
    std::optional<std::size_t> row;
  };
  const Case cases[] = {
      {1, 0},     {2, 1},     {4, 1},     {16, 1},    {32, 1},     {64, 1},      {128, 1},     {256, 2},
      {512, 3},   {1024, 4},  {2048, 5},  {4096, 6},  {8192, 7},   {3, 1},       {8191, 6},    {16383, 7},
      // beyond the last row, and no kind at all
      {16384, std::nullopt}, {1 << 30, std::nullopt}, {0, std::nullopt}, {-1, std::nullopt},
      {static_cast<int>(0x80000000u), std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(HostRowOfKind(c.kind), c.row) << "kind " << c.kind;
}

TEST(HostTable, TargetsByKindAndOfficePosition) {
  const HostTable table(L"C:\\Program Files", L"D:\\Skype\\Phone\\Skype.exe");
  struct Case {
    int kind;
    int office;
    const wchar_t* executable;
    const wchar_t* key;
    const wchar_t* verb;
  };
  const Case cases[] = {
      {1, -1, L"Acrobat.exe", L"Acrobat", L"open"},
      {4, 0, L"winword.exe", L"Word", L"open"},
      {64, 1, L"outlook.exe", L"Outlook", L""},  // "NULL" in the verb list: no verb
      {2, 2, L"excel.exe", L"Excel", L"open"},
      {32, 3, L"powerpnt.exe", L"PowerPoint", L"open"},
      {256, -1, L"firefox.exe", L"FireFox", L"open"},
      {512, 2, L"iexplore.exe", L"VntoIE", L"open"},  // the Office position matters only to the Office row
      {1024, -1, L"soffice.exe", L"OpenOffice", L"open"},
      {2048, -1, L"msnmsgr.exe", L"VantoMSN", L""},
      {4096, -1, L"C:\\Program Files\\QIP Infium\\infium.exe", L"VantoQIP", L""},
      {8192, -1, L"D:\\Skype\\Phone\\Skype.exe", L"VantoSkype", L""},
  };
  for (const Case& c : cases) {
    const auto target = table.TargetOfKind(c.kind, c.office);
    ASSERT_TRUE(target) << "kind " << c.kind;
    EXPECT_EQ(target->executable, c.executable);
    EXPECT_EQ(target->key, c.key);
    EXPECT_EQ(target->verb, c.verb);
  }
  // An Office record without a sub-application, or past the four of the row, has no host.
  EXPECT_FALSE(table.TargetOfKind(4, -1));
  EXPECT_FALSE(table.TargetOfKind(64, 4));
  EXPECT_FALSE(table.TargetOfKind(16384, 0));
  EXPECT_EQ(table.Row(1).key, L"Word|Outlook|Excel|PowerPoint");
}

TEST(HostTable, SkypeWithoutItsValueIsAnEmptyExecutable) {
  const HostTable table(L"C:\\Programs", L"");
  EXPECT_EQ(table.TargetOfKind(8192, -1)->executable, L"");
  EXPECT_EQ(table.Row(6).executable, L"C:\\Programs\\QIP Infium\\infium.exe");
}

TEST(KindsOfToken, HostTokensWantTheirKindsAndOfficeTokensSetTheSubApplication) {
  struct Case {
    const wchar_t* token;
    std::vector<int> kinds;
    int office;
  };
  const Case cases[] = {
      {L"VntoIE", {512}, -1},         {L"FireFox", {256}, -1},       {L"Word", {2, 4, 32, 64}, 0},
      {L"Outlook", {2, 4, 32, 64}, 1}, {L"Excel", {2, 4, 32, 64}, 2}, {L"PowerPoint", {2, 4, 32, 64}, 3},
      {L"Acrobat", {1}, -1},          {L"OpenOffice", {1024}, -1},   {L"VantoQIP", {4096}, -1},
      {L"VantoMSN", {2048}, -1},      {L"VantoSkype", {8192}, -1},   {L"word", {2, 4, 32, 64}, 0},
      {L"Vnto", {}, -1},              {L"Batcher", {}, -1},          {L"VntoICQ", {}, -1},
      {L"", {}, -1},
  };
  for (const Case& c : cases) {
    const tasks::TokenKinds kinds = tasks::KindsOfToken(c.token);
    EXPECT_EQ(std::vector<int>(kinds.kinds.begin(), kinds.kinds.end()), c.kinds) << c.token;
    EXPECT_EQ(kinds.officeApplication, c.office) << c.token;
  }
}

TEST(FieldAt, PositionsOfABarList) {
  EXPECT_EQ(tasks::FieldAt(L"a|b||d", 0), L"a");
  EXPECT_EQ(tasks::FieldAt(L"a|b||d", 2), L"");
  EXPECT_EQ(tasks::FieldAt(L"a|b||d", 3), L"d");
  EXPECT_FALSE(tasks::FieldAt(L"a|b||d", 4));
  EXPECT_FALSE(tasks::FieldAt(L"a", -1));
  EXPECT_EQ(tasks::FieldAt(L"", 0), L"");
}

TEST(HandOffParameter, EmptyDocumentsAfterTakingOutEveryPrefix) {
  EXPECT_TRUE(tasks::IsEmptyDocument(L""));
  EXPECT_TRUE(tasks::IsEmptyDocument(L"http://"));
  EXPECT_TRUE(tasks::IsEmptyDocument(L"http://http://"));
  // One pass: a prefix that only forms when another is taken out stays.
  EXPECT_FALSE(tasks::IsEmptyDocument(L"hthttp://tp://"));
  EXPECT_FALSE(tasks::IsEmptyDocument(L"http:// "));
  // A scheme alone, in any case and with any number of slashes, names no page.
  for (const wchar_t* document : {L"HTTP://", L"https://", L"Https:", L"ftp://", L"file:///"})
    EXPECT_TRUE(tasks::IsEmptyDocument(document)) << document;
  for (const wchar_t* document : {L"https://a", L"file:///C:/a.html", L"mailto:", L"localhost:"})
    EXPECT_FALSE(tasks::IsEmptyDocument(document)) << document;
}

// Paths and queries are case-sensitive and most of the web is https: an address that names its
// scheme goes to Firefox as typed, a bare one after "http://", and nothing is lower-cased.
TEST(HandOffParameter, FirefoxGetsAddressesAsTypedOthersQuotedDocuments) {
  struct Case {
    const wchar_t* executable;
    const wchar_t* document;
    const wchar_t* parameter;
  };
  const Case cases[] = {
      {L"firefox.exe", L"https://Example.org/Docs/ReadMe.html?Lang=DE&Page=2",
       L"https://Example.org/Docs/ReadMe.html?Lang=DE&Page=2"},
      {L"firefox.exe", L"HTTPS://Secure.Example/", L"HTTPS://Secure.Example/"},
      {L"FireFox.EXE", L"Http://WWW.Example.COM/", L"Http://WWW.Example.COM/"},
      {L"firefox.exe", L"http://a.b/C", L"http://a.b/C"},
      {L"firefox.exe", L"ftp://Files.Example.org/Pub/ReadMe.TXT", L"ftp://Files.Example.org/Pub/ReadMe.TXT"},
      // A dropped web page comes as its file URL.
      {L"firefox.exe", L"file:///C:/Pages/Report.html", L"file:///C:/Pages/Report.html"},
      {L"firefox.exe", L"FILE:///C:/Pages/Report.html", L"FILE:///C:/Pages/Report.html"},
      // A path typed in goes as the file URL a dropped page gets.
      {L"firefox.exe", L"C:\\Pages\\Report.html", L"file:///C:/Pages/Report.html"},
      {L"firefox.exe", L"d:/Site/Index.htm", L"file:///d:/Site/Index.htm"},
      {L"firefox.exe", L"\\\\Server\\Share\\Page.htm", L"file://Server/Share/Page.htm"},
      // Bare addresses, also where something that is no scheme of these stands before a colon.
      {L"firefox.exe", L"WWW.Example.COM/Page", L"http://WWW.Example.COM/Page"},
      {L"firefox.exe", L"example.org/page", L"http://example.org/page"},
      {L"firefox.exe", L"ÄRZTE.DE", L"http://ÄRZTE.DE"},
      {L"firefox.exe", L"localhost:8080/Start", L"http://localhost:8080/Start"},
      {L"firefox.exe", L"https.example.org", L"http://https.example.org"},
      {L"firefox.exe", L"", L"http://"},
      // Internet Explorer, as every other host, gets the text in quotes as typed.
      {L"iexplore.exe", L"https://Example.org/Docs/ReadMe.html?Lang=DE",
       L"\"https://Example.org/Docs/ReadMe.html?Lang=DE\""},
      {L"iexplore.exe", L"WWW.Example.COM", L"\"WWW.Example.COM\""},
      {L"winword.exe", L"C:\\My Documents\\Report 1.doc", L"\"C:\\My Documents\\Report 1.doc\""},
      {L"C:\\Programs\\firefox.exe", L"Example.com", L"\"Example.com\""},  // only the bare name is Firefox
      {L"winword.exe", L"", L""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(tasks::HostParameter(c.executable, c.document), c.parameter) << c.executable << " " << c.document;
}

TEST(HandOffParameter, OnlyHttpHttpsFtpAndFileCountAsSchemes) {
  for (const wchar_t* address : {L"http:", L"HTTPS://a", L"Ftp://a", L"file:///C:/a.html", L"fIlE:C:/a.html"})
    EXPECT_TRUE(tasks::NamesScheme(address)) << address;
  for (const wchar_t* address :
       {L"", L"http", L"www.example.com", L"C:\\Pages\\Report.html", L"mailto:someone@example.org",
        L"httpx://a", L"ttp://a", L" http://a", L"localhost:80"})
    EXPECT_FALSE(tasks::NamesScheme(address)) << address;
}

TEST(HandOffParameter, DocxRefusedOnlyForTheTranslatorAndItsLiteEdition) {
  EXPECT_TRUE(tasks::NeedsWord2007(L"Vnto", L"\"C:\\a.docx\""));
  EXPECT_TRUE(tasks::NeedsWord2007(L"VNTOX", L"\"C:\\a.docx\""));
  EXPECT_TRUE(tasks::NeedsWord2007(L"vnto", L"\"C:\\a.docx.bak\""));
  EXPECT_FALSE(tasks::NeedsWord2007(L"Vnto", L"\"C:\\a.DOCX\""));
  EXPECT_FALSE(tasks::NeedsWord2007(L"VntoI", L"\"C:\\a.docx\""));
  EXPECT_FALSE(tasks::NeedsWord2007(L"Word", L"\"C:\\a.docx\""));
  EXPECT_FALSE(tasks::NeedsWord2007(L"Vnto", L"\"C:\\a.doc\""));
  EXPECT_EQ(tasks::WriterParameter(L"\"C:\\a b.odt\""), L"-swriter \"C:\\a b.odt\"");
}

}  // namespace
