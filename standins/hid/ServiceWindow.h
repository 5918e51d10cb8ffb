// CServiceWindow: the stand-in service's hidden top-level window; its caption is how the
// configuration program finds the service, and WM_CLOSE ends the service.
#pragma once

#include "framework/Wnd.h"

class CServiceWindow : public CWnd {
public:
    bool Create();

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};
