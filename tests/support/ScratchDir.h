// A fresh, empty folder for one test, removed with everything in it afterwards.
#pragma once

#include <filesystem>
#include <string>

namespace test {

class ScratchDir {
 public:
  ScratchDir();
  ~ScratchDir();
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;

  [[nodiscard]] const std::filesystem::path& path() const noexcept { return path_; }
  // path() / relative, with the folders on the way created.
  std::filesystem::path Folder(const std::wstring& relative) const;

 private:
  std::filesystem::path path_;
};

// Whole-file helpers for arranging and checking files in tests.
void WriteFile(const std::filesystem::path& file, const std::string& bytes);
[[nodiscard]] std::string ReadFile(const std::filesystem::path& file);

}  // namespace test
