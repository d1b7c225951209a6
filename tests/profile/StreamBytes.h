#pragma once
// Test helpers that build profile bytes by hand, independently of the code under test: items laid
// out byte by byte, and files scrambled one byte at a time exactly as the format describes.

#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <vector>

using Bytes = std::vector<std::uint8_t>;

struct StreamBytes {
  Bytes bytes;

  StreamBytes& Raw(std::initializer_list<std::uint8_t> raw) {
    bytes.insert(bytes.end(), raw);
    return *this;
  }
  StreamBytes& Le32(std::uint32_t v) {
    for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    return *this;
  }
  StreamBytes& Int(std::int32_t v) { return Raw({2}).Le32(static_cast<std::uint32_t>(v)); }
  StreamBytes& Dword(std::uint32_t v) { return Raw({3}).Le32(v); }
  StreamBytes& Text(std::u16string_view units) {
    Raw({1}).Le32(static_cast<std::uint32_t>(units.size()));
    for (char16_t u : units) Raw({static_cast<std::uint8_t>(u), static_cast<std::uint8_t>(u >> 8)});
    return *this;
  }
  StreamBytes& Block(const Bytes& block) {
    Raw({4}).Le32(static_cast<std::uint32_t>(block.size()));
    bytes.insert(bytes.end(), block.begin(), block.end());
    return *this;
  }
  // A key with its type code, ready for the value item.
  StreamBytes& Key(std::u16string_view key, char type) { return Text(key).Int(type); }
};

// The file for a plain item stream: header, check bytes, then each byte XORed with the next
// keystream value and the salt, one at a time.
Bytes ReferenceFile(std::span<const std::uint8_t> stream, std::uint16_t a, std::uint16_t b, std::uint16_t c);
inline Bytes ReferenceFile(const StreamBytes& s) {
  return ReferenceFile(s.bytes, 0x0A45, 0x1C33, 0x5A17);
}

// UTF-16 test texts as the std::wstring the profile hands out (one unit per wchar_t).
std::wstring W(std::u16string_view units);

// A fresh folder removed with everything in it at the end of the test.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::filesystem::path& Path() const { return path_; }
  std::filesystem::path Write(const std::string& name, std::span<const std::uint8_t> bytes) const;

 private:
  std::filesystem::path path_;
};
