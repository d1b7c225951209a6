#include "support/ScratchDir.h"

#include <windows.h>

#include <atomic>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace test {

ScratchDir::ScratchDir() {
  static std::atomic<unsigned> counter{0};
  std::error_code ec;
  const std::filesystem::path base = std::filesystem::temp_directory_path(ec) / L"StartdeckTests";
  // Process IDs come back quickly under Wine: the time keeps a later test out of an earlier one's
  // folder, whose programs may still be running.
  path_ = base / (std::to_wstring(::GetCurrentProcessId()) + L"-" + std::to_wstring(::GetTickCount64()) +
                  L"-" + std::to_wstring(++counter));
  std::filesystem::remove_all(path_, ec);
  std::filesystem::create_directories(path_);
}

ScratchDir::~ScratchDir() {
  std::error_code ec;
  std::filesystem::remove_all(path_, ec);
}

std::filesystem::path ScratchDir::Folder(const std::wstring& relative) const {
  std::filesystem::path folder = path_ / relative;
  std::filesystem::create_directories(folder);
  return folder;
}

void WriteFile(const std::filesystem::path& file, const std::string& bytes) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write test file");
}

std::string ReadFile(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace test
