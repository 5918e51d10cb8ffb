// The service window: never shown; closing it ends the message loop.
#include "ServiceWindow.h"

#include "app/LightingService.h"
#include "framework/WndClass.h"

bool CServiceWindow::Create()
{
    const std::wstring windowClass = AfxRegisterWndClass(0);
    return !windowClass.empty() &&
           CreateEx(0, windowClass.c_str(), kServiceWindowCaption, WS_OVERLAPPED, RECT{}, nullptr, 0);
}

LRESULT CServiceWindow::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY)
        ::PostQuitMessage(0);
    return CWnd::WindowProc(message, wParam, lParam);
}
