// Both sides of the start measure: the started copy and the bench that starts it.
#include "ProcessStart.h"

#include "BenchFolders.h"

#include "base/Paths.h"
#include "framework/ComPtr.h"
#include "framework/Handles.h"
#include "mainwnd/HalcyDlg.h"

#include <windows.h>

#include <commctrl.h>
#include <gdiplus.h>
#include <psapi.h>

#include <cstdio>
#include <optional>

namespace {

constexpr double kTicksPerMs = 10000.0; // FILETIME units
constexpr double kBytesPerMb = 1024.0 * 1024.0;
constexpr DWORD kCopyTimeoutMs = 60000;
constexpr const char* kReportFormat = "%lf %lf %lf %lf %lf %lf %lf %lf %lf";

ULONGLONG Ticks(const FILETIME& time)
{
    return (ULONGLONG(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

// The process's creation time and the present on the same clock (the system time), so the
// difference counts the loader too.
ULONGLONG CreationTicks()
{
    FILETIME created{}, exited{}, kernel{}, user{};
    ::GetProcessTimes(::GetCurrentProcess(), &created, &exited, &kernel, &user);
    return Ticks(created);
}

double MsSinceCreation()
{
    FILETIME now{};
    ::GetSystemTimePreciseAsFileTime(&now);
    return static_cast<double>(Ticks(now) - CreationTicks()) / kTicksPerMs;
}

PROCESS_MEMORY_COUNTERS_EX MemoryCounters()
{
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof(counters);
    ::GetProcessMemoryInfo(::GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                           sizeof(counters));
    return counters;
}

double WorkingSetMb()
{
    return static_cast<double>(MemoryCounters().WorkingSetSize) / kBytesPerMb;
}

void ReadMemoryCounters(StartReport& report)
{
    const PROCESS_MEMORY_COUNTERS_EX counters = MemoryCounters();
    report.peakWorkingSetMb = static_cast<double>(counters.PeakWorkingSetSize) / kBytesPerMb;
    // Wine leaves PrivateUsage 0 and counts the process's anonymous memory as page-file use; on
    // Windows the two are the same commit charge.
    const SIZE_T privateBytes = counters.PrivateUsage ? counters.PrivateUsage : counters.PagefileUsage;
    report.privateMb = static_cast<double>(privateBytes) / kBytesPerMb;
}

// One line on standard output, written directly: the pipe is read as soon as the copy ends.
void WriteReport(const StartReport& r)
{
    char line[256];
    const int length = std::snprintf(line, sizeof(line), "%.3f %.3f %.3f %.3f %.3f %.3f %.3f %.3f %.3f\n",
                                     r.mainEntered, r.initDone, r.windowCreated, r.painted, r.setUpWorkingSetMb,
                                     r.createdWorkingSetMb, r.peakWorkingSetMb, r.privateMb, r.secondCreate);
    DWORD written = 0;
    ::WriteFile(::GetStdHandle(STD_OUTPUT_HANDLE), line, static_cast<DWORD>(length), &written, nullptr);
}

std::optional<StartReport> ParseReport(const std::string& text)
{
    StartReport r;
    if (std::sscanf(text.c_str(), kReportFormat, &r.mainEntered, &r.initDone, &r.windowCreated, &r.painted,
                    &r.setUpWorkingSetMb, &r.createdWorkingSetMb, &r.peakWorkingSetMb, &r.privateMb,
                    &r.secondCreate) != 9)
        return std::nullopt;
    return r;
}

std::wstring OwnPath()
{
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

std::string ReadAll(HANDLE pipe)
{
    std::string text;
    char buffer[256];
    DWORD read = 0;
    while (::ReadFile(pipe, buffer, sizeof(buffer), &read, nullptr) && read > 0)
        text.append(buffer, read);
    return text;
}

// The same window opened again in the same process: what the first one paid only once (decoding the
// skin's faces, the platform's first use of fonts and codecs) is not paid again. The lighting
// service started by the first window runs now.
double SecondCreateMs()
{
    const double started = MsSinceCreation();
    CHalcyDlg dialog;
    const bool created = dialog.Create();
    const double finished = MsSinceCreation();
    if (dialog.GetSafeHwnd())
        dialog.DestroyWindow();
    return created ? finished - started : 0.0;
}

} // namespace

int RunStartChild(const std::wstring& appData)
{
    StartReport report;
    report.mainEntered = MsSinceCreation();

    // What the application object does before it opens the main window. The window must read
    // the bench's settings file, not start from first-run values.
    UseBenchPaths(appData);
    if (::GetFileAttributesW(SettingsFilePath().c_str()) == INVALID_FILE_ATTRIBUTES)
        return 1;
    Gdiplus::GdiplusStartupInput gdiplusInput;
    ULONG_PTR gdiplusToken = 0;
    Gdiplus::GdiplusStartup(&gdiplusToken, &gdiplusInput, nullptr);
    std::optional<ComApartment> apartment(std::in_place);
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);
    report.initDone = MsSinceCreation();
    report.setUpWorkingSetMb = WorkingSetMb();

    int result = 1;
    {
        CHalcyDlg dialog;
        if (dialog.Create() && ::IsWindowVisible(dialog.GetSafeHwnd())) {
            report.windowCreated = MsSinceCreation();
            report.createdWorkingSetMb = WorkingSetMb();
            ::RedrawWindow(dialog.GetSafeHwnd(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
            report.painted = MsSinceCreation();
            ReadMemoryCounters(report);
            result = 0;
        }
        if (dialog.GetSafeHwnd())
            dialog.DestroyWindow();
    }
    if (result == 0) {
        report.secondCreate = SecondCreateMs();
        WriteReport(report);
    }
    apartment.reset();
    Gdiplus::GdiplusShutdown(gdiplusToken);
    return result;
}

int RunBaselineChild()
{
    StartReport report;
    report.mainEntered = MsSinceCreation();
    ReadMemoryCounters(report);
    WriteReport(report);
    return 0;
}

std::optional<StartReport> StartCopy(const std::wstring& mode, const std::wstring& appData)
{
    SECURITY_ATTRIBUTES inheritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    KernelHandle readEnd;
    KernelHandle writeEnd;
    HANDLE readHandle = nullptr;
    HANDLE writeHandle = nullptr;
    if (!::CreatePipe(&readHandle, &writeHandle, &inheritable, 0))
        return std::nullopt;
    readEnd.reset(readHandle);
    writeEnd.reset(writeHandle);
    ::SetHandleInformation(readEnd.get(), HANDLE_FLAG_INHERIT, 0);

    // A backslash before the closing quote would escape it: the folder goes without its own.
    std::wstring folder = appData;
    while (!folder.empty() && folder.back() == L'\\')
        folder.pop_back();
    const std::wstring exe = OwnPath();
    std::wstring commandLine = L"\"" + exe + L"\" " + mode + L" \"" + folder + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd.get();
    startup.hStdError = ::GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                          &process))
        return std::nullopt;
    const KernelHandle processHandle(process.hProcess);
    const KernelHandle threadHandle(process.hThread);
    writeEnd.reset(); // the copy holds the only write end: its end closes the pipe

    // The report is one short line, well within the pipe's buffer: the copy never waits on it.
    if (::WaitForSingleObject(processHandle.get(), kCopyTimeoutMs) != WAIT_OBJECT_0) {
        ::TerminateProcess(processHandle.get(), 1);
        return std::nullopt;
    }
    DWORD exitCode = 1;
    if (!::GetExitCodeProcess(processHandle.get(), &exitCode) || exitCode != 0)
        return std::nullopt;
    return ParseReport(ReadAll(readEnd.get()));
}
