// CWinApp: start, message loop, shutdown and command routing of the application object.
#include "framework/WinApp.h"

namespace {
CWinApp* g_app = nullptr;
}

CWinApp::CWinApp() noexcept
{
    g_app = this;
}

CWinApp::~CWinApp()
{
    if (g_app == this)
        g_app = nullptr;
}

CWinApp* AfxGetApp() noexcept
{
    return g_app;
}

BOOL CWinApp::OnCmdMsg(UINT id)
{
    if (id == kCommandHelp) {
        OnHelp();
        return TRUE;
    }
    return FALSE;
}

int CWinApp::Run(HINSTANCE instance)
{
    m_hInstance = instance;
    if (InitInstance()) {
        MSG msg;
        BOOL got;
        while ((got = ::GetMessageW(&msg, nullptr, 0, 0)) > 0) {
            if (!AfxPreTranslateMessage(&msg)) {
                ::TranslateMessage(&msg);
                ::DispatchMessageW(&msg);
            }
        }
        if (got == 0)
            m_exitCode = static_cast<int>(msg.wParam);
    }
    return ExitInstance();
}

BOOL AfxPreTranslateMessage(MSG* msg)
{
    HWND mainWnd = nullptr;
    if (CWinApp* app = AfxGetApp(); app && app->m_pMainWnd)
        mainWnd = app->m_pMainWnd->m_hWnd;

    // GetParent yields the owner of a pop-up, so a drop-down list or a nested dialog passes
    // its messages on to the window that opened it, as MFC does.
    bool mainSeen = false;
    for (HWND wnd = msg->hwnd; wnd; wnd = ::GetParent(wnd)) {
        if (CWnd* object = CWnd::FromHandle(wnd); object && object->PreTranslateMessage(msg))
            return TRUE;
        if (wnd == mainWnd) {
            mainSeen = true;
            break;
        }
    }
    if (!mainSeen && mainWnd)
        if (CWnd* object = CWnd::FromHandle(mainWnd); object && object->PreTranslateMessage(msg))
            return TRUE;
    return FALSE;
}
