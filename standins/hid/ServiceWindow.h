// CServiceWindow: the stand-in service's hidden top-level window; its caption is how the
// configuration program finds the service, and WM_CLOSE ends the service.
#pragma once

#include "framework/Wnd.h"

// How the stand-in takes a close request, from VELDRIAN_STANDIN_SERVICE_CLOSE (which it
// inherits from the program that starts it), so tests can stand in for real services:
//   unset     closes at once;
//   "slow"    keeps its window and process for kSlowCloseMs, as a service putting its LEDs and
//             driver down does;
//   "ping"    first sends the configuration program's main window a message (WM_USER+20) and
//             waits for the answer, as a service telling top-level windows it goes does;
//   "never"   ignores it, as a service whose window the request cannot reach.
enum class CloseBehaviour { atOnce, slow, ping, never };

constexpr unsigned kSlowCloseMs = 3000;

CloseBehaviour CloseBehaviourFromEnvironment();

class CServiceWindow : public CWnd {
public:
    bool Create();

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void OnClose();

    CloseBehaviour m_close = CloseBehaviour::atOnce;
    bool m_closing = false; // a slow close under way is not started over by another request
};
