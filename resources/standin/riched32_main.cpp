// Stand-in for the rich-edit library the product needs: the setup only carries and
// writes it, so a loadable DLL with one export is enough to test that path.
#include <windows.h>

extern "C" __declspec(dllexport) int MorvalenStandinVersion(void) {
    return 1;
}

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) {
    return TRUE;
}
