#include "StreamBytes.h"

#include <fstream>
#include <random>
#include <stdexcept>

Bytes ReferenceFile(std::span<const std::uint8_t> stream, std::uint16_t a, std::uint16_t b, std::uint16_t c) {
  std::uint8_t sum = 0;
  std::uint8_t orBits = 0;
  for (std::uint8_t p : stream) {
    sum = static_cast<std::uint8_t>(sum + p);
    orBits = static_cast<std::uint8_t>(orBits | p);
  }
  StreamBytes file;
  file.Raw({0x1A, 0x1A});
  for (std::uint16_t v : {a, b, c})
    file.Raw({static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8)});
  file.Le32(0).Le32(0).Raw({0x1A, sum, orBits, sum});
  unsigned k = c % 256;
  for (std::uint8_t p : stream) {
    k = (b + k * a) % 256;
    file.bytes.push_back(static_cast<std::uint8_t>(p ^ k ^ sum));
  }
  return file.bytes;
}

std::wstring W(std::u16string_view units) {
  return std::wstring(units.begin(), units.end());
}

TempDir::TempDir() {
  std::random_device random;
  path_ = std::filesystem::temp_directory_path() /
          ("startdeck-profile-" + std::to_string(random()) + std::to_string(random()));
  std::filesystem::create_directories(path_);
}

TempDir::~TempDir() {
  std::error_code ec;
  std::filesystem::remove_all(path_, ec);
}

std::filesystem::path TempDir::Write(const std::string& name, std::span<const std::uint8_t> bytes) const {
  const std::filesystem::path file = path_ / name;
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write test file " + file.string());
  return file;
}
