// CButtonToolTip: creation on first activation, the one tool, relaying.
#include "controls/ButtonToolTip.h"

bool CButtonToolTip::Ensure(HWND button)
{
    if (m_tip.GetSafeHwnd())
        return true;
    if (!button || !m_tip.Create(button))
        return false;
    m_tip.AddTool(button, m_text.c_str());
    return true;
}

void CButtonToolTip::SetText(HWND button, const wchar_t* text, bool activate)
{
    if (!text)
        return;
    m_text = text;
    if (!IsCreated() && !activate)
        return;
    if (!Ensure(button))
        return;
    m_tip.UpdateTipText(button, m_text.c_str());
    m_tip.Activate(activate);
}

void CButtonToolTip::Relay(MSG* msg)
{
    if (IsCreated())
        m_tip.RelayEvent(msg);
}
