// CHalcyApp: single instance, folders, GDI+, the COM apartment, the main dialog and the help document.
#pragma once

#include "framework/ComPtr.h"
#include "framework/Handles.h"
#include "framework/WinApp.h"

#include <optional>
#include <string>

constexpr const wchar_t* kInstanceMutexName = L"VELDRIAN RGB Control_Config";

class CHalcyApp : public CWinApp {
public:
    BOOL InitInstance() override;
    int ExitInstance() override;
    void OnHelp() override;

private:
    // False when another instance already holds the name: this one must end at once.
    bool ClaimSingleInstance();
    // Asks the instance running already to show its window at the front.
    static void ShowRunningInstance();

    KernelHandle m_mutex;
    ULONG_PTR m_gdiplusToken = 0;
    // The user-interface thread's apartment for the program's run: the lighting providers are
    // asked in it, and skin pictures are decoded by WIC in it.
    std::optional<ComApartment> m_apartment;
};

// Whether creating the single-instance mutex failed with this error because another instance
// holds it (it exists, or it exists with a descriptor this process may not open).
bool AnotherInstanceHoldsTheName(DWORD createError) noexcept;

// ProgramFolder + "Help\Help.pdf".
std::wstring HelpDocumentPath();
