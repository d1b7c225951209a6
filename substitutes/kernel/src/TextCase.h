// Letters and their case for the languages the kernel translates (Latin with its Western European
// accents, and Cyrillic), without a locale: the same answer on every machine and in every thread.
#pragma once

#include <string>
#include <string_view>

namespace vanto {

[[nodiscard]] bool IsLetter(wchar_t c) noexcept;
[[nodiscard]] bool IsUpper(wchar_t c) noexcept;
[[nodiscard]] wchar_t ToLower(wchar_t c) noexcept;
[[nodiscard]] wchar_t ToUpper(wchar_t c) noexcept;
[[nodiscard]] std::wstring Lower(std::wstring_view text);
[[nodiscard]] std::wstring Upper(std::wstring_view text);

enum class CasePattern { kLower, kCapitalised, kUpper };

// UPPER needs two letters or more, so "I" and "A" count as Capitalised.
[[nodiscard]] CasePattern ClassifyCase(std::wstring_view text) noexcept;
// The text with its first letter made upper case.
[[nodiscard]] std::wstring Capitalise(std::wstring_view text);

}  // namespace vanto
