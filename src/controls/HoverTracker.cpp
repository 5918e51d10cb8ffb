// CHoverTracker and the small steps every skinned button shares.
#include "controls/HoverTracker.h"

#include <windowsx.h>

HWND OwnerOf(HWND wnd) noexcept
{
    HWND owner = ::GetWindow(wnd, GW_OWNER);
    return owner ? owner : ::GetParent(wnd);
}

void NotifyParent(HWND button, WORD code) noexcept
{
    const auto id = static_cast<WORD>(::GetDlgCtrlID(button));
    ::SendMessageW(::GetParent(button), WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(button));
}

void EndPress(HWND button, bool hoverHoldsCapture) noexcept
{
    ::SendMessageW(button, BM_SETSTATE, FALSE, 0);
    if (!hoverHoldsCapture && ::GetCapture() == button)
        ::ReleaseCapture();
}

bool IsOnButton(HWND button, LPARAM point) noexcept
{
    RECT client{};
    ::GetClientRect(button, &client);
    return ::PtInRect(&client, POINT{GET_X_LPARAM(point), GET_Y_LPARAM(point)}) != FALSE;
}

void MakeOwnerDrawnButton(HWND button) noexcept
{
    // The style word first, so a window not created yet gets the type too (the button
    // ignores BM_SETSTYLE before WM_CREATE); BM_SETSTYLE then updates a live one and repaints.
    const auto style = static_cast<DWORD>(::GetWindowLongPtrW(button, GWL_STYLE));
    ::SetWindowLongPtrW(button, GWL_STYLE, static_cast<LONG_PTR>((style | BS_OWNERDRAW) & ~WS_TABSTOP));
    ::SendMessageW(button, BM_SETSTYLE, (style & 0xFFFF) | BS_OWNERDRAW, TRUE);
}

void CHoverTracker::End(HWND button) noexcept
{
    const bool wasOn = m_hover;
    m_hover = false;
    if (wasOn && ::GetCapture() == button)
        ::ReleaseCapture();
}

bool CHoverTracker::OnMouseMove(HWND button, WPARAM keys, LPARAM point) noexcept
{
    // A drag that started elsewhere does not light the button up.
    if ((keys & MK_LBUTTON) && !m_hover)
        return false;
    if (::GetCapture() != button)
        return Enter(button);
    return LeaveWhenElsewhere(button, keys, point);
}

bool CHoverTracker::Enter(HWND button) noexcept
{
    if (!::GetActiveWindow() || !OwnerOf(button))
        return false;
    if (!m_hover) {
        TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, button, 0};
        ::TrackMouseEvent(&track);
    }
    m_hover = true;
    if (m_enterReport)
        ::PostMessageW(OwnerOf(button), m_enterReport, static_cast<WPARAM>(::GetDlgCtrlID(button)),
                       reinterpret_cast<LPARAM>(button));
    ::SetCapture(button);
    return true;
}

// With the capture held, the button sees every move: it finds the window really under the
// pointer to know when the pointer has left.
bool CHoverTracker::LeaveWhenElsewhere(HWND button, WPARAM keys, LPARAM point) noexcept
{
    POINT screen{GET_X_LPARAM(point), GET_Y_LPARAM(point)};
    ::ClientToScreen(button, &screen);
    const HWND under = ::WindowFromPoint(screen);
    if (!under || under == button)
        return false;
    const bool changed = m_hover;
    m_hover = false;
    if (!(keys & MK_LBUTTON))
        ::ReleaseCapture();
    return changed;
}
