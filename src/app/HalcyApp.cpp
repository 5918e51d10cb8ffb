// CHalcyApp: the start and shutdown sequences of the program.
#include "app/HalcyApp.h"

#include "base/Paths.h"
#include "mainwnd/HalcyDlg.h"

#include <windows.h>

#include <commctrl.h>
#include <gdiplus.h>
#include <shellapi.h>

namespace {

constexpr const wchar_t* kHelpFailedText = L"The user guide could not be opened. You will find it here:\n\n";
constexpr const wchar_t* kHelpFailedCaption = L"VELDRIAN RGB Control";

// The shell's open action on the document, with the owner's window as the parent of whatever
// the launch shows. The program ends right after F1, so the call returns only once the launch
// is done (a launch still under way could be cut off with the process); the shell shows no
// message of its own, as the caller shows one with the document's path.
bool OpenDocument(HWND owner, const std::wstring& path)
{
    SHELLEXECUTEINFOW launch{};
    launch.cbSize = sizeof(launch);
    launch.fMask = SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
    launch.hwnd = owner;
    launch.lpFile = path.c_str();
    launch.nShow = SW_SHOWNORMAL;
    return ::ShellExecuteExW(&launch) != FALSE;
}

} // namespace

std::wstring HelpDocumentPath()
{
    return ProgramFolder() + L"Help\\Help.pdf";
}

// The name exists when another instance holds it. An instance started elevated (by the setup,
// say) holds it with an administrators-only security descriptor: a normal start is then
// refused access to it, which means the same.
bool AnotherInstanceHoldsTheName(DWORD createError) noexcept
{
    return createError == ERROR_ALREADY_EXISTS || createError == ERROR_ACCESS_DENIED;
}

bool CHalcyApp::ClaimSingleInstance()
{
    m_mutex.reset(::CreateMutexW(nullptr, FALSE, kInstanceMutexName));
    if (AnotherInstanceHoldsTheName(::GetLastError())) {
        m_mutex.reset();
        return false;
    }
    return true;
}

// A person who starts the program again looks for its window. This start, just made by the
// person, may take the foreground; the running instance may not until handed that right, and
// then shows itself on the restore message. Nothing when no window is found (that instance is
// still starting, and shows itself anyway) or the message is refused (it runs elevated).
void CHalcyApp::ShowRunningInstance()
{
    const HWND running = ::FindWindowW(nullptr, kMainWindowCaption);
    DWORD processId = 0;
    if (!running || !::GetWindowThreadProcessId(running, &processId))
        return;
    ::AllowSetForegroundWindow(processId);
    ::PostMessageW(running, WM_PROGRAM_RESTORE, 0, 0);
}

BOOL CHalcyApp::InitInstance()
{
    if (!ClaimSingleInstance()) {
        ShowRunningInstance();
        return FALSE;
    }

    InitProgramFolder();
    InitDataFolder();

    Gdiplus::GdiplusStartupInput gdiplusInput;
    if (Gdiplus::GdiplusStartup(&m_gdiplusToken, &gdiplusInput, nullptr) != Gdiplus::Ok)
        m_gdiplusToken = 0;
    m_apartment.emplace();

    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);

    {
        CHalcyDlg dialog;
        m_pMainWnd = &dialog;
        dialog.DoModal();
        m_pMainWnd = nullptr;
    }
    return FALSE;
}

int CHalcyApp::ExitInstance()
{
    m_apartment.reset();
    if (m_gdiplusToken) {
        Gdiplus::GdiplusShutdown(m_gdiplusToken);
        m_gdiplusToken = 0;
    }
    if (m_mutex) {
        ::ReleaseMutex(m_mutex.get());
        m_mutex.reset();
    }
    return CWinApp::ExitInstance();
}

// Without a program for PDF documents (or without the document) the person learns where the
// guide lies instead of seeing nothing happen.
void CHalcyApp::OnHelp()
{
    const std::wstring document = HelpDocumentPath();
    const HWND owner = m_pMainWnd ? m_pMainWnd->GetSafeHwnd() : nullptr;
    if (!OpenDocument(owner, document))
        ::MessageBoxW(owner, (kHelpFailedText + document).c_str(), kHelpFailedCaption, MB_OK | MB_ICONINFORMATION);
}
