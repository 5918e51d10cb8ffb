// CButtonToolTip: the optional tool tip of a skinned button, made on first use with one
// tool covering the button.
#pragma once

#include "framework/ToolTipCtrl.h"

class CButtonToolTip {
public:
    // No-op for a missing text; otherwise makes the tool tip when needed, sets the text and
    // activates or deactivates the tip.
    void SetText(HWND button, const wchar_t* text, bool activate);
    // Hands a queued message of the button to the tool tip, which shows and hides itself by it.
    void Relay(HWND button, MSG* msg);
    bool IsCreated() const noexcept { return m_tip.GetSafeHwnd() != nullptr; }
    HWND GetSafeHwnd() const noexcept { return m_tip.GetSafeHwnd(); }

private:
    bool Ensure(HWND button);

    CToolTipCtrl m_tip;
};
