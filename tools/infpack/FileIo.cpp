#include "FileIo.h"

#include <fstream>
#include <random>
#include <system_error>

std::string DisplayPath(const std::filesystem::path& path) {
  try {
    const std::u8string utf8 = path.u8string();
    return std::string(utf8.begin(), utf8.end());
  } catch (const std::exception&) {
    return "(a path that has no UTF-8 form)";
  }
}

std::vector<std::uint8_t> ReadWholeFile(const std::filesystem::path& path) {
  const std::string name = DisplayPath(path);
  std::error_code ec;
  const auto status = std::filesystem::status(path, ec);
  if (status.type() == std::filesystem::file_type::not_found) throw ToolError(name + ": file not found");
  if (status.type() == std::filesystem::file_type::directory)
    throw ToolError(name + ": is a folder, not a file");
  std::ifstream in(path, std::ios::binary);
  if (!in.is_open()) throw ToolError(name + ": cannot open the file");
  std::vector<std::uint8_t> bytes;
  char block[65536];
  while (in) {
    in.read(block, sizeof block);
    bytes.insert(bytes.end(), block, block + in.gcount());
  }
  if (in.bad()) throw ToolError(name + ": read error");
  return bytes;
}

namespace {

std::filesystem::path TemporaryBeside(const std::filesystem::path& target) {
  std::random_device random;
  std::uniform_int_distribution<unsigned> digit(0, 15);
  std::filesystem::path::string_type suffix = target.filename().native();
  const char* hex = "0123456789abcdef";
  suffix.push_back('.');
  using Char = std::filesystem::path::value_type;
  for (int i = 0; i < 8; ++i) suffix.push_back(static_cast<Char>(hex[digit(random)]));
  for (char c : std::string_view(".tmp")) suffix.push_back(static_cast<Char>(c));
  return target.parent_path() / suffix;
}

}  // namespace

void ReplaceFile(const std::filesystem::path& target, std::span<const std::uint8_t> bytes) {
  const std::filesystem::path temp = TemporaryBeside(target);
  std::error_code ec;
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    if (!out.is_open()) {
      const std::filesystem::path folder = target.parent_path().empty() ? "." : target.parent_path();
      throw ToolError("cannot create a file in '" + DisplayPath(folder) + "'");
    }
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
      std::filesystem::remove(temp, ec);
      throw ToolError(DisplayPath(temp) + ": write error");
    }
  }
  std::filesystem::rename(temp, target, ec);
  if (ec) {
    const std::string reason = ec.message();
    std::filesystem::remove(temp, ec);
    throw ToolError("cannot replace '" + DisplayPath(target) + "': " + reason);
  }
}
