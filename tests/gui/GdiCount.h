#pragma once
// Counts this process's live GDI objects. Windows answers GetGuiResources;
// Wine answers 0 there, but keeps the same per-process GDI handle table that
// Windows maps into every process (PEB GdiSharedHandleTable), in the layout
// of its ntgdi.h: a used entry has a type, stock objects carry a flag.
// DeleteWatch below sees the deletions themselves.
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

// While it lives, every DeleteObject this program makes (the library, linked
// in, calls it through the program's import table) is checked first: a call
// for a handle that names no live object is counted. Such a call deletes
// whatever object has taken the handle since, or fails.
class DeleteWatch {
public:
    DeleteWatch() : slot(ImportSlot("gdi32.dll", "DeleteObject")) {
        if (slot) {
            real = reinterpret_cast<Delete>(*slot);
            Write(reinterpret_cast<void*>(&Watched));
        }
        deadDeletes = 0;
    }
    ~DeleteWatch() {
        if (slot)
            Write(reinterpret_cast<void*>(real));
    }
    DeleteWatch(const DeleteWatch&) = delete;
    DeleteWatch& operator=(const DeleteWatch&) = delete;

    bool Watching() const { return slot != nullptr; }
    static inline int deadDeletes = 0;

private:
    using Delete = BOOL(WINAPI*)(HGDIOBJ);
    static inline Delete real = nullptr;

    static BOOL WINAPI Watched(HGDIOBJ object) {
        if (GetObjectType(object) == 0)
            ++deadDeletes;
        return real(object);
    }
    // The program's import-table entry for `dll`'s function `name`.
    static void** ImportSlot(const char* dll, const char* name) {
        auto* base = reinterpret_cast<unsigned char*>(GetModuleHandleW(nullptr));
        const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
        const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
        const IMAGE_DATA_DIRECTORY& imports =
            nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
        for (auto* entry =
                 reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
             entry->Name; ++entry) {
            if (lstrcmpiA(reinterpret_cast<const char*>(base + entry->Name), dll) != 0)
                continue;
            auto* names =
                reinterpret_cast<const IMAGE_THUNK_DATA*>(base + entry->OriginalFirstThunk);
            auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + entry->FirstThunk);
            for (; names->u1.AddressOfData; ++names, ++slots) {
                if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal))
                    continue;
                const auto* byName =
                    reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
                if (lstrcmpA(reinterpret_cast<const char*>(byName->Name), name) == 0)
                    return reinterpret_cast<void**>(&slots->u1.Function);
            }
        }
        return nullptr;
    }
    void Write(void* function) {
        DWORD was = 0;
        VirtualProtect(slot, sizeof(void*), PAGE_READWRITE, &was);
        *slot = function;
        VirtualProtect(slot, sizeof(void*), was, &was);
    }

    void** const slot;
};

} // namespace TarnUtility
