// Scrambling and unscrambling of a profile body, against bytes worked out by hand and against the
// byte-at-a-time reference over many lengths and keystream shapes.

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "StreamBytes.h"
#include "profile/CryptedBuffer.h"
#include "profile/CryptedProfile.h"

namespace {

// Worked by hand, A = 0x0105, B = 0x0203, C = 0x0307: only the low bytes 5, 3 and 7 count, so
// k4 = 3 + 7*5 = 38 = 0x26, k5 = 3 + 38*5 = 193 = 0xC1, k6 = 3 + 193*5 = 968 mod 256 = 0xC8,
// k7 = 3 + 200*5 = 1003 mod 256 = 0xEB, k8 = 3 + 235*5 = 1178 mod 256 = 0x9A, and on:
//   k4.. = 26 C1 C8 EB 9A 05 1C 8F CE 09 30 F3 C2 CD 04 17 76 51 98 FB EA 95 EC 9F 1E 99 00 03 12
//          5D D4 27 C6 E1
// "No sections" is the integer item 02 00000000: sum 2, OR 2, salt 2, so
//   body = 1A 02 02 02, then 02^26^02 = 26, 00^C1^02 = C3, 00^C8^02 = CA, E9, 98.
// One section "A" with the 'H' entry "K" = 42 is the 34-byte stream
//   02 01000000 | 01 01000000 4100 | 02 01000000 | 01 01000000 4B00 | 02 48000000 | 02 2A000000
// with sum 0x0C (268 mod 256) and OR 0x6B; each byte is XORed with k and the salt 0x0C.
struct HandExample {
  const char* name;
  Bytes plain;      // check bytes, then the stream
  Bytes scrambled;  // the body as stored
};

const HandExample kHandExamples[] = {
    {"no sections",
     {0, 0, 0, 0, 0x02, 0x00, 0x00, 0x00, 0x00},
     {0x1A, 0x02, 0x02, 0x02, 0x26, 0xC3, 0xCA, 0xE9, 0x98}},
    {"one entry",
     {0,    0,    0,    0,    0x02, 0x01, 0x00, 0x00, 0x00, 0x01, 0x01, 0x00, 0x00,
      0x00, 0x41, 0x00, 0x02, 0x01, 0x00, 0x00, 0x00, 0x01, 0x01, 0x00, 0x00, 0x00,
      0x4B, 0x00, 0x02, 0x48, 0x00, 0x00, 0x00, 0x02, 0x2A, 0x00, 0x00, 0x00},
     {0x1A, 0x0C, 0x6B, 0x0C, 0x28, 0xCC, 0xC4, 0xE7, 0x96, 0x08, 0x11, 0x83, 0xC2,
      0x05, 0x7D, 0xFF, 0xCC, 0xC0, 0x08, 0x1B, 0x7A, 0x5C, 0x95, 0xF7, 0xE6, 0x99,
      0xAB, 0x93, 0x10, 0xDD, 0x0C, 0x0F, 0x1E, 0x53, 0xF2, 0x2B, 0xCA, 0xED}},
};

constexpr inf::StreamParams kHandParams{0x0105, 0x0203, 0x0307};

TEST(Scramble, MatchesHandComputedBytes) {
  for (const HandExample& ex : kHandExamples) {
    SCOPED_TRACE(ex.name);
    CXCryptedBufferW scrambled(ex.plain);
    scrambled.Scramble(kHandParams);
    EXPECT_EQ(scrambled.Bytes(), ex.scrambled);

    CXCryptedBufferW body(ex.scrambled);
    ASSERT_EQ(body.Unscramble(kHandParams), CXCryptedBufferW::Check::Ok);
    EXPECT_EQ(Bytes(body.Bytes().begin() + 4, body.Bytes().end()),
              Bytes(ex.plain.begin() + 4, ex.plain.end()));
  }
}

TEST(Scramble, HandComputedFileLoads) {
  const Bytes header = {0x1A, 0x1A, 0x05, 0x01, 0x03, 0x02, 0x07, 0x03, 0, 0, 0, 0, 0, 0, 0, 0};
  Bytes file = header;
  file.insert(file.end(), kHandExamples[1].scrambled.begin(), kHandExamples[1].scrambled.end());
  CXCryptedProfileW profile;
  ASSERT_TRUE(profile.LoadFromBytes(file));
  EXPECT_EQ(profile.SectionCount(), 1u);
  EXPECT_EQ(profile.GetInt(L"A", L"K", -1), 42);
  EXPECT_EQ(profile.LastLoad().stream.fault, inf::StreamFault::None);
}

// The bulk codec must agree with the byte-at-a-time reference whatever the keystream looks like:
// a full 256-value cycle, short cycles, a lead-in that falls into a fixed point, a constant key,
// and at lengths around word and table boundaries. All-0xFF data drives the checksum lanes to
// their limit.
TEST(Scramble, AgreesWithReferenceAcrossKeystreamsAndLengths) {
  const inf::StreamParams params[] = {
      {0x0A45, 0x1C33, 0x5A17},  // full cycle
      {5, 3, 7},                 // the hand example
      {2, 1, 0},                 // 1, 3, 7, ... 255, then 255 for ever
      {4, 0, 1},                 // 4, 16, 64, 0, then 0 for ever
      {0, 0, 0},                 // constant zero key
      {1, 128, 9},               // period 2
      {0xFFFF, 0xFFFF, 0xFFFF},
  };
  const std::size_t lengths[] = {0, 1, 7, 8, 9, 255, 256, 257, 1031, 4095, 4096, 4097, 4353, 70001};
  std::mt19937 random(12345);
  for (const inf::StreamParams& p : params) {
    for (std::size_t length : lengths) {
      for (bool allOnes : {false, true}) {
        SCOPED_TRACE(testing::Message() << "A=" << p.a << " B=" << p.b << " C=" << p.c << " length=" << length
                                        << " allOnes=" << allOnes);
        Bytes plain(length);
        for (auto& b : plain) b = allOnes ? 0xFF : static_cast<std::uint8_t>(random());
        const Bytes expected = ReferenceFile(plain, p.a, p.b, p.c);

        Bytes body(4, 0);
        body.insert(body.end(), plain.begin(), plain.end());
        CXCryptedBufferW buffer(body);
        buffer.Scramble(p);
        ASSERT_TRUE(
            std::equal(buffer.Bytes().begin(), buffer.Bytes().end(), expected.begin() + 16, expected.end()));
        ASSERT_EQ(buffer.Unscramble(p), CXCryptedBufferW::Check::Ok);
        ASSERT_TRUE(std::equal(plain.begin(), plain.end(), buffer.Bytes().begin() + 4));
      }
    }
  }
}

}  // namespace
