// A rasapi32.dll where a planted one would lie, beside the test program: the
// program must never load it. Loaded, it leaves a named event behind for the
// rest of the process, so a load shows even after an unload.
#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) CreateEventA(nullptr, TRUE, TRUE, "TetherlyPlantedRasapi32Loaded");
  return TRUE;
}
