// Stands in for one function of a system library, for the life of the object, in calls this
// test program makes through its import table (the program's own code, linked in, makes them
// so): for a platform behaviour that Wine does not have, such as Windows' EndDialog, which
// enables a dialog's owner only where its own dialog loop disabled it.
#pragma once

#include <windows.h>

#include <vector>

class ImportPatch {
public:
    ImportPatch(const wchar_t* dll, const char* function, const void* replacement) noexcept
    {
        const HMODULE library = ::GetModuleHandleW(dll);
        const FARPROC original = library ? ::GetProcAddress(library, function) : nullptr;
        if (!original)
            return;
        m_original = reinterpret_cast<ULONG_PTR>(original);
        const auto base = reinterpret_cast<BYTE*>(::GetModuleHandleW(nullptr));
        const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
        const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
        const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
        // Every import slot that holds the function: the linker may list a library more than once.
        for (auto* entry = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
             imports.VirtualAddress && entry->Name; ++entry)
            for (auto* slot = reinterpret_cast<ULONG_PTR*>(base + entry->FirstThunk); *slot; ++slot)
                if (*slot == m_original)
                    m_slots.push_back(slot);
        for (ULONG_PTR* slot : m_slots)
            Write(slot, reinterpret_cast<ULONG_PTR>(replacement));
    }
    ~ImportPatch()
    {
        for (ULONG_PTR* slot : m_slots)
            Write(slot, m_original);
    }
    ImportPatch(const ImportPatch&) = delete;
    ImportPatch& operator=(const ImportPatch&) = delete;

    bool Active() const noexcept { return !m_slots.empty(); }

private:
    static void Write(ULONG_PTR* slot, ULONG_PTR value) noexcept
    {
        DWORD protection = 0;
        ::VirtualProtect(slot, sizeof(*slot), PAGE_READWRITE, &protection);
        *slot = value;
        ::VirtualProtect(slot, sizeof(*slot), protection, &protection);
    }

    std::vector<ULONG_PTR*> m_slots;
    ULONG_PTR m_original = 0;
};
