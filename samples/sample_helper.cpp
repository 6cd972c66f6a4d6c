// A stand-in for a browser helper object: a DLL with a full version
// resource and the entry points of an in-process COM server, which serves
// no class. Used by the demonstration and by the end-to-end tests.
#include <windows.h>

extern "C" {

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }

__declspec(dllexport) HRESULT WINAPI DllGetClassObject(REFCLSID, REFIID, void** object) {
  if (object) *object = nullptr;
  return CLASS_E_CLASSNOTAVAILABLE;
}

__declspec(dllexport) HRESULT WINAPI DllCanUnloadNow() { return S_OK; }

}  // extern "C"
