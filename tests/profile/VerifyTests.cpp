// Files that must not load: damaged headers and check bytes, and truncation at every length.

#include <gtest/gtest.h>

#include <functional>

#include "StreamBytes.h"
#include "profile/CryptedProfile.h"

namespace {

using inf::FileStatus;

// Two sections of realistic content, with every kind of value.
StreamBytes SampleStream() {
  StreamBytes s;
  s.Int(2);
  s.Text(u"settings").Int(4);
  s.Key(u"Title", 'S').Text(u"PROMT Professional");
  s.Key(u"LangID", 'H').Int(1049);
  s.Key(u"Flags", 'B').Dword(0x80000001);
  s.Key(u"Icon", 'G').Block({0xDE, 0xAD, 0xBE, 0xEF});
  s.Text(u"Menu1").Int(3);
  s.Key(u"Item1", 'S').Text(u"Перевод документов");
  s.Key(u"Item2", 'S').Text(u"Translate a web page");
  s.Key(u"Separator", 'X');
  return s;
}

TEST(Verify, DamagedFilesFailToLoad) {
  const Bytes good = ReferenceFile(SampleStream());
  struct Case {
    const char* name;
    std::function<void(Bytes&)> damage;
    FileStatus expected;
  };
  const Case cases[] = {
      {"checksum one more", [](Bytes& f) { ++f[17]; }, FileStatus::BadChecksum},
      {"checksum one less", [](Bytes& f) { --f[17]; }, FileStatus::BadChecksum},
      {"OR byte wrong", [](Bytes& f) { f[18] ^= 0x80; }, FileStatus::BadOrByte},
      {"marker wrong", [](Bytes& f) { f[16] = 0x1B; }, FileStatus::BadMarker},
      {"a stream byte flipped", [](Bytes& f) { f[40] ^= 0x01; }, FileStatus::BadChecksum},
      {"bad magic", [](Bytes& f) { f[1] = 0x1B; }, FileStatus::BadMagic},
      {"header only", [](Bytes& f) { f.resize(16); }, FileStatus::NoBody},
      {"short header", [](Bytes& f) { f.resize(15); }, FileStatus::ShortHeader},
      {"empty file", [](Bytes& f) { f.clear(); }, FileStatus::ShortHeader},
  };
  CXCryptedProfileW profile;
  ASSERT_TRUE(profile.LoadFromBytes(good));
  EXPECT_EQ(profile.SectionCount(), 2u);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Bytes file = good;
    c.damage(file);
    EXPECT_FALSE(profile.LoadFromBytes(file));
    EXPECT_EQ(profile.LastLoad().status, c.expected);
    EXPECT_EQ(profile.SectionCount(), 0u);  // nothing of an earlier load survives
  }
}

// Cut a real file at every length, reading it from disk. A cut body verifies only when the sum and
// OR of what is left happen to match the stored ones; then whatever loads must be a part of the
// original. Most cuts must fail.
TEST(Verify, TruncationAtEveryLength) {
  const StreamBytes stream = SampleStream();
  const Bytes good = ReferenceFile(stream);
  CXCryptedProfileW whole;
  ASSERT_TRUE(whole.LoadFromBytes(good));

  TempDir dir;
  std::size_t verified = 0;
  for (std::size_t length = 0; length < good.size(); ++length) {
    SCOPED_TRACE(testing::Message() << "length " << length);
    const Bytes cut(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(length));
    std::uint8_t sum = 0;
    std::uint8_t orBits = 0;
    for (std::size_t i = 20; i < length; ++i) {
      sum = static_cast<std::uint8_t>(sum + stream.bytes[i - 20]);
      orBits |= stream.bytes[i - 20];
    }
    const bool shouldVerify = length >= 20 && sum == good[17] && orBits == good[18];

    CXCryptedProfileW fromMemory;
    CXCryptedProfileW fromDisk;
    const bool loaded = fromMemory.LoadFromBytes(cut);
    ASSERT_EQ(fromDisk.Load(dir.Write("cut.inf", cut), false), loaded);
    ASSERT_EQ(loaded, shouldVerify);
    if (length < 16) {
      EXPECT_EQ(fromMemory.LastLoad().status, FileStatus::ShortHeader);
    }
    if (!loaded) continue;
    ++verified;
    EXPECT_FALSE(fromMemory.LastLoad().stream.Complete());
    for (const wchar_t* section : {L"settings", L"Menu1"}) {
      for (std::size_t i = 0; i < fromMemory.SectionEntryCount(section); ++i) {
        const std::wstring key = fromMemory.KeyAt(section, i);
        EXPECT_EQ(key, whole.KeyAt(section, i));
        EXPECT_EQ(fromMemory.GetString(section, key), whole.GetString(section, key));
        EXPECT_EQ(fromMemory.GetInt(section, key, -1), whole.GetInt(section, key, -1));
      }
    }
  }
  EXPECT_LT(verified, good.size() / 20);
}

// A file whose last item is an empty text: cutting one to four bytes off removes only zero bytes of
// the plain stream, so the check bytes still match. The load keeps what came before the cut and says
// that the stream broke off inside an item; the whole file says nothing of the kind.
TEST(Verify, CutInsideTheLastEmptyTextPassesTheChecksButIsReported) {
  StreamBytes s;
  s.Int(1).Text(u"settings").Int(2);
  s.Key(u"FileName", 'S').Text(u"Startdeck");
  s.Key(u"Empty", 'S').Text(u"");
  const Bytes whole = ReferenceFile(s);

  TempDir dir;
  CXCryptedProfileW profile;
  ASSERT_TRUE(profile.Load(dir.Write("whole.inf", whole), false));
  EXPECT_TRUE(profile.LastLoad().stream.Complete());
  EXPECT_EQ(profile.SectionEntryCount(L"settings"), 2u);
  for (std::size_t cut = 1; cut <= 4; ++cut) {
    SCOPED_TRACE(testing::Message() << cut << " bytes cut");
    const Bytes file(whole.begin(), whole.end() - static_cast<std::ptrdiff_t>(cut));
    ASSERT_TRUE(profile.Load(dir.Write("cut.inf", file), false));
    EXPECT_FALSE(profile.LastLoad().stream.Complete());
    EXPECT_EQ(profile.LastLoad().stream.fault, inf::StreamFault::Truncated);
    EXPECT_EQ(profile.SectionEntryCount(L"settings"), 1u);
    EXPECT_EQ(profile.GetString(L"settings", L"FileName"), L"Startdeck");
  }
}

}  // namespace
