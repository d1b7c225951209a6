#include "core/SingleInstance.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <iterator>

#include "core/LogSink.h"
#include "core/PrivateMessages.h"

namespace app {

namespace {

constexpr wchar_t kSectionPrefix[] = L"Startdeck_MMF_3C1A5E7F_9B2D_4E60_8A4C_6E8F0A2B4C6D_";
// Kernel object names are limited to MAX_PATH characters.
constexpr size_t kLongestName = MAX_PATH - 1;

// FNV-1a over the UTF-16 units: the same for every process, whatever its run.
unsigned long long NameHash(std::wstring_view text) {
  unsigned long long hash = 14695981039346656037ull;
  for (wchar_t c : text) {
    hash ^= static_cast<unsigned long long>(c);
    hash *= 1099511628211ull;
  }
  return hash;
}

}  // namespace

std::wstring SingleInstance::SectionName(std::wstring_view productName) {
  std::wstring name = kSectionPrefix;
  // A backslash would make the rest of the name a path into an object directory, which does not
  // exist: it is spelled "%5C" instead. Every other character is allowed, so other names stay as
  // they always were.
  for (wchar_t c : productName) {
    if (c == L'\\') {
      name += L"%5C";
    } else {
      name += c;
    }
  }
  // A name too long for the system keeps what fits and ends in a hash of the whole product name,
  // so that two long names that differ only at their end still differ.
  if (name.size() > kLongestName) {
    wchar_t hash[17] = {};
    std::swprintf(hash, std::size(hash), L"%016llX", NameHash(productName));
    name.resize(kLongestName - 16);
    name += hash;
  }
  return name;
}

std::wstring SingleInstance::ReadTitle(const void* view) {
  const auto* text = static_cast<const wchar_t*>(view);
  constexpr size_t kMaxChars = kSectionBytes / sizeof(wchar_t);
  return std::wstring(text, std::find(text, text + kMaxChars, L'\0'));
}

SingleInstance::Claim SingleInstance::ClaimFor(std::wstring_view productName, std::wstring_view commandLine) {
  Release();
  const std::wstring name = SectionName(productName);
  mapping_.reset(
      ::CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, kSectionBytes, name.c_str()));
  const DWORD error = ::GetLastError();
  if (!mapping_) return Failed(L"created", error);
  view_.reset(::MapViewOfFile(mapping_.get(), FILE_MAP_WRITE, 0, 0, 0));
  if (!view_) return Failed(L"mapped", ::GetLastError());
  if (error != ERROR_ALREADY_EXISTS) return Claim::kFirst;

  const std::wstring title = ReadTitle(view_.get());
  if (HWND other = title.empty() ? nullptr : ::FindWindowW(nullptr, title.c_str())) {
    if (::IsIconic(other)) ::ShowWindow(other, SW_RESTORE);
    ::BringWindowToTop(other);
    ::SetForegroundWindow(other);
    HandOver(other, commandLine);
  }
  return Claim::kAnotherRuns;
}

void SingleInstance::HandOver(HWND other, std::wstring_view commandLine) {
  if (commandLine.empty()) return;
  // The text with its NUL; the running window answers at once and carries it out afterwards. A
  // window that does not answer within the time is left alone.
  const std::wstring text(commandLine);
  COPYDATASTRUCT data{kCommandLineData, static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)),
                      const_cast<wchar_t*>(text.c_str())};
  DWORD_PTR answer = 0;
  if (!::SendMessageTimeoutW(other, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG,
                             kHandOverMilliseconds, &answer) ||
      answer == 0)
    Log().Line(L"The running window did not take the command line (error %lu).", ::GetLastError());
}

SingleInstance::Claim SingleInstance::Failed(const wchar_t* what, DWORD error) noexcept {
  Log().Line(L"The single-instance section could not be %s (error %lu); Startdeck ends.", what, error);
  Release();
  return Claim::kFailed;
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
