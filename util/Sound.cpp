#include "util/Sound.h"

#include <mmsystem.h>

namespace TarnUtility {

PlaySoundFunction playSoundFunction = PlaySoundW;

void PlayResourceSound(int id) {
    playSoundFunction(MAKEINTRESOURCEW(id), GetModuleHandleW(nullptr),
                      SND_RESOURCE | SND_NODEFAULT | SND_ASYNC);
}

} // namespace TarnUtility
