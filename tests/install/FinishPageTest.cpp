// The setup's pages, walked as a person does, to the finish page that offers to start the
// program: the program is started by the shell, as the signed-in user, not by the setup, which
// runs as administrator.
#include "FileText.h"
#include "ProgramProcess.h"
#include "TempFolder.h"
#include "framework/Handles.h"

#include <windows.h>

#include <tlhelp32.h>

#include <string>

#include <gtest/gtest.h>

namespace {

constexpr const wchar_t* kCaption = L"VELDRIAN RGB Control_Config";
constexpr UINT kProgramExit = WM_USER + 600;
constexpr WPARAM kExitWithoutApply = 1625;
constexpr int kNextButton = IDOK; // the setup's Next, Install and Finish button
constexpr DWORD kWaitMs = 60000;
constexpr DWORD kPollMs = 100;
constexpr int kMostPages = 4;

template <class Condition>
bool WaitUntil(Condition condition)
{
    for (DWORD waited = 0; !condition(); waited += kPollMs) {
        if (waited >= kWaitMs)
            return false;
        ::Sleep(kPollMs);
    }
    return true;
}

// The shown top-level window of a process (the setup's one dialog).
HWND ShownWindowOf(DWORD processId)
{
    struct Search {
        DWORD process;
        HWND found;
    } search{processId, nullptr};
    ::EnumWindows(
        [](HWND wnd, LPARAM param) {
            auto* s = reinterpret_cast<Search*>(param);
            DWORD owner = 0;
            ::GetWindowThreadProcessId(wnd, &owner);
            if (owner == s->process && ::IsWindowVisible(wnd)) {
                s->found = wnd;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

DWORD ParentOf(DWORD processId)
{
    KernelHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = ::Process32FirstW(snapshot.get(), &entry); more; more = ::Process32NextW(snapshot.get(), &entry))
        if (entry.th32ProcessID == processId)
            return entry.th32ParentProcessID;
    return 0;
}

// Presses the setup's default button once it can be pressed, and waits until the page changed.
bool PressNext(HWND setup)
{
    const HWND next = ::GetDlgItem(setup, kNextButton);
    if (!WaitUntil([&] { return ::IsWindowEnabled(next) != FALSE; }))
        return false;
    wchar_t before[64] = {};
    ::GetWindowTextW(next, before, 64);
    const HWND page = ::FindWindowExW(setup, nullptr, L"#32770", nullptr);
    ::PostMessageW(setup, WM_COMMAND, MAKEWPARAM(kNextButton, BN_CLICKED), reinterpret_cast<LPARAM>(next));
    return WaitUntil([&] { return !::IsWindow(setup) || ::FindWindowExW(setup, nullptr, L"#32770", nullptr) != page; });
}

} // namespace

TEST(SetupFinishPage, StartsTheProgramThroughTheShellNotAsTheSetup)
{
    TempFolder temp;
    const std::wstring folder = temp / L"Program";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    std::wstring commandLine = L"\"" + WindowsPath(TEST_SETUP_EXE) + L"\" /D=" + folder;
    ASSERT_TRUE(
        ::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info));
    const KernelHandle setupProcess(info.hProcess);
    const KernelHandle setupThread(info.hThread);

    HWND setup = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (setup = ShownWindowOf(info.dwProcessId)) != nullptr; }));
    // Welcome, the folder (Install), the finish page (Finish, the program to be started ticked);
    // the files page goes on to the finish page by itself once the files are in.
    for (int page = 0; page < kMostPages && ::IsWindow(setup); ++page)
        ASSERT_TRUE(PressNext(setup)) << "page " << page;
    ASSERT_EQ(::WaitForSingleObject(setupProcess.get(), kWaitMs), WAIT_OBJECT_0);

    HWND program = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (program = ::FindWindowW(nullptr, kCaption)) != nullptr; }))
        << "the finish page started the program";
    DWORD programId = 0;
    ::GetWindowThreadProcessId(program, &programId);
    EXPECT_NE(ParentOf(programId), info.dwProcessId) << "the setup's own rights would pass to it";

    ::PostMessageW(program, kProgramExit, kExitWithoutApply, 0);
    EXPECT_TRUE(WaitUntil([] { return ::FindWindowW(nullptr, kCaption) == nullptr; }));
    STARTUPINFOW uninstallStartup{};
    uninstallStartup.cb = sizeof(uninstallStartup);
    PROCESS_INFORMATION uninstall{};
    std::wstring uninstallLine = L"\"" + folder + L"\\Uninstall.exe\" /S";
    ASSERT_TRUE(::CreateProcessW(nullptr, uninstallLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                 &uninstallStartup, &uninstall));
    const KernelHandle uninstallProcess(uninstall.hProcess);
    const KernelHandle uninstallThread(uninstall.hThread);
    ::WaitForSingleObject(uninstallProcess.get(), kWaitMs);
    EXPECT_TRUE(WaitUntil([&] { return !FileExists(folder + L"\\VeldrianRGB.exe"); }));
}
