// CDialog: template creation, the modal loop and the standard dialog commands.
#include "framework/Dialog.h"

#include "framework/DebugTraceLine.h"
#include "framework/WinApp.h"

#include <utility>

namespace {

HWND TopLevelOf(HWND wnd)
{
    while (wnd && (::GetWindowLongPtrW(wnd, GWL_STYLE) & WS_CHILD))
        wnd = ::GetParent(wnd);
    return wnd;
}

bool IsInputMessage(UINT message)
{
    return (message >= WM_KEYFIRST && message <= WM_KEYLAST) || (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST);
}

} // namespace

// Every message but WM_INITDIALOG reaches the object through its subclass first; what it
// leaves to the default procedure arrives here and is left to the dialog manager.
INT_PTR CALLBACK CDialog::DialogProc(HWND, UINT message, WPARAM, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        auto* dialog = reinterpret_cast<CDialog*>(lParam);
        try {
            return dialog->OnInitDialog();
        } catch (...) {
            return FALSE;
        }
    }
    return FALSE;
}

bool CDialog::CreateFromTemplate(HWND parent)
{
    if (m_hWnd)
        return false;
    HWND wnd;
    {
        CreationScope scope(this);
        wnd = ::CreateDialogParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(m_templateId), parent, DialogProc,
                                   reinterpret_cast<LPARAM>(this));
    }
    if (!wnd)
        TraceLine(L"dialog " + std::to_wstring(m_templateId) + L" could not be made", ::GetLastError());
    return wnd && m_hWnd == wnd;
}

bool CDialog::Create(HWND parent)
{
    if (parent)
        m_parentWnd = parent;
    return CreateFromTemplate(m_parentWnd);
}

INT_PTR CDialog::DoModal()
{
    HWND owner = TopLevelOf(m_parentWnd);
    if (!owner)
        if (CWinApp* app = AfxGetApp(); app && app->m_pMainWnd && app->m_pMainWnd != this)
            owner = app->m_pMainWnd->m_hWnd;

    m_disabledOwner = nullptr;
    if (owner && ::IsWindowEnabled(owner)) {
        ::EnableWindow(owner, FALSE);
        m_disabledOwner = owner;
    }

    m_modalResult = -1;
    m_continueModal = true; // before creation, so EndDialog from OnInitDialog ends the dialog
    if (CreateFromTemplate(owner) && m_continueModal)
        RunModalLoop();
    m_continueModal = false;

    // Enabled first: when the active window hides, the platform activates another, and a
    // disabled owner cannot be the one, so activation would go to a window of another program.
    EnableDisabledOwner();
    if (m_hWnd) {
        const bool active = ::GetActiveWindow() == m_hWnd;
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                       SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
        if (owner && active)
            ::SetActiveWindow(owner);
    }
    DestroyWindow();
    return m_modalResult;
}

void CDialog::EnableDisabledOwner() noexcept
{
    if (m_disabledOwner)
        ::EnableWindow(std::exchange(m_disabledOwner, nullptr), TRUE);
}

void CDialog::RunModalLoop()
{
    bool shown = IsWindowVisible();
    while (m_continueModal && m_hWnd) {
        MSG msg;
        // A template without WS_VISIBLE is shown once the queue first runs dry, after the
        // messages of its creation have been handled.
        if (!shown && !::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            ShowWindow(SW_SHOWNORMAL);
            UpdateWindow();
            shown = true;
        }
        BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
        if (got == -1)
            break;
        if (got == 0) {
            ::PostQuitMessage(static_cast<int>(msg.wParam)); // let the outer loop end as well
            break;
        }
        if (!AfxPreTranslateMessage(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
}

void CDialog::EndDialog(INT_PTR result)
{
    m_modalResult = result;
    if (m_continueModal) {
        m_continueModal = false;
        // The platform's EndDialog below hides the window at once, and enables the owner only
        // where its own dialog loop disabled it: the owner this loop disabled is enabled first.
        EnableDisabledOwner();
        ::PostMessageW(m_hWnd, WM_NULL, 0, 0); // wake the loop if it waits in GetMessage
    }
    if (m_hWnd)
        ::EndDialog(m_hWnd, result);
}

BOOL CDialog::PreTranslateMessage(MSG* msg)
{
    if (!m_hWnd || !IsInputMessage(msg->message))
        return FALSE;
    if (msg->hwnd != m_hWnd && !::IsChild(m_hWnd, msg->hwnd))
        return FALSE;
    return ::IsDialogMessageW(m_hWnd, msg);
}

BOOL CDialog::OnCommand(WPARAM wParam, LPARAM lParam)
{
    switch (LOWORD(wParam)) {
    case IDOK:
        OnOK();
        return TRUE;
    case IDCANCEL:
        OnCancel();
        return TRUE;
    default:
        return CWnd::OnCommand(wParam, lParam);
    }
}
