// The host table and the rules that turn kinds, tokens and documents into what the hand-off starts.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "tasks/HandOffParameter.h"
#include "tasks/HostTable.h"

namespace {

using tasks::HostTable;

// What the table does beyond its rows: the machine's paths, the Office position, and what has no host.
TEST(HostTable, TargetsComposeMachinePathsAndFollowTheOfficePosition) {
  const HostTable table(L"C:\\Program Files", L"D:\\Skype\\Phone\\Skype.exe");
  struct Case {
    int kind;
    int office;
    const wchar_t* executable;
    const wchar_t* key;
    const wchar_t* verb;
  };
  const Case cases[] = {
      {4, 0, L"winword.exe", L"Word", L"open"},
      {64, 1, L"outlook.exe", L"Outlook", L""},  // Outlook takes no verb
      {32, 3, L"powerpnt.exe", L"PowerPoint", L"open"},
      {512, 2, L"iexplore.exe", L"VntoIE", L"open"},  // the Office position matters only to Office kinds
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
  // An Office record without a sub-application or past the four, a kind nobody has, no kind at all.
  for (const auto& [kind, office] :
       {std::pair{4, -1}, {64, 4}, {16384, 0}, {8, 0}, {3, 0}, {0, -1}, {-1, -1}})
    EXPECT_FALSE(table.TargetOfKind(kind, office)) << "kind " << kind << " office " << office;
  EXPECT_EQ(HostTable(L"C:\\Programs", L"").TargetOfKind(8192, -1)->executable, L"");
}

TEST(KindsOfToken, OfficeTokensSetTheSubApplicationSuiteTokensWantNothing) {
  struct Case {
    const wchar_t* token;
    std::vector<int> kinds;
    int office;
  };
  const Case cases[] = {
      {L"word", {2, 4, 32, 64}, 0},  // any case; the ED templates (16, 128) are not offered
      {L"PowerPoint", {2, 4, 32, 64}, 3},
      {L"VantoSkype", {8192}, -1},
      {L"Vnto", {}, -1},
      {L"VntoICQ", {}, -1},
      {L"", {}, -1},
  };
  for (const Case& c : cases) {
    const tasks::TokenKinds kinds = tasks::KindsOfToken(c.token);
    EXPECT_EQ(kinds.kinds, c.kinds) << c.token;
    EXPECT_EQ(kinds.officeApplication, c.office) << c.token;
  }
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
    EXPECT_EQ(tasks::HostParameter(c.executable, c.document), c.parameter)
        << c.executable << " " << c.document;
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
  EXPECT_TRUE(tasks::NeedsWord2007(L"Vnto", L"\"C:\\a.DOCX\""));
  // The document's own extension decides, not a folder's name or a longer extension.
  EXPECT_FALSE(tasks::NeedsWord2007(L"vnto", L"\"C:\\a.docx.bak\""));
  EXPECT_FALSE(tasks::NeedsWord2007(L"vnto", L"\"C:\\old.docx\\a.doc\""));
  EXPECT_FALSE(tasks::NeedsWord2007(L"VntoI", L"\"C:\\a.docx\""));
  EXPECT_FALSE(tasks::NeedsWord2007(L"Word", L"\"C:\\a.docx\""));
  EXPECT_FALSE(tasks::NeedsWord2007(L"Vnto", L"\"C:\\a.doc\""));
  EXPECT_EQ(tasks::WriterParameter(L"\"C:\\a b.odt\""), L"-swriter \"C:\\a b.odt\"");
}

}  // namespace
