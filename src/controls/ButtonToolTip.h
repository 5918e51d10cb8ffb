// CButtonToolTip: the optional tool tip of a skinned button, with one tool covering the button.
// The tip window is made when the tip is first activated: the main window gives every button
// an inactive tip, and a tool tip window per button would cost the start dearly.
#pragma once

#include "framework/ToolTipCtrl.h"

#include <string>

class CButtonToolTip {
public:
    // No-op for a missing text; otherwise keeps the text and activates or deactivates the tip,
    // making its window on the first activation.
    void SetText(HWND button, const wchar_t* text, bool activate);
    // Hands a queued message of the button to the tool tip, which shows and hides itself by it.
    void Relay(MSG* msg);
    bool IsCreated() const noexcept { return m_tip.GetSafeHwnd() != nullptr; }
    HWND GetSafeHwnd() const noexcept { return m_tip.GetSafeHwnd(); }
    const std::wstring& Text() const noexcept { return m_text; }

private:
    bool Ensure(HWND button);

    CToolTipCtrl m_tip;
    std::wstring m_text;
};
