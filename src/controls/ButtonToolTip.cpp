// CButtonToolTip: creation on first use, the one tool, relaying.
#include "controls/ButtonToolTip.h"

bool CButtonToolTip::Ensure(HWND button)
{
    if (m_tip.GetSafeHwnd())
        return true;
    if (!button || !m_tip.Create(button))
        return false;
    m_tip.Activate(false);
    return true;
}

void CButtonToolTip::SetText(HWND button, const wchar_t* text, bool activate)
{
    if (!text || !Ensure(button))
        return;
    if (m_tip.SendMessage(TTM_GETTOOLCOUNT) == 0)
        m_tip.AddTool(button, text);
    m_tip.UpdateTipText(button, text);
    m_tip.Activate(activate);
}

void CButtonToolTip::Relay(HWND button, MSG* msg)
{
    if (Ensure(button))
        m_tip.RelayEvent(msg);
}
