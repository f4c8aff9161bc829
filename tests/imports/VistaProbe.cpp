// A program that imports a function Windows XP lacks (it came with Vista):
// the import check must refuse it.
#include <windows.h>

extern "C" __declspec(dllimport) ULONGLONG WINAPI GetTickCount64();

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    return static_cast<int>(GetTickCount64() & 1);
}
