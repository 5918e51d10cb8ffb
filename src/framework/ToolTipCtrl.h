// CToolTipCtrl: a comctl32 tool tip that shows one text for a tool window.
#pragma once

#include "framework/Wnd.h"

#include <commctrl.h>

class CToolTipCtrl : public CWnd {
public:
    bool Create(HWND owner);
    bool AddTool(HWND tool, LPCWSTR text) const noexcept;
    void UpdateTipText(HWND tool, LPCWSTR text) const noexcept;
    void RelayEvent(MSG* msg) const noexcept { SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(msg)); }
    void Activate(bool active) const noexcept { SendMessage(TTM_ACTIVATE, active); }

private:
    TTTOOLINFOW ToolInfo(HWND tool, LPCWSTR text) const noexcept;
};
