// CHoverTracker: the hover state of a skinned button. While the pointer is over the button
// the button holds the mouse capture, so it sees the pointer leave even onto a window that
// lies on top of it.
#pragma once

#include <windows.h>

class CHoverTracker {
public:
    // enterReport, when not 0, is posted to the button's owner (wParam control id, lParam
    // the button) each time the button takes the capture.
    explicit CHoverTracker(UINT enterReport = 0) noexcept : m_enterReport(enterReport) {}

    bool IsOn() const noexcept { return m_hover; }
    void Clear() noexcept { m_hover = false; }
    // Ends hover and the capture hover tracking took, so the next move over the button
    // starts it again.
    void End(HWND button) noexcept;

    // The tracking of one WM_MOUSEMOVE (after the standard handling); true when the hover
    // state changed and the button must repaint.
    bool OnMouseMove(HWND button, WPARAM keys, LPARAM point) noexcept;

private:
    bool Enter(HWND button) noexcept;
    bool LeaveWhenElsewhere(HWND button, WPARAM keys, LPARAM point) noexcept;

    UINT m_enterReport;
    bool m_hover = false;
};

// The owner of a button (its owner window, else its parent).
HWND OwnerOf(HWND wnd) noexcept;
// Sends WM_COMMAND (control id, code) with the button's handle to its parent.
void NotifyParent(HWND button, WORD code) noexcept;
// Ends the standard pressed look after a release that the standard button does not see (so
// it sends no click of its own); the capture stays with hover tracking when it is on.
void EndPress(HWND button, bool hoverHoldsCapture) noexcept;
// Whether a client point of a mouse message lies on the button.
bool IsOnButton(HWND button, LPARAM point) noexcept;
// The set-up every skinned button makes: owner-drawn type, no tab stop.
void MakeOwnerDrawnButton(HWND button) noexcept;
