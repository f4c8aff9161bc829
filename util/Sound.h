#pragma once
// Playing the program's own WAVE resources.
#include <windows.h>

namespace TarnUtility {

// Starts the WAVE resource `id` of the program's module and returns at once.
// A new sound cuts off the one still playing; a missing resource is silent.
void PlayResourceSound(int id);

// The platform call behind PlayResourceSound: PlaySoundW, from winmm.dll
// loaded with the first sound. Tests point it at a recorder so that
// nothing is heard; the program never changes it.
using PlaySoundFunction = BOOL(WINAPI*)(LPCWSTR sound, HMODULE module, DWORD flags);
extern PlaySoundFunction playSoundFunction;

} // namespace TarnUtility
