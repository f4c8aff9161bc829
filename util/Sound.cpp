#include "util/Sound.h"

#include <mmsystem.h>

#include "util/SystemLibrary.h"

namespace TarnUtility {

namespace {
// PlaySoundW of winmm.dll, loaded with the first sound.
BOOL WINAPI PlaySoundOnDemand(LPCWSTR sound, HMODULE module, DWORD flags) {
    static const auto play = reinterpret_cast<PlaySoundFunction>(
        reinterpret_cast<void*>(SystemFunction(L"winmm.dll", "PlaySoundW")));
    return play ? play(sound, module, flags) : FALSE;
}
} // namespace

PlaySoundFunction playSoundFunction = PlaySoundOnDemand;

void PlayResourceSound(int id) {
    playSoundFunction(MAKEINTRESOURCEW(id), GetModuleHandleW(nullptr),
                      SND_RESOURCE | SND_NODEFAULT | SND_ASYNC);
}

} // namespace TarnUtility
