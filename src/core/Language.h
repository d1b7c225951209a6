// The user-interface language of the installation and the resource library that carries it.
#pragma once

#include <string>
#include <string_view>

namespace app {

// VntoLangID of the installation; 0 when missing (no language).
[[nodiscard]] unsigned LanguageId();

// base + "Res" + three-letter code + ".dll" (StartdeckResENU.dll), or empty when the installed
// language has no library.
[[nodiscard]] std::wstring ResourceLibraryName(std::wstring_view base);

// The library's full path in `folder`, or in the language folder <SharedRoot>\<LANGID> when
// `folder` is empty; empty when the name or the language folder is unknown.
[[nodiscard]] std::wstring ResourceLibraryPath(std::wstring_view base, std::wstring_view folder);

// Loads the language library for `base` (the program's file title when empty) from the program's
// folder, else from the language folder, and makes it the current resource module. Returns the
// loaded library's path, or empty when the built-in (English) resources stay in use.
std::wstring LoadResourceLibrary(std::wstring_view base);
// The same for a given program path.
std::wstring LoadResourceLibraryFor(std::wstring_view programPath, std::wstring_view base);

// The running program's full path.
[[nodiscard]] std::wstring ProgramPath();

}  // namespace app
