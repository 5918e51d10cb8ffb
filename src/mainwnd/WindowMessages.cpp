// CHalcyDlg: the pointer, the wheel over the mode list, moving the captionless window, the
// question about the SSD group, the program losing the foreground, and the messages other
// programs send.
#include "mainwnd/HalcyDlg.h"

#include "controls/SelectInGroup.h"
#include "mainwnd/WarnDialog.h"

#include <windowsx.h>

#include <algorithm>
#include <iterator>
#include <string_view>
#include <vector>

namespace {

constexpr const wchar_t* kDialogClass = L"#32770"; // message boxes and the program's dialogs

bool Contains(const RECT& r, POINT p)
{
    return ::PtInRect(&r, p) != FALSE;
}

POINT PointOf(LPARAM lParam)
{
    return {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
}

} // namespace

// Remembers whether the pointer is over the mode list, where the wheel scrolls it. A point
// over a child is taken into the dialog's client coordinates first.
void CHalcyDlg::OnMouseMove(HWND source, LPARAM point)
{
    POINT p = PointOf(point);
    if (source != m_hWnd && !::IsChild(m_hWnd, source))
        return;
    ::MapWindowPoints(source, m_hWnd, &p, 1);
    m_pointerInModeList = Contains(kModeListArea, p) ? 1 : 0;
}

LRESULT CHalcyDlg::OnMouseWheel(WPARAM wParam, LPARAM lParam)
{
    if (m_pointerInModeList == 1)
        m_ui.modeScroll.SendMessage(WM_MOUSEWHEEL, wParam, lParam);
    CDialog::WindowProc(WM_MOUSEWHEEL, wParam, lParam);
    return 1;
}

// A press on the surface closes what waits for the person and, on the top strip, moves the
// window as a caption bar would.
void CHalcyDlg::OnLButtonDown(LPARAM point)
{
    CloseOpenMenu();
    TakePendingColour();
    POINT p = PointOf(point);
    if (!Contains(kDragStrip, p))
        return;
    // The move loop starts from the pointer on the screen, as for a caption-bar press.
    ::ClientToScreen(m_hWnd, &p);
    PostMessage(WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(p.x, p.y));
}

void CHalcyDlg::OnTimer(UINT_PTR id)
{
    if (id != kSsdWarningTimer)
        return;
    KillTimer(kSsdWarningTimer);
    // Asked once Apply is done: its nested loop would hold the new service back until answered.
    if (m_applying) {
        m_ssdQuestionWaiting = true;
        return;
    }
    // The question runs a nested loop; a second request meanwhile would stack another.
    if (!m_warningOpen)
        AskForSsdGroup();
}

// Masks the window and asks; retry there looks for SSD devices and answers OK once found.
void CHalcyDlg::AskForSsdGroup()
{
    m_warningOpen = true;
    m_mask.Show(m_hWnd);
    CWarnDlg warning(m_hWnd);
    warning.SetDeviceList(&m_devices);
    const INT_PTR answer = warning.DoModal();
    if (answer == IDOK)
        ShowSsdGroup();
    else if (answer == IDCANCEL)
        EndDialog(IDCANCEL);
    m_mask.Hide();
    m_warningOpen = false;
}

// The SSD group joins the column and is shown at once.
void CHalcyDlg::ShowSsdGroup()
{
    m_cursor.OfferGroup(kGroupSsd);
    m_cursor.ShowGroup(kGroupSsd);
    PlaceGroupColumn();
    SelectInGroup(m_ui.group, m_ui.group[kGroupSsd].GetSafeHwnd());
    ShowCurrentGroup();
}

// The list is an owned pop-up that never takes activation: when the person turns to another
// program it would stay open above that program's windows.
void CHalcyDlg::OnActivateApp(bool active)
{
    if (!active)
        CloseOpenMenu();
}

// Another start of the program (or another program) asks for the window: it comes back from
// the taskbar and to the front, or to the question open over it. Windows lets a program take
// the foreground only while it may (the second start hands its right over before it posts);
// where it may not, the taskbar button flashes until the person turns to the window.
void CHalcyDlg::OnProgramRestore()
{
    ShowWindow(SW_SHOWNORMAL);
    if (::SetForegroundWindow(::GetLastActivePopup(m_hWnd)))
        return;
    FLASHWINFO flash{sizeof(FLASHWINFO), m_hWnd, FLASHW_TRAY | FLASHW_TIMERNOFG, 0, 0};
    ::FlashWindowEx(&flash);
}

// Another program (the setup, say) ends this one; nothing is applied. Questions and dialogs
// of the program that are open (each running its own loop inside this one) are closed first,
// each answering Cancel: otherwise this window would end only once the person answered them,
// and the setup could not replace the program's file meanwhile.
void CHalcyDlg::OnProgramExit(WPARAM code)
{
    if (std::find(std::begin(kProgramExitCodes), std::end(kProgramExitCodes), code) == std::end(kProgramExitCodes))
        return;
    CloseOpenMenu();
    CloseOwnModalWindows();
    for (const wchar_t* caption : {kWarningCaption, kPreferenceCaption})
        if (const HWND wnd = ::FindWindowW(nullptr, caption))
            ::SendMessageW(wnd, WM_CLOSE, 0, 0);
    EndDialog(IDOK);
}

// The visible dialogs of this thread that this window owns, directly or through another, end
// with IDCANCEL, the topmost (the innermost loop) first. Each loop ends once the message being
// handled returns to it. A message box is the platform's own dialog, ended by the platform's
// EndDialog (whatever its buttons, where WM_CLOSE may be ignored); one of ours by its object.
void CHalcyDlg::CloseOwnModalWindows()
{
    struct Search {
        HWND owner;
        std::vector<HWND> found;
    } search{m_hWnd, {}};
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND wnd, LPARAM param) {
            auto* s = reinterpret_cast<Search*>(param);
            wchar_t className[16] = {};
            ::GetClassNameW(wnd, className, 16);
            if (wnd != s->owner && ::IsWindowVisible(wnd) && std::wstring_view(className) == kDialogClass &&
                ::GetAncestor(wnd, GA_ROOTOWNER) == s->owner)
                s->found.push_back(wnd);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    for (HWND wnd : search.found) {
        if (auto* dialog = dynamic_cast<CDialog*>(CWnd::FromHandle(wnd)))
            dialog->EndDialog(IDCANCEL);
        else
            ::EndDialog(wnd, IDCANCEL);
    }
}
