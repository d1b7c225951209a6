// Bodies that verify but whose item stream is malformed or claims hostile counts: the load
// succeeds, keeps everything read whole before the fault, and never reads or reserves beyond the
// data (the sanitizer build of these tests catches any over-read).

#include <gtest/gtest.h>

#include <functional>

#include "StreamBytes.h"
#include "profile/CryptedProfile.h"

namespace {

using inf::StreamFault;

struct MalformedCase {
  const char* name;
  std::function<void(StreamBytes&)> build;
  StreamFault fault;
  std::size_t sections;  // sections kept
  std::size_t entries;   // entries kept in section "S1" (when it exists)
};

constexpr std::int32_t kHuge = 0x7FFFFFFF;

// Every case starts from a section "S1" whose first entry "k1" = 7 is complete.
void GoodStart(StreamBytes& s, std::int32_t sections, std::int32_t entries) {
  s.Int(sections).Text(u"S1").Int(entries).Key(u"k1", 'H').Int(7);
}

const MalformedCase kCases[] = {
    {"empty stream", [](StreamBytes&) {}, StreamFault::EndOfData, 0, 0},
    {"section count of the wrong kind", [](StreamBytes& s) { s.Dword(1); }, StreamFault::WrongTag, 0, 0},
    {"negative section count", [](StreamBytes& s) { s.Int(-1); }, StreamFault::NegativeCount, 0, 0},
    {"negative entry count", [](StreamBytes& s) { s.Int(1).Text(u"S1").Int(-5); },
     StreamFault::NegativeCount, 0, 0},
    {"fewer sections than declared", [](StreamBytes& s) { GoodStart(s, 2, 1); },
     StreamFault::EndOfData, 1, 1},
    {"fewer entries than declared", [](StreamBytes& s) { GoodStart(s, 1, 3); },
     StreamFault::EndOfData, 1, 1},
    {"2^31-1 sections", [](StreamBytes& s) { GoodStart(s, kHuge, 1); }, StreamFault::EndOfData, 1, 1},
    {"2^31-1 entries", [](StreamBytes& s) { GoodStart(s, 1, kHuge); }, StreamFault::EndOfData, 1, 1},
    {"key of 2^31-1 units",
     [](StreamBytes& s) { GoodStart(s, 1, 2); s.Raw({1}).Le32(kHuge).Raw({'k', 0}); },
     StreamFault::LengthBeyondData, 1, 1},
    {"text value of 2^31-1 units",
     [](StreamBytes& s) { GoodStart(s, 1, 2); s.Key(u"k2", 'S').Raw({1}).Le32(kHuge); },
     StreamFault::LengthBeyondData, 1, 1},
    {"block of 2^31-1 bytes",
     [](StreamBytes& s) { GoodStart(s, 1, 2); s.Key(u"k2", 'G').Raw({4}).Le32(kHuge).Raw({1, 2}); },
     StreamFault::LengthBeyondData, 1, 1},
    {"negative text length",
     [](StreamBytes& s) { GoodStart(s, 1, 2); s.Raw({1}).Le32(0x80000000); },
     StreamFault::NegativeCount, 1, 1},
    {"'S' entry with an integer value",
     [](StreamBytes& s) { GoodStart(s, 1, 2); s.Key(u"k2", 'S').Int(5); }, StreamFault::WrongTag, 1, 1},
    {"'H' entry with a tag-3 value",
     [](StreamBytes& s) { GoodStart(s, 1, 2); s.Key(u"k2", 'H').Dword(5); }, StreamFault::WrongTag, 1, 1},
    {"type code cut off",
     [](StreamBytes& s) { GoodStart(s, 1, 2); s.Text(u"k2").Raw({2, 'S', 0}); },
     StreamFault::Truncated, 1, 1},
    {"unknown tag", [](StreamBytes& s) { GoodStart(s, 1, 2); s.Raw({9, 0, 0, 0, 0}); },
     StreamFault::WrongTag, 1, 1},
    {"bytes after the last section", [](StreamBytes& s) { GoodStart(s, 1, 1); s.Raw({0, 0}); },
     StreamFault::TrailingBytes, 1, 1},
};

TEST(MalformedStream, KeepsWhatWasReadWhole) {
  for (const MalformedCase& c : kCases) {
    SCOPED_TRACE(c.name);
    StreamBytes s;
    c.build(s);
    CXCryptedProfileW profile;
    ASSERT_TRUE(profile.LoadFromBytes(ReferenceFile(s)));
    EXPECT_EQ(profile.LastLoad().stream.fault, c.fault);
    EXPECT_EQ(profile.SectionCount(), c.sections);
    EXPECT_EQ(profile.SectionEntryCount(L"S1"), c.entries);
    if (c.entries > 0) {
      EXPECT_EQ(profile.GetInt(L"S1", L"k1", -1), 7);
    }
  }
}

TEST(MalformedStream, ReportsWhereAndWhat) {
  StreamBytes s;
  GoodStart(s, 1, 2);
  const std::size_t at = 4 + s.bytes.size();  // body offset of the damaged key
  s.Raw({1}).Le32(kHuge);
  CXCryptedProfileW profile;
  ASSERT_TRUE(profile.LoadFromBytes(ReferenceFile(s)));
  const inf::StreamError& e = profile.LastLoad().stream;
  EXPECT_EQ(e.offset, at);
  EXPECT_EQ(e.count, kHuge);
  EXPECT_EQ(inf::Describe(e),
            "length 2147483647 runs past the end of the data at body offset " + std::to_string(at));
}

}  // namespace
