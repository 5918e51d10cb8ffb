// CHalcyApp: single instance, folders, GDI+, the main dialog and the help document.
#pragma once

#include "framework/Handles.h"
#include "framework/WinApp.h"

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
};

// Whether creating the single-instance mutex failed with this error because another instance
// holds it (it exists, or it exists with a descriptor this process may not open).
bool AnotherInstanceHoldsTheName(DWORD createError) noexcept;

// ProgramFolder + "Help\Help.pdf".
std::wstring HelpDocumentPath();
