#include "app/SingleInstance.h"

#include <algorithm>
#include <cstring>

namespace app {

std::wstring SingleInstance::SectionName(std::wstring_view productName) {
  return L"Startdeck_MMF_3C1A5E7F_9B2D_4E60_8A4C_6E8F0A2B4C6D_" + std::wstring(productName);
}

std::wstring SingleInstance::ReadTitle(const void* view) {
  const auto* text = static_cast<const wchar_t*>(view);
  constexpr size_t kMaxChars = kSectionBytes / sizeof(wchar_t);
  return std::wstring(text, std::find(text, text + kMaxChars, L'\0'));
}

SingleInstance::Claim SingleInstance::ClaimFor(std::wstring_view productName) {
  Release();
  const std::wstring name = SectionName(productName);
  mapping_.reset(::CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, kSectionBytes,
                                      name.c_str()));
  const DWORD error = ::GetLastError();
  if (!mapping_) return Claim::kFailed;
  view_.reset(::MapViewOfFile(mapping_.get(), FILE_MAP_WRITE, 0, 0, 0));
  if (!view_) return Claim::kFailed;
  if (error != ERROR_ALREADY_EXISTS) return Claim::kFirst;

  const std::wstring title = ReadTitle(view_.get());
  if (HWND other = title.empty() ? nullptr : ::FindWindowW(nullptr, title.c_str())) {
    ::BringWindowToTop(other);
    ::SetForegroundWindow(other);
  }
  return Claim::kAnotherRuns;
}

void SingleInstance::Publish(std::wstring_view title) {
  if (!view_) return;
  // The section holds 129 characters and a terminator; a longer title is cut, never written past
  // the section's end.
  constexpr size_t kMaxChars = kSectionBytes / sizeof(wchar_t) - 1;
  const size_t length = std::min(title.size(), kMaxChars);
  auto* target = static_cast<wchar_t*>(view_.get());
  std::memcpy(target, title.data(), length * sizeof(wchar_t));
  target[length] = L'\0';
}

void SingleInstance::Release() noexcept {
  view_.reset();
  mapping_.reset();
}

}  // namespace app
