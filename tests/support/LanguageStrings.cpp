#include "support/LanguageStrings.h"

#include <windows.h>

#include "support/TestPaths.h"
#include "win/Handle.h"
#include "win/Resources.h"

namespace test {

std::vector<std::wstring> StringsMissingInSomeLanguage(const std::set<unsigned>& ids) {
  std::vector<std::wstring> missing;
  for (const wchar_t* language : {L"ENU", L"DEU", L"FRA", L"RUS", L"ESN"}) {
    const std::wstring path = (BinFolder() / (std::wstring(L"StartdeckRes") + language + L".dll")).wstring();
    const win::UniqueModule library(::LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
    if (!library) {
      missing.push_back(std::wstring(language) + L" library missing");
      continue;
    }
    for (const unsigned id : ids)
      if (win::LoadStringFrom(library.get(), id).empty())
        missing.push_back(std::wstring(language) + L" " + std::to_wstring(id));
  }
  return missing;
}

}  // namespace test
