// The service window: never shown; closing it ends the message loop.
#include "ServiceWindow.h"

#include "devices/LightingService.h"
#include "framework/WndClass.h"

#include <string_view>

namespace {

constexpr UINT_PTR kSlowCloseTimer = 1;
constexpr const wchar_t* kProgramWindowCaption = L"VELDRIAN RGB Control_Config";
constexpr UINT kProgramPing = WM_USER + 20;

} // namespace

CloseBehaviour CloseBehaviourFromEnvironment()
{
    wchar_t value[16] = {};
    const DWORD length = ::GetEnvironmentVariableW(L"VELDRIAN_STANDIN_SERVICE_CLOSE", value, 16);
    const std::wstring_view text(value, length < 16 ? length : 0);
    if (text == L"slow")
        return CloseBehaviour::slow;
    if (text == L"ping")
        return CloseBehaviour::ping;
    if (text == L"never")
        return CloseBehaviour::never;
    return CloseBehaviour::atOnce;
}

bool CServiceWindow::Create()
{
    m_close = CloseBehaviourFromEnvironment();
    const std::wstring windowClass = AfxRegisterWndClass(0);
    return !windowClass.empty() &&
           CreateEx(0, windowClass.c_str(), kServiceWindowCaption, WS_OVERLAPPED, RECT{}, nullptr, 0);
}

LRESULT CServiceWindow::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CLOSE:
        OnClose();
        return 0;
    case WM_TIMER:
        if (wParam == kSlowCloseTimer)
            DestroyWindow();
        return 0;
    case WM_DESTROY:
        ::PostQuitMessage(0);
        break;
    default:
        break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

void CServiceWindow::OnClose()
{
    switch (m_close) {
    case CloseBehaviour::atOnce:
        DestroyWindow();
        break;
    case CloseBehaviour::slow:
        if (!m_closing)
            SetTimer(kSlowCloseTimer, kSlowCloseMs);
        m_closing = true;
        break;
    case CloseBehaviour::ping:
        if (const HWND program = ::FindWindowW(nullptr, kProgramWindowCaption))
            ::SendMessageW(program, kProgramPing, 0, 0); // waits until the program answers
        DestroyWindow();
        break;
    case CloseBehaviour::never:
        break;
    }
}
