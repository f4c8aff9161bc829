#pragma once
// Counts this process's live GDI objects. Windows answers GetGuiResources;
// Wine answers 0 there, but keeps the same per-process GDI handle table that
// Windows maps into every process (PEB GdiSharedHandleTable), in the layout
// of its ntgdi.h: a used entry has a type, stock objects carry a flag.
#include <windows.h>
#include <winternl.h>
#include <cstdint>

namespace TarnUtility {

inline int CountGdiObjects() {
    const DWORD reported = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    if (reported != 0)
        return static_cast<int>(reported);
    struct Entry {
        uint64_t object;
        uint32_t owner;
        uint16_t unique; // bit 7: stock object
        uint8_t type;    // 0: free
        uint8_t flags;
        uint64_t userPointer;
    };
    static_assert(sizeof(Entry) == 24, "Wine's GDI_HANDLE_ENTRY");
    using QueryProcess = LONG(WINAPI*)(HANDLE, int, void*, ULONG, ULONG*);
    auto query = reinterpret_cast<QueryProcess>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationProcess")));
    PROCESS_BASIC_INFORMATION basic{};
    if (!query || query(GetCurrentProcess(), 0, &basic, sizeof(basic), nullptr) != 0)
        return -1;
    auto* peb = reinterpret_cast<unsigned char*>(basic.PebBaseAddress);
    const size_t offset = sizeof(void*) == 8 ? 0xF8 : 0x94; // GdiSharedHandleTable
    const Entry* table = *reinterpret_cast<Entry* const*>(peb + offset);
    if (!table)
        return -1;
    int live = 0;
    for (int i = 0; i < 0x10000; ++i)
        if (table[i].type != 0 && !(table[i].unique & 0x80))
            ++live;
    return live;
}

} // namespace TarnUtility
