// Bodies that verify but whose item stream is malformed or claims hostile counts: the load
// succeeds, keeps everything read whole before the fault, and never reads or reserves beyond the
// data (the sanitizer build of these tests catches any over-read).

#include <gtest/gtest.h>

#include "StreamBytes.h"
#include "profile/CryptedProfile.h"

namespace {

using inf::StreamFault;

constexpr std::int32_t kHuge = 0x7FFFFFFF;

// A section "S1" whose first entry "k1" = 7 is complete; the cases below go wrong after it.
StreamBytes Start(std::int32_t sections, std::int32_t entries) {
  StreamBytes s;
  s.Int(sections).Text(u"S1").Int(entries).Key(u"k1", 'H').Int(7);
  return s;
}

TEST(MalformedStream, KeepsWhatWasReadWhole) {
  struct Case {
    const char* name;
    StreamBytes stream;
    StreamFault fault;
    std::size_t sections;  // sections kept
    std::size_t entries;   // entries kept in "S1"
  };
  const Case cases[] = {
      {"empty stream", StreamBytes(), StreamFault::EndOfData, 0, 0},
      {"section count of the wrong kind", StreamBytes().Dword(1), StreamFault::WrongTag, 0, 0},
      {"negative section count", StreamBytes().Int(-1), StreamFault::NegativeCount, 0, 0},
      {"negative entry count", StreamBytes().Int(1).Text(u"S1").Int(-5), StreamFault::NegativeCount, 0, 0},
      {"fewer sections than declared", Start(2, 1), StreamFault::EndOfData, 1, 1},
      {"fewer entries than declared", Start(1, 3), StreamFault::EndOfData, 1, 1},
      {"2^31-1 sections", Start(kHuge, 1), StreamFault::EndOfData, 1, 1},
      {"2^31-1 entries", Start(1, kHuge), StreamFault::EndOfData, 1, 1},
      {"key of 2^31-1 units", Start(1, 2).Raw({1}).Le32(kHuge).Raw({'k', 0}), StreamFault::LengthBeyondData,
       1, 1},
      {"text value of 2^31-1 units", Start(1, 2).Key(u"k2", 'S').Raw({1}).Le32(kHuge),
       StreamFault::LengthBeyondData, 1, 1},
      {"block of 2^31-1 bytes", Start(1, 2).Key(u"k2", 'G').Raw({4}).Le32(kHuge).Raw({1, 2}),
       StreamFault::LengthBeyondData, 1, 1},
      {"negative text length", Start(1, 2).Raw({1}).Le32(0x80000000), StreamFault::NegativeCount, 1, 1},
      {"negative block length", Start(1, 2).Key(u"k2", 'G').Raw({4}).Le32(0xFFFFFFFF),
       StreamFault::NegativeCount, 1, 1},
      {"'S' entry with an integer value", Start(1, 2).Key(u"k2", 'S').Int(5), StreamFault::WrongTag, 1, 1},
      {"'H' entry with a tag-3 value", Start(1, 2).Key(u"k2", 'H').Dword(5), StreamFault::WrongTag, 1, 1},
      {"type code cut off", Start(1, 2).Text(u"k2").Raw({2, 'S', 0}), StreamFault::Truncated, 1, 1},
      {"unknown tag", Start(1, 2).Raw({9, 0, 0, 0, 0}), StreamFault::WrongTag, 1, 1},
      {"bytes after the last section", Start(1, 1).Raw({0, 0}), StreamFault::TrailingBytes, 1, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CXCryptedProfileW profile;
    ASSERT_TRUE(profile.LoadFromBytes(ReferenceFile(c.stream)));
    EXPECT_EQ(profile.LastLoad().stream.fault, c.fault);
    EXPECT_EQ(profile.SectionCount(), c.sections);
    EXPECT_EQ(profile.SectionEntryCount(L"S1"), c.entries);
    if (c.entries > 0) {
      EXPECT_EQ(profile.GetInt(L"S1", L"k1", -1), 7);
    }
  }
}

TEST(MalformedStream, ReportsWhereAndWhat) {
  StreamBytes s = Start(1, 2);
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
