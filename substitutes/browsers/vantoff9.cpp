// vantoff9.dll: the binary component of the suite's Firefox extension, as it lies in the
// extension's "components" folder. Firefox asks a binary component for its module through
// NSGetModule; this one offers none, so Firefox loads the extension and skips the component.
#include <windows.h>

namespace {
constexpr long kNoComponent = static_cast<long>(0x80004005);  // NS_ERROR_FAILURE
}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) ::DisableThreadLibraryCalls(instance);
  return TRUE;
}

extern "C" __declspec(dllexport) long NSGetModule(void* /*componentManager*/, void* /*location*/,
                                                  void** module) {
  if (module) *module = nullptr;
  return kNoComponent;
}
