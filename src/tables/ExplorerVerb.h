// Explorer's "Translate with VANTO" on the document types of DocumentTypes.h and the Send To
// shortcut, as every installation of the start centre writes them (the package's source through
// msisource, the demo installation): static verbs, no shell extension.
//   HKLM\SOFTWARE\Classes\SystemFileAssociations\.<extension>\shell\VANTO.Translate
//     (default)  the English text, for a shell that does not read MUIVerb
//     MUIVerb    "@<folder>\StartdeckRes<code>.dll,-<kVerbTextId>": the installed language's text,
//                which Explorer reads with SHLoadIndirectString
//     command\(default)  "<folder>\Startdeck.exe" /translate "%1"
//   <the user's Send To>\VANTO Translator.lnk  Startdeck.exe /translate (Send To adds the paths)
// Portable: no windows.h.
#pragma once

#include <string>
#include <string_view>

#include "StringIds.h"

namespace shellverb {

inline constexpr std::wstring_view kVerbKeyName = L"VANTO.Translate";
inline constexpr unsigned kVerbTextId = IDS_SHELL_TRANSLATE;
// The default value: what StartdeckResENU.dll holds under kVerbTextId.
inline constexpr std::wstring_view kEnglishText = L"Translate with VANTO";
inline constexpr std::wstring_view kMuiVerbValue = L"MUIVerb";
inline constexpr std::wstring_view kCommandKeyName = L"command";
// The switch the verb and the shortcut start the program with (window/StartRequest.h).
inline constexpr std::wstring_view kTranslateSwitch = L"/translate";
// The Send To shortcut's name, without ".lnk".
inline constexpr std::wstring_view kSendToName = L"VANTO Translator";

// The verb's key for `extension` (without the dot), below HKEY_LOCAL_MACHINE.
[[nodiscard]] inline std::wstring VerbKey(std::wstring_view extension) {
  return L"SOFTWARE\\Classes\\SystemFileAssociations\\." + std::wstring(extension) + L"\\shell\\" +
         std::wstring(kVerbKeyName);
}

// The verb's command line for the program at `program`.
[[nodiscard]] inline std::wstring VerbCommand(std::wstring_view program) {
  return L"\"" + std::wstring(program) + L"\" " + std::wstring(kTranslateSwitch) + L" \"%1\"";
}

// MUIVerb for the language library at `library`.
[[nodiscard]] inline std::wstring MuiVerb(std::wstring_view library) {
  return L"@" + std::wstring(library) + L",-" + std::to_wstring(kVerbTextId);
}

}  // namespace shellverb
