// Starting, stopping and restarting the lighting service.
#include "devices/LightingService.h"

#include "base/Paths.h"
#include "framework/DebugTraceLine.h"
#include "framework/Handles.h"
#include "framework/MessageWait.h"

#include <windows.h>

namespace {

constexpr DWORD kWindowPollMs = 20;
// The service decides for itself what it shows; it is started as a program started plainly is.
constexpr WORD kServiceShowCommand = SW_SHOW;

DWORD g_endLimitForTesting = 0;

DWORD ServiceEndLimit()
{
    return g_endLimitForTesting ? g_endLimitForTesting : kServiceEndLimitMs;
}

HWND FindServiceWindow()
{
    return ::FindWindowW(nullptr, kServiceWindowCaption);
}

// The running service as a restart needs it: its window to ask, its process to wait for.
struct RunningService {
    HWND window = nullptr;
    KernelHandle process; // none when the service's process may not be opened
};

RunningService FindRunningService()
{
    RunningService service;
    service.window = FindServiceWindow();
    DWORD processId = 0;
    if (service.window && ::GetWindowThreadProcessId(service.window, &processId))
        service.process.reset(::OpenProcess(SYNCHRONIZE, FALSE, processId));
    return service;
}

// Its process ending is what counts: a service may take its window down before it has let go
// of the driver. Where the process may not be waited on, its window going is all there is.
bool WaitForServiceToEnd(const RunningService& service)
{
    if (service.process)
        return WaitHandlingMessages(service.process.get(), ServiceEndLimit());
    const ULONGLONG end = ::GetTickCount64() + ServiceEndLimit();
    while (::IsWindow(service.window)) {
        if (::GetTickCount64() >= end)
            return false;
        PauseHandlingMessages(kWindowPollMs);
    }
    return true;
}

void TraceServiceLeftRunning(const wchar_t* why, DWORD error)
{
    TraceLine(L"the lighting service was left running and no second one started: " + std::wstring(why), error);
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
    // It runs in its own folder, not in whatever folder this program was started from: a
    // service holding that folder as its current one would keep it from being removed (a
    // removable drive from being ejected) for as long as the service runs.
    if (::CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, ProgramFolder().c_str(),
                         &startup, &process)) {
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
    const RunningService old = FindRunningService();
    // Windows refuses the request when the service runs with higher rights than this program.
    if (old.window && !::PostMessageW(old.window, WM_CLOSE, 0, 0)) {
        TraceServiceLeftRunning(L"it refused the close request", ::GetLastError());
        return;
    }
    PauseHandlingMessages(kServiceStopPauseMs);
    if (old.window && !WaitForServiceToEnd(old)) {
        TraceServiceLeftRunning(L"it was still running at the limit after the close request", ERROR_TIMEOUT);
        return;
    }
    StartLightingService();
    PauseHandlingMessages(kServiceStartPauseMs);
}

void SetServiceEndLimitForTesting(unsigned long limitMs)
{
    g_endLimitForTesting = limitMs;
}
