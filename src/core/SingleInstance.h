// One running start centre per product: the first instance owns a named shared-memory section that
// holds its window title; a later instance finds that window, brings it forward and exits.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "win/Handle.h"

namespace app {

class SingleInstance {
 public:
  // The section's size in bytes: room for 129 characters and the terminator.
  static constexpr DWORD kSectionBytes = 260;

  enum class Claim { kFirst, kAnotherRuns, kFailed };

  // Creates or opens the product's section. kAnotherRuns: the other instance's window (if found)
  // has been brought to the foreground and given `commandLine` (WM_COPYDATA, kCommandLineData), which
  // it carries out.
  Claim ClaimFor(std::wstring_view productName, std::wstring_view commandLine = {});
  // Writes the title into the section: as much as fits, always NUL-terminated.
  void Publish(std::wstring_view title);
  // Frees the name for the next start.
  void Release() noexcept;

  // The section's name for a product: the same in every process, and a valid kernel object name
  // whatever characters or length the product name has.
  [[nodiscard]] static std::wstring SectionName(std::wstring_view productName);
  // What another instance reads from a section's bytes: the text up to the first NUL or the end.
  [[nodiscard]] static std::wstring ReadTitle(const void* view);

 private:
  static constexpr UINT kHandOverMilliseconds = 10000;

  Claim Failed(const wchar_t* what, DWORD error) noexcept;
  static void HandOver(HWND other, std::wstring_view commandLine);

  win::UniqueHandle mapping_;
  win::UniqueView view_;
};

}  // namespace app
