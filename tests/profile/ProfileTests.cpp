// What the start centre reads from a loaded profile: lookups, defaults, duplicates, enumeration
// order, texts beyond ASCII, loading from disk, and the writer's item order.

#include <gtest/gtest.h>

#include <fstream>

#include "StreamBytes.h"
#include "profile/CryptedProfile.h"
#include "profile/ProfileWriter.h"

namespace {

CXCryptedProfileW LoadStream(const StreamBytes& s) {
  CXCryptedProfileW profile;
  EXPECT_TRUE(profile.LoadFromBytes(ReferenceFile(s)));
  EXPECT_TRUE(profile.LastLoad().stream.Complete());
  return profile;
}

TEST(Profile, LaterDuplicatesReplaceEarlierOnes) {
  StreamBytes s;
  s.Int(3);
  s.Text(u"Menu").Int(2).Key(u"old", 'H').Int(1).Key(u"shared", 'H').Int(2);
  s.Text(u"Keys").Int(4);
  s.Key(u"b", 'S').Text(u"first b").Key(u"a", 'H').Int(10);
  s.Key(u"b", 'S').Text(u"second b").Key(u"c", 'X');
  s.Text(u"Menu").Int(1).Key(u"shared", 'H').Int(3);
  const CXCryptedProfileW profile = LoadStream(s);

  EXPECT_EQ(profile.SectionCount(), 2u);
  // The second "Menu" replaced the first as a whole.
  EXPECT_EQ(profile.SectionEntryCount(L"Menu"), 1u);
  EXPECT_EQ(profile.GetInt(L"Menu", L"old", -1), -1);
  EXPECT_EQ(profile.GetInt(L"Menu", L"shared", -1), 3);
  // A repeated key takes the later value and keeps its first place.
  EXPECT_EQ(profile.SectionEntryCount(L"Keys"), 3u);
  EXPECT_EQ(profile.GetString(L"Keys", L"b"), L"second b");
  const std::wstring order[] = {L"b", L"a", L"c"};
  for (std::size_t i = 0; i < 3; ++i) EXPECT_EQ(profile.KeyAt(L"Keys", i), order[i]);
  EXPECT_EQ(profile.KeyAt(L"Keys", 3), L"");
  EXPECT_EQ(profile.KeyAt(L"None", 0), L"");
  EXPECT_EQ(profile.SectionEntryCount(L"None"), 0u);
  EXPECT_EQ(profile.SectionEntryCount(L"keys"), 0u);  // names are case-sensitive
}

TEST(Profile, ValuesReadAsIntegersAndTexts) {
  StreamBytes s;
  s.Int(1).Text(u"V").Int(10);
  s.Key(u"h", 'H').Int(-5);
  s.Key(u"b", 'B').Dword(0xFFFFFFFF);
  s.Key(u"s", 'S').Text(u"AB");
  s.Key(u"empty", 'S').Text(u"");
  s.Key(u"nul", 'S').Text(std::u16string_view(u"ab\0cd", 5));
  s.Key(u"g2", 'G').Block({0x34, 0x12});
  s.Key(u"g3", 'G').Block({0x41, 0x00, 0x42});
  s.Key(u"g0", 'G').Block({});
  s.Key(u"x", 'X');
  s.Key(u"textint", 'H').Int(0x00420041);
  const CXCryptedProfileW p = LoadStream(s);

  struct Case {
    const wchar_t* key;
    std::int32_t asInt;  // with default 99
    std::wstring asText;
  };
  const Case cases[] = {
      {L"h", -5, W(u"\xFFFB\xFFFF")},
      {L"b", -1, W(u"\xFFFF\xFFFF")},
      {L"s", 0x00420041, L"AB"},      // the first two UTF-16 units
      {L"empty", 0, L""},             // only the terminating zero unit
      {L"nul", 0x00620061, L"ab"},    // a text ends at its first zero unit
      {L"g2", 0x1234, W(u"\x1234")},  // shorter than 4 bytes: zero-extended
      {L"g3", 0x00420041 & 0xFFFFFF, L"A"},
      {L"g0", 99, L""},  // no value bytes
      {L"x", 99, L""},   // a type code without a value
      {L"textint", 0x00420041, L"AB"},
      {L"missing", 99, L""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "key " << std::string(c.key, c.key + std::wcslen(c.key)));
    EXPECT_EQ(p.GetInt(L"V", c.key, 99), c.asInt);
    EXPECT_EQ(p.GetString(L"V", c.key), c.asText);
  }
  EXPECT_EQ(p.GetInt(L"missing", L"h", 77), 77);
  EXPECT_EQ(p.GetString(L"missing", L"s"), L"");
}

TEST(Profile, TextsBeyondAsciiComeBackUnitForUnit) {
  const std::u16string section = u"Меню";
  const std::u16string key = u"Пункт";
  const std::u16string value = u"Перевод 😀 \xD800 end";  // a surrogate pair and a lone one
  StreamBytes s;
  s.Int(1).Text(section).Int(1).Key(key, 'S').Text(value);
  const CXCryptedProfileW p = LoadStream(s);
  EXPECT_EQ(p.KeyAt(W(section), 0), W(key));
  EXPECT_EQ(p.GetString(W(section), W(key)), W(value));
}

TEST(Profile, CreateIfMissing) {
  TempDir dir;
  const auto missing = dir.Path() / "Startdeck.inf";
  CXCryptedProfileW p;
  EXPECT_FALSE(p.Load(missing, false));
  EXPECT_FALSE(std::filesystem::exists(missing));

  ASSERT_TRUE(p.Load(missing, true));
  EXPECT_EQ(p.Path(), missing);
  EXPECT_EQ(p.SectionCount(), 0u);
  ASSERT_TRUE(std::filesystem::exists(missing));
  EXPECT_EQ(std::filesystem::file_size(missing), 0u);

  // The created file is empty, not a profile: loading it as one fails.
  EXPECT_FALSE(p.Load(missing, true));
  EXPECT_EQ(p.LastLoad().status, inf::FileStatus::ShortHeader);
  // Something that exists but cannot be read as a file is never replaced.
  EXPECT_FALSE(p.Load(dir.Path(), true));
  EXPECT_TRUE(std::filesystem::is_directory(dir.Path()));
}

// A file of several read blocks, written by the writer and read from disk: the writer and the
// reader agree, and the last entry (beyond the first blocks) is there.
TEST(Profile, LoadsALargeFileFromDisk) {
  inf::ProfileDocument doc;
  for (int s = 0; s < 40; ++s) {
    inf::DocumentSection& section = doc.sections.emplace_back();
    section.name = L"Section" + std::to_wstring(s);
    for (int e = 0; e < 30; ++e)
      section.entries.push_back(
          {L"Key" + std::to_wstring(e), 'S', L"Value " + std::to_wstring(s * 100 + e), 0, {}});
  }
  TempDir dir;
  const auto path = dir.Write("big.inf", inf::WriteProfileFile(doc, {0x1234, 0x5679, 0x9ABC}));
  ASSERT_GT(std::filesystem::file_size(path), 3u * 4096);
  CXCryptedProfileW p;
  ASSERT_TRUE(p.Load(path, false));
  EXPECT_EQ(p.Path(), path);
  EXPECT_EQ(p.SectionCount(), 40u);
  EXPECT_EQ(p.GetString(L"Section39", L"Key29"), L"Value 3929");
  EXPECT_EQ(p.KeyAt(L"Section0", 29), L"Key29");
}

// The writer lays items out in exactly the documented order, whatever the value kind.
TEST(Profile, WriterEmitsItemsInOrder) {
  // Where wchar_t has 32 bits a program may hold U+1F600 as one character; it must still be
  // written as its surrogate pair.
  std::wstring face = W(u"\xD83D\xDE00");
  if constexpr (sizeof(wchar_t) == 4) face = std::wstring(1, static_cast<wchar_t>(0x1F600));
  inf::ProfileDocument doc;
  doc.sections.push_back({L"A",
                          {{L"s", 'S', L"x" + face, 0, {}},
                           {L"h", 'H', L"", 0xFFFFFFFE, {}},
                           {L"b", 'B', L"", 7, {}},
                           {L"g", 'G', L"", 0, {5, 6}},
                           {L"q", 'q', L"", 0, {}}}});
  doc.sections.push_back({L"", {}});
  StreamBytes expected;
  expected.Raw({0, 0, 0, 0}).Int(2).Text(u"A").Int(5);
  expected.Key(u"s", 'S').Raw({1, 3, 0, 0, 0, 'x', 0, 0x3D, 0xD8, 0x00, 0xDE});
  expected.Key(u"h", 'H').Int(-2).Key(u"b", 'B').Dword(7);
  expected.Key(u"g", 'G').Block({5, 6}).Key(u"q", 'q');
  expected.Text(u"").Int(0);
  EXPECT_EQ(inf::SerializeStream(doc).Bytes(), expected.bytes);
  EXPECT_EQ(inf::WriteProfileFile(doc, {1, 2, 3}),
            ReferenceFile(std::span(expected.bytes).subspan(4), 1, 2, 3));
}

}  // namespace
