// Whether a library found under the language library's name is one of Startdeck's own, in the
// installed language, with what start-up needs. Another component's DLL (or one of another release)
// copied over it would otherwise give the program a foreign main window: one that never shows, or
// none at all.
#pragma once

#include <windows.h>

#include <string>

namespace app {

// Empty when `library` (loaded normally or as an image resource) can serve as the program's resources
// for the LANGID `languageId` (the primary language decides); otherwise why not, for the log.
[[nodiscard]] std::wstring LanguageLibraryDefect(HMODULE library, unsigned languageId);

}  // namespace app
