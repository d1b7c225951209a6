#include "DemoApps.h"

#include <windows.h>

#include <cstdio>
#include <string>

#include "core/RegistryKey.h"

namespace demo {
namespace {

namespace fs = std::filesystem;

// Where the substitutes look for their journal's location.
constexpr wchar_t kSubstituteKey[] = L"Software\\Korvelsoft\\VNTO9\\SuiteAppSubstitute";
constexpr wchar_t kJournalValue[] = L"Journal";

// An application built as a program of its own (the plug-ins manager, VantoEM.exe) goes in with its
// language libraries (<app ID>Res<language>.dll) instead of the stand-in.
bool CopyOwnProgram(const fs::path& binFolder, const std::wstring& id, const fs::path& programs) {
  std::error_code ec;
  for (fs::directory_iterator entry(binFolder, ec), end; !ec && entry != end; entry.increment(ec)) {
    const std::wstring name = entry->path().filename().wstring();
    const bool library = name.starts_with(id + L"Res") && name.ends_with(L".dll");
    if (name != id + L".exe" && !library) continue;
    if (!fs::copy_file(entry->path(), programs / name, fs::copy_options::overwrite_existing, ec) && ec)
      return false;
  }
  return !ec;
}

}  // namespace

bool InstallDemoApps(const fs::path& binFolder, const fs::path& folder) {
  app::RegistryKey apps;
  app::RegistryKey folders;
  if (!apps.Create(HKEY_LOCAL_MACHINE, reg::kApps) || !folders.Create(HKEY_LOCAL_MACHINE, reg::kFolders))
    return false;

  const fs::path substitute = binFolder / L"SuiteApp.exe";
  const bool haveSubstitute = fs::exists(substitute);
  if (!haveSubstitute)
    std::fwprintf(stderr, L"DemoInstall: no %ls; applications registered without their programs\n",
                  substitute.c_str());
  const fs::path programs = folder / L"Apps";
  std::error_code ec;
  fs::create_directories(programs, ec);
  if (ec) return false;

  for (const DemoApp& row : kDemoApps) {
    const std::wstring id(row.id);
    const fs::path program = programs / (id + L".exe");
    const fs::path componentFolder = folder / id;
    switch (row.placement) {
      case Placement::kProgram:
        if (fs::exists(binFolder / (id + L".exe"))) {
          if (!CopyOwnProgram(binFolder, id, programs)) return false;
        } else if (haveSubstitute &&
                   !fs::copy_file(substitute, program, fs::copy_options::overwrite_existing, ec) && ec) {
          return false;
        }
        if (!apps.WriteString(id, program.wstring())) return false;
        folders.DeleteValue(id);
        break;
      case Placement::kFolderOnly:
        fs::create_directories(componentFolder, ec);
        if (ec || !folders.WriteString(id, componentFolder.wstring())) return false;
        apps.DeleteValue(id);
        fs::remove(program, ec);
        break;
      case Placement::kAbsent:
        apps.DeleteValue(id);
        folders.DeleteValue(id);
        fs::remove(program, ec);
        break;
    }
  }
  return true;
}

fs::path InstallJournal(const fs::path& folder) {
  const fs::path journal = folder / L"journal.log";
  app::RegistryKey key;
  if (!key.Create(HKEY_CURRENT_USER, kSubstituteKey) || !key.WriteString(kJournalValue, journal.wstring()))
    return {};
  return journal;
}

}  // namespace demo
