// The real program under hostile input: the settings file it reads, a devices folder of the
// test's own, the started process, and the checks every case ends with (it answers, it ends
// cleanly, the settings file is untouched or whole).
#pragma once

#include "FileText.h"
#include "Poll.h"
#include "ProgramProcess.h"
#include "ServiceProbe.h"
#include "SkinPlaces.h"
#include "TempFolder.h"
#include "UserSettings.h"

#include "framework/Handles.h"
#include "settings/SettingsStore.h"

#include <windows.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace hostile {

constexpr const wchar_t* kCaption = L"VELDRIAN RGB Control_Config";
constexpr const wchar_t* kWarningCaption = L"VELDRIAN RGB Control_Warning";
constexpr UINT kMenuSelection = WM_USER + 257;
constexpr UINT kSliderPos = WM_USER + 70;
constexpr UINT kProgramPing = WM_USER + 20;
constexpr UINT kProgramExit = WM_USER + 600;
constexpr WPARAM kExitCodes[] = {1625, 1626};
constexpr UINT kProgramRestore = 4000;
constexpr UINT_PTR kSsdWarningTimer = 20010;
// A busy program still answers a message within this time; a hung one does not.
constexpr UINT kAnswerMs = 5000;
constexpr DWORD kCleanExit = 0;

inline std::wstring SettingsFile()
{
    return UserSettingsFile();
}

// The settings file exactly as given, byte for byte.
inline void PlantSettings(const std::string& bytes)
{
    EnsureUserDataFolder();
    WriteFileBytes(SettingsFile(), bytes);
}

// A fresh settings file written by the store from the block.
inline void PlantSettings(const SettingsBlock& block)
{
    PlantUserSettings(block);
}

inline SettingsBlock EnglishDefaults()
{
    return EnglishFirstRunSettings();
}

// What the store reads from the file, or nothing when a record of it does not decode: every
// record is read over two different fillings, and a record that failed keeps its filling.
inline std::unique_ptr<SettingsBlock> ReadWholeSettings(const std::wstring& path)
{
    auto zeros = std::make_unique<SettingsBlock>();
    auto ones = std::make_unique<SettingsBlock>();
    std::memset(zeros.get(), 0x00, sizeof(SettingsBlock));
    std::memset(ones.get(), 0xFF, sizeof(SettingsBlock));
    ReadAllSettings(path, *zeros);
    ReadAllSettings(path, *ones);
    if (std::memcmp(zeros.get(), ones.get(), sizeof(SettingsBlock)) != 0)
        return nullptr;
    return zeros;
}

// devices\dram\ and devices\ssd\ in a temporary folder, named to the provider by the variable
// the started program inherits; the two demo modules unless told otherwise.
class DevicesFolder {
public:
    explicit DevicesFolder(bool demoModules = true)
    {
        ::CreateDirectoryW((m_folder / L"dram").c_str(), nullptr);
        ::CreateDirectoryW((m_folder / L"ssd").c_str(), nullptr);
        if (demoModules)
            for (const wchar_t* module : {L"dimm-a2.xml", L"dimm-b2.xml"})
                ::CopyFileW((TestProgramFolder() + L"devices\\dram\\" + module).c_str(), Dram(module).c_str(), FALSE);
        ::SetEnvironmentVariableW(L"VELDRIAN_STANDIN_DEVICES", m_folder.path().c_str());
    }
    ~DevicesFolder() { ::SetEnvironmentVariableW(L"VELDRIAN_STANDIN_DEVICES", nullptr); }
    DevicesFolder(const DevicesFolder&) = delete;
    DevicesFolder& operator=(const DevicesFolder&) = delete;

    std::wstring Dram(const std::wstring& name) const { return m_folder / (L"dram\\" + name); }
    std::wstring Ssd(const std::wstring& name) const { return m_folder / (L"ssd\\" + name); }

private:
    TempFolder m_folder;
};

// The started program and its main window; ended at scope end if it still runs.
class ProgramUnderTest {
public:
    explicit ProgramUnderTest(const std::wstring& exe = ProgramProcess::DefaultExe())
        : m_process(exe), m_handle(::OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION | PROCESS_TERMINATE, FALSE,
                                                 m_process.ProcessId())),
          m_wnd(m_process.WaitForWindow(kCaption))
    {
    }

    HWND Window() const noexcept { return m_wnd; }
    const ProgramProcess& Process() const noexcept { return m_process; }

    // Still running, its window takes a message within the time a person would wait, and
    // everything posted to it before has been handled: a message sent from another thread
    // overtakes whatever waits in the queue, so a check made straight after posting sees the
    // state from before. The window is minimised at once (the show request overtakes the
    // queue) and then restored by a message posted behind everything else: once it shows
    // again, all posted before has been handled. What is posted before must hold no restore.
    bool Answers() const noexcept
    {
        DWORD_PTR result = 0;
        if (!m_process.Running() || !m_wnd ||
            !::SendMessageTimeoutW(m_wnd, WM_NULL, 0, 0, SMTO_BLOCK, poll::Scaled(kAnswerMs), &result))
            return false;
        ::ShowWindow(m_wnd, SW_MINIMIZE);
        if (!::IsIconic(m_wnd))
            return false;
        ::PostMessageW(m_wnd, kProgramRestore, 0, 0);
        return poll::Until([&] { return !::IsIconic(m_wnd) && ::IsWindowVisible(m_wnd); }) && m_process.Running();
    }

    // The warning dialog windows of this process, shown or not: a handler that asks makes its
    // window at once, before it shows.
    std::vector<HWND> WarningWindows() const
    {
        struct Search {
            DWORD process;
            std::vector<HWND> found;
        } search{m_process.ProcessId(), {}};
        ::EnumWindows(
            [](HWND wnd, LPARAM param) {
                auto* s = reinterpret_cast<Search*>(param);
                wchar_t caption[64] = {};
                ::GetWindowTextW(wnd, caption, 64);
                DWORD owner = 0;
                ::GetWindowThreadProcessId(wnd, &owner);
                if (owner == s->process && std::wstring(caption) == kWarningCaption)
                    s->found.push_back(wnd);
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&search));
        return search.found;
    }

    // The message other programs end it with: nothing is applied. The exit code.
    DWORD EndWithoutApplying(WPARAM code = kExitCodes[0]) const noexcept
    {
        ::PostMessageW(m_wnd, kProgramExit, code, 0);
        return m_process.WaitForExit();
    }

    // The system close (Alt+F4, the taskbar): the settings are applied first. The exit code.
    DWORD CloseApplying() const noexcept
    {
        ::PostMessageW(m_wnd, WM_CLOSE, 0, 0);
        return m_process.WaitForExit();
    }

    // Ends it at once, wherever it is, as a crash, Task Manager or a power cut does; returns
    // once it has ended.
    void Kill() const noexcept
    {
        ::TerminateProcess(m_handle.get(), kKilledExit);
        ::WaitForSingleObject(m_handle.get(), poll::Scaled(kKillWaitMs));
    }

private:
    static constexpr UINT kKilledExit = 99;
    static constexpr DWORD kKillWaitMs = 10000;

    ProgramProcess m_process;
    KernelHandle m_handle; // for the kill, which the process object does not offer
    HWND m_wnd;
};

} // namespace hostile
