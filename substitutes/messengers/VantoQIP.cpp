// VantoQIP.dll: the suite's QIP Infium plug-in as it lies in the messenger's Plugins\VantoQIP
// folder, beside one language library VantoQIPRes<language>.dll. It offers the plug-in's name in
// the language of the library it finds beside itself.
#include <windows.h>

#include <string>

namespace {

HMODULE g_self = nullptr;

// The first VantoQIPRes*.dll in the plug-in's own folder; empty when there is none.
std::wstring LanguageLibrary() {
  std::wstring folder(MAX_PATH, L'\0');
  const DWORD length = ::GetModuleFileNameW(g_self, folder.data(), static_cast<DWORD>(folder.size()));
  if (length == 0 || length >= folder.size()) return {};
  folder.resize(length);
  folder.resize(folder.find_last_of(L"\\/") + 1);
  WIN32_FIND_DATAW found{};
  const HANDLE search = ::FindFirstFileW((folder + L"VantoQIPRes*.dll").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return {};
  ::FindClose(search);
  return folder + found.cFileName;
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    g_self = instance;
    ::DisableThreadLibraryCalls(instance);
  }
  return TRUE;
}

// Copies the plug-in's name from its language library into `buffer` (`size` characters with the
// terminating null); returns its length, 0 when no language library lies beside the plug-in.
extern "C" int WINAPI VantoQipPluginName(wchar_t* buffer, int size) {
  if (!buffer || size <= 0) return 0;
  buffer[0] = L'\0';
  const std::wstring path = LanguageLibrary();
  if (path.empty()) return 0;
  const HMODULE library = ::LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (!library) return 0;
  const int length = ::LoadStringW(library, 1, buffer, size);
  ::FreeLibrary(library);
  return length;
}
