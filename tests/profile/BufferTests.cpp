// Item layout of CXCryptedBufferW against hand-written bytes, and its reads on damaged items.

#include <gtest/gtest.h>

#include <functional>

#include "StreamBytes.h"
#include "profile/CryptedBuffer.h"

namespace {

using Read = CXCryptedBufferW::Read;

struct WriteCase {
  const char* name;
  std::function<void(CXCryptedBufferW&)> write;
  Bytes expected;
};

std::wstring SmilingFace() {
  // Where wchar_t has 32 bits a program may hold U+1F600 as one character; it must still be
  // written as its surrogate pair.
  if constexpr (sizeof(wchar_t) == 4) return std::wstring(1, static_cast<wchar_t>(0x1F600));
  return W(u"\xD83D\xDE00");
}

TEST(CryptedBuffer, WritesItemsByteForByte) {
  const WriteCase cases[] = {
      {"text", [](auto& b) { b.WriteText(L"Ab"); }, {1, 2, 0, 0, 0, 'A', 0, 'b', 0}},
      {"empty text", [](auto& b) { b.WriteText(L""); }, {1, 0, 0, 0, 0}},
      {"Cyrillic", [](auto& b) { b.WriteText(W(u"Я")); }, {1, 1, 0, 0, 0, 0x2F, 0x04}},
      {"non-BMP", [](auto& b) { b.WriteText(SmilingFace()); }, {1, 2, 0, 0, 0, 0x3D, 0xD8, 0x00, 0xDE}},
      {"integer", [](auto& b) { b.WriteInt(-2); }, {2, 0xFE, 0xFF, 0xFF, 0xFF}},
      {"dword", [](auto& b) { b.WriteDword(0x01020304); }, {3, 4, 3, 2, 1}},
      {"block",
       [](auto& b) {
         b.WriteBlock(Bytes{9, 8});
       },
       {4, 2, 0, 0, 0, 9, 8}},
  };
  for (const WriteCase& c : cases) {
    SCOPED_TRACE(c.name);
    CXCryptedBufferW buffer;
    c.write(buffer);
    EXPECT_EQ(buffer.Bytes(), c.expected);
  }
}

TEST(CryptedBuffer, ReadsEachKindAndStopsAtTheEnd) {
  StreamBytes s;
  s.Text(u"Zß").Int(-7).Dword(0xFFFFFFFE).Block({1, 2, 3});
  CXCryptedBufferW buffer(s.bytes);
  std::wstring text;
  std::int32_t i = 0;
  std::uint32_t d = 0;
  std::span<const std::uint8_t> block;
  ASSERT_EQ(buffer.ReadText(text), Read::Ok);
  EXPECT_EQ(text, W(u"Zß"));
  ASSERT_EQ(buffer.ReadInt(i), Read::Ok);
  EXPECT_EQ(i, -7);
  ASSERT_EQ(buffer.ReadDword(d), Read::Ok);
  EXPECT_EQ(d, 0xFFFFFFFEu);
  ASSERT_EQ(buffer.ReadBlock(block), Read::Ok);
  EXPECT_EQ(Bytes(block.begin(), block.end()), (Bytes{1, 2, 3}));
  EXPECT_EQ(buffer.ReadInt(i), Read::EndOfData);
}

// A read that fails reports why and leaves the position on the item.
TEST(CryptedBuffer, DamagedItemsFailWithoutMoving) {
  struct Case {
    const char* name;
    Bytes bytes;
    std::function<Read(CXCryptedBufferW&)> read;
    Read expected;
  };
  auto text = [](CXCryptedBufferW& b) {
    std::wstring t;
    return b.ReadText(t);
  };
  auto block = [](CXCryptedBufferW& b) {
    std::span<const std::uint8_t> s;
    return b.ReadBlock(s);
  };
  auto integer = [](CXCryptedBufferW& b) {
    std::int32_t v;
    return b.ReadInt(v);
  };
  const Case cases[] = {
      {"empty", {}, integer, Read::EndOfData},
      {"integer where a dword is", {3, 1, 0, 0, 0}, integer, Read::WrongTag},
      {"integer cut off", {2, 1, 0}, integer, Read::Truncated},
      {"text count cut off", {1, 1}, text, Read::Truncated},
      {"text longer than the data", {1, 2, 0, 0, 0, 'a', 0, 'b'}, text, Read::LengthBeyondData},
      {"text of 2^31-1 units", {1, 0xFF, 0xFF, 0xFF, 0x7F, 'a', 0}, text, Read::LengthBeyondData},
      {"negative text length", {1, 0, 0, 0, 0x80}, text, Read::NegativeLength},
      {"block of 2^31-1 bytes", {4, 0xFF, 0xFF, 0xFF, 0x7F, 1, 2}, block, Read::LengthBeyondData},
      {"negative block length", {4, 0xFF, 0xFF, 0xFF, 0xFF}, block, Read::NegativeLength},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CXCryptedBufferW buffer(c.bytes);
    EXPECT_EQ(c.read(buffer), c.expected);
    EXPECT_EQ(buffer.Position(), 0u);
  }
}

}  // namespace
