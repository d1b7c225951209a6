#include "tasks/DroppedFile.h"

#include <windows.h>
#include <shlwapi.h>

#include <algorithm>
#include <array>

#include "StringIds.h"
#include "tasks/HostTable.h"
#include "win/Resources.h"

namespace tasks {
namespace {

struct ExtensionRow {
  std::wstring_view extension;  // without the dot, lower case
  int taskCode;
};

constexpr std::array kExtensions{
    ExtensionRow{L"doc", kTaskWord},        ExtensionRow{L"docx", kTaskWord},
    ExtensionRow{L"rtf", kTaskWord},        ExtensionRow{L"xls", kTaskExcel},
    ExtensionRow{L"xlsx", kTaskExcel},      ExtensionRow{L"ppt", kTaskPowerPoint},
    ExtensionRow{L"pptx", kTaskPowerPoint}, ExtensionRow{L"pdf", kTaskPdf},
    ExtensionRow{L"odt", kTaskOpenOffice},  ExtensionRow{L"sxw", kTaskOpenOffice},
    ExtensionRow{L"htm", kTaskWebPage},     ExtensionRow{L"html", kTaskWebPage},
    ExtensionRow{L"mht", kTaskWebPage},
};

constexpr std::array kDropKinds{
    DropKind{kTaskWord, IDS_DROP_KIND_WORD},
    DropKind{kTaskExcel, IDS_DROP_KIND_EXCEL},
    DropKind{kTaskPowerPoint, IDS_DROP_KIND_POWERPOINT},
    DropKind{kTaskPdf, IDS_DROP_KIND_PDF},
    DropKind{kTaskOpenOffice, IDS_DROP_KIND_OPENOFFICE},
    DropKind{kTaskWebPage, IDS_DROP_KIND_WEB_PAGE},
};

// After the last dot of the file name; a dot in a folder name does not count.
std::wstring_view ExtensionOf(std::wstring_view path) noexcept {
  const size_t nameStart = path.find_last_of(L"\\/");
  const std::wstring_view name = nameStart == std::wstring_view::npos ? path : path.substr(nameStart + 1);
  const size_t dot = name.rfind(L'.');
  return dot == std::wstring_view::npos ? std::wstring_view{} : name.substr(dot + 1);
}

// Extensions are plain ASCII, so only A-Z fold.
bool SameExtension(std::wstring_view given, std::wstring_view lowerCase) noexcept {
  return std::ranges::equal(given, lowerCase, [](wchar_t a, wchar_t b) {
    return (a >= L'A' && a <= L'Z' ? a - L'A' + L'a' : a) == b;
  });
}

}  // namespace

std::optional<std::wstring> FileUrlOfPath(std::wstring_view path) {
  const std::wstring source(path);  // the call wants it NUL-terminated
  std::wstring url(source.size() + 16, L'\0');
  for (int attempt = 0; attempt < 2; ++attempt) {
    DWORD size = static_cast<DWORD>(url.size());
    const HRESULT result = ::UrlCreateFromPathW(source.c_str(), url.data(), &size, 0);
    if (SUCCEEDED(result)) {
      url.resize(size);
      return url;
    }
    // Too small: `size` now holds what the URL needs, with its NUL.
    if (result != E_POINTER || size <= url.size()) break;
    url.resize(size);
  }
  return std::nullopt;
}

std::optional<DroppedDocument> DocumentOfDroppedFile(std::wstring_view path) {
  const std::wstring_view extension = ExtensionOf(path);
  const auto row = std::ranges::find_if(
      kExtensions, [&](const ExtensionRow& r) { return SameExtension(extension, r.extension); });
  if (extension.empty() || row == kExtensions.end()) return std::nullopt;
  if (row->taskCode != kTaskWebPage) return DroppedDocument{row->taskCode, std::wstring(path)};
  std::optional<std::wstring> url = FileUrlOfPath(path);
  if (!url) return std::nullopt;
  return DroppedDocument{kTaskWebPage, std::move(*url)};
}

std::span<const DropKind> DropKinds() noexcept {
  return kDropKinds;
}

std::wstring DropKindsText(const std::function<bool(int taskCode)>& offered) {
  std::wstring text;
  for (const DropKind& kind : kDropKinds) {
    if (!offered(kind.taskCode)) continue;
    if (!text.empty()) text += L'\n';
    text += win::LoadString(kind.kindStringId);
  }
  return text;
}

}  // namespace tasks
