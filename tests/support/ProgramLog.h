// The diagnostic log of a start centre started by a test: while this object lives, the per-user
// value "LogFile" names a file of its own, which the started program writes in the user's LocalLow
// folder, its name made the process's own. Both go when the object goes.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace test {

class ProgramLog {
 public:
  explicit ProgramLog(const std::wstring& name);
  ~ProgramLog();
  ProgramLog(const ProgramLog&) = delete;
  ProgramLog& operator=(const ProgramLog&) = delete;

  [[nodiscard]] const std::filesystem::path& File() const noexcept { return file_; }
  // Its lines without their stamps; all of them, one per line.
  [[nodiscard]] std::vector<std::wstring> Lines() const;
  [[nodiscard]] std::wstring Text() const;

 private:
  std::filesystem::path file_;
};

}  // namespace test
