// CHalcyDlg: construction, window creation and initialisation.
#include "mainwnd/HalcyDlg.h"

#include "app/LightingService.h"
#include "app/Paths.h"
#include "framework/WaitCursor.h"
#include "settings/SettingsStore.h"

#include "resource.h"

#include <algorithm>

namespace {

// Added to the template's pop-up style: a taskbar button that minimises, and a system menu
// so Alt+F4 and the taskbar's close reach the dialog as a system close.
constexpr DWORD kMinimiseStyle = WS_MINIMIZEBOX;
constexpr DWORD kSystemMenuStyle = WS_SYSMENU | 0x20;

} // namespace

CHalcyDlg::CHalcyDlg() noexcept
    : CDialog(IDD_MAIN_DIALOG),
      m_hIcon(static_cast<HICON>(::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_PROGRAM), IMAGE_ICON,
                                              0, 0, LR_DEFAULTSIZE | LR_SHARED)))
{
}

LRESULT CHalcyDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        return OnCreate(reinterpret_cast<CREATESTRUCTW*>(lParam));
    case WM_QUERYDRAGICON:
        return reinterpret_cast<LRESULT>(OnQueryDragIcon());
    default:
        return CDialog::WindowProc(message, wParam, lParam);
    }
}

// Completes the program's start before the dialog initialises: devices, service, folder.
int CHalcyDlg::OnCreate(CREATESTRUCTW*)
{
    if (Default() == -1)
        return -1;
    m_devices.DiscoverDram();
    ::Sleep(kDiscoveryPauseMs);
    // DRAM is offered even with no device found; SSD joins only through the warning dialog.
    AddGroup(kGroupDram);
    m_curGroup = m_groups[0];
    StartLightingService();
    ::SetCurrentDirectoryW(ProgramFolder().c_str());
    return 0;
}

// Each group is listed once, in the order it became available.
void CHalcyDlg::AddGroup(int group) noexcept
{
    if (std::find(m_groups, m_groups + m_groupCount, group) == m_groups + m_groupCount && m_groupCount < kMaxGroups)
        m_groups[m_groupCount++] = group;
}

BOOL CHalcyDlg::OnInitDialog()
{
    CDialog::OnInitDialog();

    ModifyStyle(0, kMinimiseStyle);
    ModifyStyle(0, kSystemMenuStyle);

    SetWindowText(kMainWindowCaption);
    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));

    InitSettingsFilePath();
    LoadSettings(SettingsFilePath(), m_cfg, m_cfgSaved);
    return TRUE;
}

void CHalcyDlg::ApplySettings()
{
    CWaitCursor wait;
    WriteAllSettings(m_cfg, SettingsFilePath());
    m_cfgSaved = m_cfg;
    RestartLightingService();
}
