// CToolTipCtrl: creation and tool registration.
#include "framework/ToolTipCtrl.h"

bool CToolTipCtrl::Create(HWND owner)
{
    const RECT none{CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT};
    if (!CreateEx(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, none, owner, 0))
        return false;
    ::SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return true;
}

TTTOOLINFOW CToolTipCtrl::ToolInfo(HWND tool, LPCWSTR text) const noexcept
{
    TTTOOLINFOW info{};
    info.cbSize = sizeof(info);
    info.uFlags = TTF_IDISHWND;
    info.hwnd = ::GetParent(tool);
    info.uId = reinterpret_cast<UINT_PTR>(tool);
    info.lpszText = const_cast<LPWSTR>(text);
    return info;
}

bool CToolTipCtrl::AddTool(HWND tool, LPCWSTR text) const noexcept
{
    TTTOOLINFOW info = ToolInfo(tool, text);
    return SendMessage(TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info)) != FALSE;
}

void CToolTipCtrl::UpdateTipText(HWND tool, LPCWSTR text) const noexcept
{
    TTTOOLINFOW info = ToolInfo(tool, text);
    SendMessage(TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&info));
}
