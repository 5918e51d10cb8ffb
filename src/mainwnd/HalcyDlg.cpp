// CHalcyDlg: construction, window creation, initialisation, the message map and the
// keyboard filter.
#include "mainwnd/HalcyDlg.h"

#include "base/Paths.h"
#include "controls/SliderWindow.h"
#include "devices/LightingService.h"
#include "framework/WaitCursor.h"
#include "settings/SettingsStore.h"

#include "resource.h"

#include <utility>

namespace {

// Added to the template's pop-up style: a taskbar button that minimises, and a system menu
// so Alt+F4 and the taskbar's close reach the dialog as a system close.
constexpr DWORD kMinimiseStyle = WS_MINIMIZEBOX;
constexpr DWORD kSystemMenuStyle = WS_SYSMENU | 0x20;

bool IsKeyMessage(UINT message)
{
    return message >= WM_KEYFIRST && message <= WM_KEYLAST;
}

// Raises a flag for the life of the scope.
class FlagScope {
public:
    explicit FlagScope(bool& flag) noexcept : m_flag(flag) { m_flag = true; }
    ~FlagScope() { m_flag = false; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

private:
    bool& m_flag;
};

} // namespace

CHalcyDlg::CHalcyDlg() noexcept
    : CDialog(IDD_MAIN_DIALOG),
      m_hIcon(static_cast<HICON>(::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_PROGRAM), IMAGE_ICON, 0,
                                              0, LR_DEFAULTSIZE | LR_SHARED)))
{
}

LRESULT CHalcyDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        return OnCreate(reinterpret_cast<CREATESTRUCTW*>(lParam));
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_ERASEBKGND:
        return TRUE; // every paint covers the whole client area from the composed background
    case WM_QUERYDRAGICON:
        return reinterpret_cast<LRESULT>(OnQueryDragIcon());
    case WM_SETCURSOR:
        if (!m_applying)
            return CDialog::WindowProc(message, wParam, lParam);
        ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT)); // the pointer over the window says it waits
        return TRUE;
    case WM_SLIDER_POS:
        // A position posted before Apply began would change the settings Apply is restarting on.
        return m_applying ? 0 : OnSliderPos(wParam, lParam);
    case WM_MENU_SELECTION: {
        if (m_applying)
            return 0;
        const int menuGroup = m_list.DeviceGroup();
        m_list.Close(); // the choice decides the shown group, not the closing
        OnMenuSelection(HIWORD(lParam), menuGroup);
        return CDialog::WindowProc(message, wParam, lParam);
    }
    case WM_MOUSEMOVE:
        OnMouseMove(m_hWnd, lParam);
        return CDialog::WindowProc(message, wParam, lParam);
    case WM_MOUSEWHEEL:
        return OnMouseWheel(wParam, lParam);
    case WM_LBUTTONDOWN:
        OnLButtonDown(lParam);
        return CDialog::WindowProc(message, wParam, lParam);
    case WM_TIMER:
        OnTimer(static_cast<UINT_PTR>(wParam));
        return CDialog::WindowProc(message, wParam, lParam);
    case WM_PROGRAM_PING:
        return 1;
    case WM_PROGRAM_EXIT:
        OnProgramExit(wParam);
        return 1;
    case WM_ACTIVATEAPP:
        OnActivateApp(wParam != FALSE);
        return CDialog::WindowProc(message, wParam, lParam);
    case WM_PROGRAM_RESTORE:
        OnProgramRestore();
        return CDialog::WindowProc(message, wParam, lParam);
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
    m_cursor.OfferGroup(kGroupDram);
    m_cursor.ShowGroup(kGroupDram);
    StartLightingService();
    ::SetCurrentDirectoryW(ProgramFolder().c_str());
    return 0;
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

    BuildSkinLayout();
    CenterWindow();
    ShowCurrentGroup();
    return TRUE;
}

// Shows a group of the current profile and gives it the discovered device count.
void CHalcyDlg::ShowGroup(int group)
{
    m_cursor.ShowGroup(group);
    if (m_hWnd)
        m_cursor.GroupInUse().DevNum = m_devices.DeviceCount(group);
}

void CHalcyDlg::ShowCurrentGroup()
{
    ShowGroup(m_cursor.Group());
    m_cursor.ChooseRecordOfGroup();
    RefreshPanel(true);
}

void CHalcyDlg::ApplySettings()
{
    // A second Apply, from a message handled while this one waits for the service, would close
    // and start services halfway through this restart.
    if (m_applying)
        return;
    const FlagScope applying(m_applying);
    CWaitCursor wait;
    const bool applyButtonShown = m_ui.apply.GetSafeHwnd() != nullptr;
    if (applyButtonShown)
        m_ui.apply.EnableWindow(false);
    // The saved block stays what the file holds, so "Save Profile?" still asks after a failed
    // write. The service is restarted either way and reads whichever file is there.
    if (WriteAllSettings(m_cfg, SettingsFilePath()))
        m_cfgSaved = m_cfg;
    RestartLightingService();
    if (applyButtonShown)
        m_ui.apply.EnableWindow(true);
    if (std::exchange(m_ssdQuestionWaiting, false))
        PostMessage(WM_TIMER, kSsdWarningTimer, 0);
}

// While Apply waits for the service no command is carried out: the wait drops what the person
// clicks and types, and a command from elsewhere (a control's notification still queued, a
// message from another program) would change or apply settings halfway through this Apply.
// Commands without a control (the system close, the help key) get the framework's handling,
// without a second Apply: a close ends the window once this Apply is done.
BOOL CHalcyDlg::OnCommandWhileApplying(WPARAM wParam, LPARAM lParam)
{
    return lParam == 0 ? CDialog::OnCommand(wParam, lParam) : TRUE;
}

BOOL CHalcyDlg::PreTranslateMessage(MSG* msg)
{
    if (msg->message == WM_KEYDOWN && msg->wParam == VK_ESCAPE)
        return FALSE; // no dialog translation: Esc never closes the window
    if (msg->message == WM_ACTIVATE)
        return FALSE;
    if (msg->message == WM_MOUSEMOVE && msg->hwnd != m_hWnd)
        OnMouseMove(msg->hwnd, msg->lParam); // over a child, such as a mode button
    if (msg->message == WM_KEYUP)
        if (CClrEdit* field = ColourFieldOf(::GetFocus()))
            OnColourFieldKeyUp(*field, msg->wParam);
    // Enter never reaches the default-button handling. Only key messages: a posted slider
    // position or a mouse move whose wParam happens to be 13 is not a key.
    if (IsKeyMessage(msg->message) && msg->wParam == VK_RETURN)
        return TRUE;
    return CDialog::PreTranslateMessage(msg);
}
