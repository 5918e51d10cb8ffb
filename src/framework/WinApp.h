// CWinApp: the application object, its entry point and the message pre-translation chain.
#pragma once

#include "framework/Wnd.h"

// The framework's help command: F1 in the main window sends it without a control window.
constexpr UINT kCommandHelp = 57670;

class CWinApp {
public:
    CWinApp() noexcept;
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    // Starts the application. A dialog-based program runs its main dialog here and returns
    // FALSE, so the process ends without a message loop of the application's own.
    virtual BOOL InitInstance() { return FALSE; }
    // Ends the application; the result is the process exit code.
    virtual int ExitInstance() { return m_exitCode; }
    // Commands without a control window that no window took; TRUE when handled.
    virtual BOOL OnCmdMsg(UINT id);
    virtual void OnHelp() {}

    // The process's life: InitInstance, then the message loop when it returned TRUE, then
    // ExitInstance.
    int Run(HINSTANCE instance);

    HINSTANCE m_hInstance = nullptr;
    CWnd* m_pMainWnd = nullptr;

protected:
    int m_exitCode = 0;
};

CWinApp* AfxGetApp() noexcept;

// Offers a queued message to PreTranslateMessage of its target window, then of each parent
// or owner up the chain, then of the main window; TRUE when one of them took it.
BOOL AfxPreTranslateMessage(MSG* msg);
