// The lighting service hid.exe seen from outside: its windows, its processes and its log.
#pragma once

#include "devices/LightingService.h"
#include "framework/Handles.h"

#include "Poll.h"

#include <windows.h>

#include <shlobj.h>
#include <tlhelp32.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace service {

constexpr DWORD kWaitMs = poll::kLimitMs;

// Top-level windows with the service caption.
inline std::vector<HWND> Windows()
{
    std::vector<HWND> found;
    ::EnumWindows(
        [](HWND wnd, LPARAM list) -> BOOL {
            wchar_t caption[64] = {};
            ::GetWindowTextW(wnd, caption, 64);
            if (std::wstring(caption) == kServiceWindowCaption)
                reinterpret_cast<std::vector<HWND>*>(list)->push_back(wnd);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

// Running hid.exe processes, wherever they were started from.
inline std::set<DWORD> ProcessIds()
{
    std::set<DWORD> ids;
    KernelHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = ::Process32FirstW(snapshot.get(), &entry); more; more = ::Process32NextW(snapshot.get(), &entry))
        if (::CompareStringOrdinal(entry.szExeFile, -1, kServiceExeName, -1, TRUE) == CSTR_EQUAL)
            ids.insert(entry.th32ProcessID);
    return ids;
}

template <class Condition>
bool WaitUntil(Condition condition, DWORD timeoutMs = kWaitMs)
{
    return poll::Until(condition, timeoutMs);
}

// Asks every running service to close, again and again so one still starting up is caught
// once its window is there, and waits until all have ended.
inline bool StopAll()
{
    return WaitUntil([] {
        for (HWND wnd : Windows())
            ::PostMessageW(wnd, WM_CLOSE, 0, 0);
        return Windows().empty() && ProcessIds().empty();
    });
}

// Ends every running service by force, for services made to ignore the close request, and
// waits until all have gone.
inline bool EndAll()
{
    for (DWORD id : ProcessIds())
        if (KernelHandle process{::OpenProcess(PROCESS_TERMINATE, FALSE, id)})
            ::TerminateProcess(process.get(), 1);
    return WaitUntil([] { return Windows().empty() && ProcessIds().empty(); });
}

inline DWORD ProcessOf(HWND wnd)
{
    DWORD id = 0;
    ::GetWindowThreadProcessId(wnd, &id);
    return id;
}

inline std::wstring ImagePath(DWORD processId)
{
    KernelHandle process(::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    wchar_t path[MAX_PATH] = {};
    DWORD length = MAX_PATH;
    if (!process || !::QueryFullProcessImageNameW(process.get(), 0, path, &length))
        return {};
    return path;
}

// When the process was created, in 100-nanosecond units of the system clock.
inline ULONGLONG CreationTime(DWORD processId)
{
    KernelHandle process(::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    FILETIME created{}, exited{}, kernel{}, user{};
    if (!process || !::GetProcessTimes(process.get(), &created, &exited, &kernel, &user))
        return 0;
    return (ULONGLONG(created.dwHighDateTime) << 32) | created.dwLowDateTime;
}

inline ULONGLONG Now()
{
    FILETIME now{};
    ::GetSystemTimeAsFileTime(&now);
    return (ULONGLONG(now.dwHighDateTime) << 32) | now.dwLowDateTime;
}

constexpr ULONGLONG kTicksPerMs = 10000;

inline std::wstring RoamingAppData()
{
    wchar_t path[MAX_PATH] = {};
    ::SHGetFolderPathW(nullptr, CSIDL_APPDATA | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT, path);
    return path;
}

// The service's own data folder and log: it finds them as the program does, in the roaming
// application-data folder of the user.
inline std::wstring DataFolder()
{
    return RoamingAppData() + L"\\VELDRIAN\\VELDRIAN RGB Control\\";
}

inline std::vector<std::string> LogLines()
{
    std::ifstream in(std::filesystem::path(DataFolder() + L"hid.log"), std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

// The lines written after the first `since` lines.
inline std::vector<std::string> LogLinesSince(size_t since)
{
    std::vector<std::string> lines = LogLines();
    lines.erase(lines.begin(), lines.begin() + static_cast<ptrdiff_t>(std::min(since, lines.size())));
    return lines;
}

} // namespace service
