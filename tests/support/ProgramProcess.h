// The real VeldrianRGB.exe of the built program folder, started as its own process; ended at
// scope end if it still runs.
#pragma once

#include "FileText.h"
#include "Poll.h"

#include <windows.h>

#include <string>

// The built program folder as a Windows path with its trailing backslash.
inline std::wstring TestProgramFolder()
{
    return WindowsPath(TEST_PROGRAM_DIR) + L"\\";
}

class ProgramProcess {
public:
    // Started in its own folder, as a shortcut starts it, unless another current folder is given.
    explicit ProgramProcess(const std::wstring& exe = DefaultExe(), const std::wstring& currentFolder = {})
    {
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        std::wstring commandLine = L"\"" + exe + L"\"";
        const std::wstring folder = currentFolder.empty() ? exe.substr(0, exe.rfind(L'\\') + 1) : currentFolder;
        if (::CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                             &startup, &m_info))
            ::CloseHandle(m_info.hThread);
        else
            m_info = {};
    }
    ~ProgramProcess()
    {
        if (!m_info.hProcess)
            return;
        if (Running()) {
            ::TerminateProcess(m_info.hProcess, 1);
            ::WaitForSingleObject(m_info.hProcess, kEndWaitMs);
        }
        ::CloseHandle(m_info.hProcess);
    }
    ProgramProcess(const ProgramProcess&) = delete;
    ProgramProcess& operator=(const ProgramProcess&) = delete;

    static std::wstring DefaultExe() { return TestProgramFolder() + L"VeldrianRGB.exe"; }

    bool Started() const noexcept { return m_info.hProcess != nullptr; }
    bool Running() const noexcept { return Started() && ::WaitForSingleObject(m_info.hProcess, 0) == WAIT_TIMEOUT; }
    DWORD ProcessId() const noexcept { return m_info.dwProcessId; }

    // Waits for the process to end; its exit code, or STILL_ACTIVE after the time-out.
    DWORD WaitForExit(DWORD timeoutMs = kEndWaitMs) const noexcept
    {
        ::WaitForSingleObject(m_info.hProcess, poll::Scaled(timeoutMs));
        DWORD code = STILL_ACTIVE;
        ::GetExitCodeProcess(m_info.hProcess, &code);
        return code;
    }

    // The top-level window with this caption owned by this process, once it is visible: a
    // dialog shows after its initialisation (null when it does not show in time).
    HWND WaitForWindow(const wchar_t* caption, DWORD timeoutMs = kWindowWaitMs) const noexcept
    {
        HWND shown = nullptr;
        poll::Until(
            [&] {
                const HWND wnd = ::FindWindowW(nullptr, caption);
                DWORD owner = 0;
                if (wnd && ::GetWindowThreadProcessId(wnd, &owner) && owner == m_info.dwProcessId &&
                    ::IsWindowVisible(wnd))
                    shown = wnd;
                return shown || !Running();
            },
            timeoutMs);
        return shown;
    }

private:
    static constexpr DWORD kEndWaitMs = 10000;
    static constexpr DWORD kWindowWaitMs = 20000;

    PROCESS_INFORMATION m_info{};
};
