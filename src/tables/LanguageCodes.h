// The languages the suite ships in, by the primary language of its language ID (VntoLangID), and the
// three-letter code that names each language library: Startdeck + "Res" + code + ".dll". The program
// loads its library by this table, and the installations name the library that carries Explorer's
// verb text by it. Portable: no windows.h.
#pragma once

#include <string>
#include <string_view>

namespace lang {

struct LanguageCode {
  unsigned primaryLanguage = 0;  // PRIMARYLANGID of the language ID
  std::wstring_view code;
};

inline constexpr LanguageCode kLanguageCodes[] = {
    {0x07, L"DEU"}, {0x09, L"ENU"}, {0x0A, L"ESN"}, {0x0C, L"FRA"},
    {0x16, L"PTB"}, {0x19, L"RUS"}, {0x22, L"UKR"}, {0x27, L"LTH"},
};

// The code of `languageId`'s primary language; empty when the suite has no library for it.
[[nodiscard]] constexpr std::wstring_view CodeOfLanguage(unsigned languageId) noexcept {
  const unsigned primary = languageId & 0x3FF;
  for (const LanguageCode& row : kLanguageCodes)
    if (row.primaryLanguage == primary) return row.code;
  return {};
}

// "<base>Res<code>.dll" (StartdeckResENU.dll); empty when the language has no library.
[[nodiscard]] inline std::wstring LanguageLibraryName(std::wstring_view base, unsigned languageId) {
  const std::wstring_view code = CodeOfLanguage(languageId);
  if (code.empty()) return {};
  return std::wstring(base) + L"Res" + std::wstring(code) + L".dll";
}

}  // namespace lang
