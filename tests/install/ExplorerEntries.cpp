#include "ExplorerEntries.h"

#include <windows.h>
#include <shlwapi.h>

#include "StringIds.h"
#include "support/RegistrySandbox.h"
#include "support/ShellLink.h"
#include "tables/DocumentTypes.h"
#include "win/Handle.h"

namespace test {

namespace {

namespace fs = std::filesystem;

constexpr wchar_t kVerbText[] = L"Translate with VANTO";

std::wstring VerbKey(std::wstring_view extension) {
  return L"SystemFileAssociations\\." + std::wstring(extension) + L"\\shell\\VANTO.Translate";
}

// The string `id` of the language library at `library`, loaded as data; empty when there is none.
std::wstring LibraryString(const fs::path& library, unsigned id) {
  const win::UniqueModule module(
      ::LoadLibraryExW(library.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
  const wchar_t* text = nullptr;
  const int length = module ? ::LoadStringW(module.get(), id, reinterpret_cast<LPWSTR>(&text), 0) : 0;
  return length > 0 ? std::wstring(text, static_cast<size_t>(length)) : std::wstring();
}

}  // namespace

::testing::AssertionResult ExplorerVerbOnEveryType(const fs::path& folder) {
  const fs::path library = folder / L"StartdeckResENU.dll";
  const std::wstring libraryText = LibraryString(library, IDS_SHELL_TRANSLATE);
  if (libraryText != kVerbText)
    return ::testing::AssertionFailure()
           << "the English library holds " << ::testing::PrintToString(libraryText);
  const std::wstring muiVerb = L"@" + library.wstring() + L",-" + std::to_wstring(IDS_SHELL_TRANSLATE);
  const std::wstring command = L"\"" + (folder / L"Startdeck.exe").wstring() + L"\" /translate \"%1\"";
  for (std::wstring_view extension : docs::kExtensions) {
    const std::wstring key = VerbKey(extension);
    const std::wstring shown = GetString(HKEY_CLASSES_ROOT, key, L"");
    const std::wstring indirect = GetString(HKEY_CLASSES_ROOT, key, L"MUIVerb");
    const std::wstring started = GetString(HKEY_CLASSES_ROOT, key + L"\\command", L"");
    wchar_t resolved[256] = L"";
    const HRESULT loaded = ::SHLoadIndirectString(indirect.c_str(), resolved, 256, nullptr);
    if (shown != kVerbText || indirect != muiVerb || started != command || FAILED(loaded) ||
        resolved != libraryText)
      return ::testing::AssertionFailure()
             << "." << ::testing::PrintToString(std::wstring(extension)) << ": "
             << ::testing::PrintToString(shown) << ", MUIVerb " << ::testing::PrintToString(indirect)
             << " resolved to " << ::testing::PrintToString(std::wstring(resolved)) << " (0x" << std::hex
             << loaded << "), command " << ::testing::PrintToString(started);
  }
  return ::testing::AssertionSuccess();
}

size_t VerbKeys(const Snapshot& snapshot) {
  const std::wstring area = L"HKCR\\SystemFileAssociations\\", end = L"\\shell\\VANTO.Translate";
  size_t count = 0;
  for (const auto& [name, text] : snapshot.Entries())
    if (name.rfind(area, 0) == 0 && name.size() > end.size() &&
        name.compare(name.size() - end.size(), end.size(), end) == 0)
      ++count;
  return count;
}

std::wstring VerbKeyBelowMachine(const std::wstring& extension) {
  return L"SOFTWARE\\Classes\\" + VerbKey(extension);
}

fs::path SendToShortcut() {
  return SendToFolder() / L"VANTO Translator.lnk";
}

::testing::AssertionResult SendToShortcutStarts(const fs::path& program) {
  const std::optional<ShellLink> link = ReadShellLink(SendToShortcut());
  if (!link) return ::testing::AssertionFailure() << "no shortcut " << SendToShortcut();
  if (_wcsicmp(link->target.c_str(), program.c_str()) != 0 || link->arguments != L"/translate")
    return ::testing::AssertionFailure()
           << "it starts " << link->target << " " << ::testing::PrintToString(link->arguments);
  return ::testing::AssertionSuccess();
}

}  // namespace test
