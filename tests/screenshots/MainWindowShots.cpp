// Pictures for people, not a test: the real main window in its normal display, once with a mode
// that offers colours and once with one that does not, over the built program folder and the
// two demo modules, saved to <build>/screenshots/. It checks nothing; the tests check what
// these displays show.
#include "mainwnd/HalcyDlg.h"

#include "ProgramProcess.h"
#include "ServiceProbe.h"
#include "TempFolder.h"
#include "WindowShot.h"

#include "base/Paths.h"
#include "framework/ComPtr.h"
#include "settings/SettingsStore.h"

#include <windows.h>

#include <commctrl.h>
#include <gdiplus.h>

#include <cstdio>
#include <string>

namespace {

constexpr DWORD kFirstPaintMs = 50;

struct Shot {
    int mode;
    const wchar_t* name;
};
constexpr Shot kShots[] = {{2, L"main-colour-mode"}, {8, L"main-no-colour-mode"}};

// Handles what the window's creation left in the queue.
void Pump(DWORD ms)
{
    const ULONGLONG end = ::GetTickCount64() + ms;
    do {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        ::Sleep(1);
    } while (::GetTickCount64() < end);
}

// The window opened on first-run settings in English with the mode given to the first record.
bool SaveShot(const Shot& shot)
{
    SettingsBlock block{};
    ApplyFirstRunDefaults(block);
    block.lan_id = 0;
    block.profiles[0].dram.effects[0].mode = shot.mode;
    ::DeleteFileW(SettingsFilePath().c_str());
    WriteAllSettings(block, SettingsFilePath());

    const ComApartment apartment; // the application object's
    CHalcyDlg dialog;
    if (!dialog.Create())
        return false;
    Pump(kFirstPaintMs);
    const bool saved = SaveWindowShot(dialog, shot.name);
    dialog.DestroyWindow();
    return saved;
}

} // namespace

int wmain()
{
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    Gdiplus::GdiplusStartup(&token, &input, nullptr);

    TempFolder appData;
    TempFolder devices;
    ::CreateDirectoryW((devices / L"dram").c_str(), nullptr);
    ::CreateDirectoryW((devices / L"ssd").c_str(), nullptr);
    for (const wchar_t* module : {L"dimm-a2.xml", L"dimm-b2.xml"})
        ::CopyFileW((TestProgramFolder() + L"devices\\dram\\" + module).c_str(),
                    (devices / (std::wstring(L"dram\\") + module)).c_str(), FALSE);
    ::SetEnvironmentVariableW(L"VELDRIAN_STANDIN_DEVICES", devices.path().c_str());
    SetProgramFolderForTesting(TestProgramFolder());
    InitProgramFolder();
    SetAppDataFolderForTesting(appData.path().substr(0, appData.path().size() - 1));
    InitDataFolder();
    InitSettingsFilePath();

    service::StopAll();
    int failed = 0;
    for (const Shot& shot : kShots)
        if (!SaveShot(shot)) {
            std::fwprintf(stderr, L"main_window_shots: %ls could not be saved\n", shot.name);
            ++failed;
        }
    service::StopAll();
    Gdiplus::GdiplusShutdown(token);
    return failed;
}
