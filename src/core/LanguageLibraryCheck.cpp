#include "core/LanguageLibraryCheck.h"

#include <algorithm>
#include <cstring>
#include <string_view>
#include <vector>

#include "ResourceIds.h"
#include "StringIds.h"

namespace app {
namespace {

// What start-up creates and shows from the library before the main window is up.
constexpr UINT kStartupDialogs[] = {IDD_STARTDECK, IDD_START_PAGE, IDD_LIST_PANEL};
constexpr UINT kStartupStrings[] = {IDS_CANNOT_LOAD_INF, IDS_INF_WRONG_PRODUCT, IDS_WELCOME};

// The mark's two numbers, as ResourceIds.h defines them.
constexpr DWORD kMark[] = {static_cast<DWORD>(RESOURCE_SET_MAGIC), static_cast<DWORD>(RESOURCE_SET_VERSION)};

std::string_view BytesOf(HMODULE library, HRSRC info) {
  if (info == nullptr) return {};
  HGLOBAL loaded = ::LoadResource(library, info);
  const void* data = loaded ? ::LockResource(loaded) : nullptr;
  if (data == nullptr) return {};
  return {static_cast<const char*>(data), ::SizeofResource(library, info)};
}

// A resource's bytes; empty when the library has none of that type, name and language.
std::string_view LanguageResourceBytes(HMODULE library, LPCWSTR type, UINT id, WORD language) {
  return BytesOf(library, ::FindResourceExW(library, type, MAKEINTRESOURCEW(id), language));
}

DWORD DwordAt(std::string_view bytes, size_t offset) {
  DWORD value = 0;
  std::memcpy(&value, bytes.data() + offset, sizeof(value));
  return value;
}

BOOL CALLBACK CollectLanguage(HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR found) {
  reinterpret_cast<std::vector<WORD>*>(found)->push_back(language);
  return TRUE;
}

// The languages in which the library has the main window's template.
std::vector<WORD> MainTemplateLanguages(HMODULE library) {
  std::vector<WORD> languages;
  ::EnumResourceLanguagesW(library, RT_DIALOG, MAKEINTRESOURCEW(IDD_STARTDECK), &CollectLanguage,
                           reinterpret_cast<LONG_PTR>(&languages));
  return languages;
}

// The window style of a dialog template, extended (DLGTEMPLATEEX) or classic (DLGTEMPLATE); 0 when
// the bytes are too short for either.
DWORD TemplateStyle(std::string_view bytes) {
  constexpr DWORD kExtendedHead = 0xFFFF0001;  // dlgVer 1, then the signature 0xFFFF
  constexpr size_t kExtendedStyleOffset = 12;  // after dlgVer, signature, helpID and exStyle
  const bool extended =
      bytes.size() >= kExtendedStyleOffset + sizeof(DWORD) && DwordAt(bytes, 0) == kExtendedHead;
  if (extended) return DwordAt(bytes, kExtendedStyleOffset);
  return bytes.size() >= sizeof(DWORD) ? DwordAt(bytes, 0) : 0;
}

// String-table entries live in blocks of 16, each entry a length and that many characters.
bool HasString(HMODULE library, UINT id, WORD language) {
  const std::string_view block = LanguageResourceBytes(library, RT_STRING, id / 16 + 1, language);
  size_t at = 0;
  for (UINT index = 0; at + sizeof(WORD) <= block.size(); ++index) {
    WORD length = 0;
    std::memcpy(&length, block.data() + at, sizeof(length));
    if (index == id % 16) return length > 0;
    at += sizeof(WORD) + size_t{length} * sizeof(wchar_t);
  }
  return false;
}

}  // namespace

std::wstring LanguageLibraryDefect(HMODULE library, unsigned languageId) {
  // The mark first: it tells Startdeck's resources from anyone else's, whatever their language.
  const std::string_view mark =
      BytesOf(library, ::FindResourceW(library, MAKEINTRESOURCEW(IDR_RESOURCE_SET), RT_RCDATA));
  if (mark.size() != sizeof(kMark) || DwordAt(mark, 0) != kMark[0])
    return L"it does not carry Startdeck's resources";
  if (DwordAt(mark, sizeof(DWORD)) != kMark[1])
    return L"its resources belong to another release of the program";

  const std::vector<WORD> languages = MainTemplateLanguages(library);
  if (languages.empty()) return L"it has no main window template";
  const auto match = std::find_if(languages.begin(), languages.end(), [&](WORD candidate) {
    return PRIMARYLANGID(candidate) == PRIMARYLANGID(languageId);
  });
  if (match == languages.end()) return L"its resources are not in the installed language";
  const WORD language = *match;

  for (UINT id : kStartupDialogs) {
    if (LanguageResourceBytes(library, RT_DIALOG, id, language).empty())
      return L"it lacks dialog template " + std::to_wstring(id);
  }
  // The main window shows itself through its template's style; without it the program would run
  // unseen, holding its product's single-instance name.
  const DWORD style = TemplateStyle(LanguageResourceBytes(library, RT_DIALOG, IDD_STARTDECK, language));
  if ((style & (WS_POPUP | WS_VISIBLE | WS_CHILD)) != (WS_POPUP | WS_VISIBLE))
    return L"its main window template does not make a visible popup window";
  for (UINT id : kStartupStrings) {
    if (!HasString(library, id, language)) return L"it lacks string " + std::to_wstring(id);
  }
  return {};
}

}  // namespace app
