#include "Module.h"

#include "ClassFactory.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    substitute::SetThisModule(instance);
    ::DisableThreadLibraryCalls(instance);
  }
  return TRUE;
}

STDAPI DllGetClassObject(REFCLSID clsid, REFIID riid, LPVOID* ppv) {
  return edsetup::GetClassObject(clsid, riid, ppv);
}

STDAPI DllCanUnloadNow() {
  return edsetup::CanUnload() ? S_OK : S_FALSE;
}
