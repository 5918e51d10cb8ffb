// Starting, stopping and restarting the lighting service.
#include "app/LightingService.h"

#include "app/Paths.h"
#include "framework/Handles.h"

#include <windows.h>

namespace {

constexpr DWORD kClosePollMs = 20;
// The service decides for itself what it shows; it is started as a program started plainly is.
constexpr WORD kServiceShowCommand = SW_SHOW;

HWND FindServiceWindow()
{
    return ::FindWindowW(nullptr, kServiceWindowCaption);
}

// After the pause, a service window that is still there gets a little longer to go away.
void WaitForServiceToClose(HWND service)
{
    for (DWORD waited = 0; waited < kServiceCloseGraceMs && ::IsWindow(service); waited += kClosePollMs)
        ::Sleep(kClosePollMs);
}

} // namespace

std::wstring ServiceExecutablePath()
{
    return ProgramFolder() + kServiceExeName;
}

void StartLightingService()
{
    if (FindServiceWindow() || ProgramFolder().empty())
        return;
    // The executable is named exactly and the command line quoted: an unquoted path with
    // spaces ("C:\Program Files\...") would let the platform try "C:\Program.exe" first.
    const std::wstring exe = ServiceExecutablePath();
    std::wstring commandLine = L"\"" + exe + L"\"";
    // No standard handles of ours go with it (the null ones given here): the service outlives
    // this program, and an output pipe it held on to would stay open until the service ends.
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW | STARTF_USESTDHANDLES;
    startup.wShowWindow = kServiceShowCommand;
    PROCESS_INFORMATION process{};
    if (::CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                         &process)) {
        KernelHandle processHandle(process.hProcess);
        KernelHandle threadHandle(process.hThread);
    }
}

void StopLightingService()
{
    if (HWND service = FindServiceWindow())
        ::PostMessageW(service, WM_CLOSE, 0, 0);
}

void RestartLightingService()
{
    HWND old = FindServiceWindow();
    StopLightingService();
    ::Sleep(kServiceStopPauseMs);
    if (old)
        WaitForServiceToClose(old);
    StartLightingService();
    ::Sleep(kServiceStartPauseMs);
}
