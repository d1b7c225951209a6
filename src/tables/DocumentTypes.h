// The kinds of documents the start centre translates, told by the file's extension: one row a kind.
// The tasks that take files name their kind (menu/TaskTable.h) and the window's drop rules read the
// extensions from here; so do the installations that offer Explorer's verb on these types (the
// package's source, written by msisource, and the demo installation), so that the verb is never
// offered for a file the program then refuses. Portable: no windows.h.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace docs {

enum class DocumentKind { kNone, kWord, kExcel, kPowerPoint, kPdf, kOpenOffice, kWebPage };

struct DocumentType {
  DocumentKind kind = DocumentKind::kNone;
  std::wstring_view extensions;  // lower case, without the dot, "|"-separated
};

inline constexpr DocumentType kDocumentTypes[] = {
    {DocumentKind::kWord, L"doc|docx|rtf"},   {DocumentKind::kExcel, L"xls|xlsx"},
    {DocumentKind::kPowerPoint, L"ppt|pptx"}, {DocumentKind::kPdf, L"pdf"},
    {DocumentKind::kOpenOffice, L"odt|sxw"},  {DocumentKind::kWebPage, L"htm|html|mht"},
};

// The extensions of `kind`; empty for kNone.
[[nodiscard]] constexpr std::wstring_view ExtensionsOf(DocumentKind kind) noexcept {
  for (const DocumentType& type : kDocumentTypes)
    if (type.kind == kind) return type.extensions;
  return {};
}

namespace detail {
constexpr std::size_t ExtensionCount() noexcept {
  std::size_t count = 0;
  for (const DocumentType& type : kDocumentTypes) {
    ++count;
    for (wchar_t c : type.extensions) count += c == L'|' ? 1 : 0;
  }
  return count;
}

constexpr std::array<std::wstring_view, ExtensionCount()> AllExtensions() noexcept {
  std::array<std::wstring_view, ExtensionCount()> all{};
  std::size_t next = 0;
  for (const DocumentType& type : kDocumentTypes) {
    std::wstring_view rest = type.extensions;
    for (std::size_t bar = rest.find(L'|'); bar != std::wstring_view::npos; bar = rest.find(L'|')) {
      all[next++] = rest.substr(0, bar);
      rest.remove_prefix(bar + 1);
    }
    all[next++] = rest;
  }
  return all;
}
}  // namespace detail

// Every extension of the table, in its order: the types an installation registers the verb for.
inline constexpr auto kExtensions = detail::AllExtensions();

}  // namespace docs
