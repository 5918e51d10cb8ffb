// CBitmapBtn2: faces, hover with its report, the guarded click on release.
#include "controls/BitmapButton2.h"

#include "skin/DibOperations.h"

void CBitmapBtn2::SetImages(const RECT& rect, const Bitmap& normal, const Bitmap& over, const Bitmap& down,
                            const Bitmap& disabled)
{
    WindowDc reference(m_hWnd);
    const Bitmap* sources[] = {&normal, &over, &down, &disabled};
    for (size_t state = 0; state < m_faces.size(); ++state)
        CropBitmap(reference, m_faces[state], *sources[state], rect.left, rect.top, rect.right, rect.bottom);
    ModifyStyle(WS_BORDER | WS_TABSTOP, 0);
    m_hover.Clear();
}

void CBitmapBtn2::SetSelected(bool on)
{
    if (on == m_selected)
        return;
    m_selected = on;
    Invalidate(true);
}

void CBitmapBtn2::SetCaption(const std::wstring& text)
{
    m_caption = text;
    Invalidate(true);
}

void CBitmapBtn2::SetTextColors(COLORREF normal, COLORREF hover, COLORREF down)
{
    m_normalColour = normal;
    m_hoverColour = hover;
    m_downColour = down;
    Invalidate(true);
}

void CBitmapBtn2::SetTooltipText(const wchar_t* text, bool activate)
{
    m_toolTip.SetText(m_hWnd, text, activate);
}

COLORREF CBitmapBtn2::CaptionColour(bool pressed) const noexcept
{
    if (pressed || m_selected)
        return m_downColour;
    return m_hover.IsOn() ? m_hoverColour : m_normalColour;
}

BOOL CBitmapBtn2::PreTranslateMessage(MSG* msg)
{
    m_toolTip.Relay(msg);
    return CButton::PreTranslateMessage(msg);
}

void CBitmapBtn2::PreSubclassWindow()
{
    MakeOwnerDrawnButton(m_hWnd);
    // With the parent's DC a cell could paint beyond its own rectangle; without it the
    // system clips each cell to itself. (This changes the process's button class.)
    const auto classStyle = static_cast<DWORD>(::GetClassLongPtrW(m_hWnd, GCL_STYLE));
    if (classStyle & CS_PARENTDC)
        ::SetClassLongPtrW(m_hWnd, GCL_STYLE, static_cast<LONG_PTR>(classStyle & ~CS_PARENTDC));
    CButton::PreSubclassWindow();
}

LRESULT CBitmapBtn2::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_MOUSEMOVE:
        return OnMouseMove(wParam, lParam);
    case WM_MOUSELEAVE:
        ClearHover();
        return 0;
    case WM_KILLFOCUS: {
        const LRESULT result = Default();
        ClearHover();
        return result;
    }
    case WM_CAPTURECHANGED:
        // As in CBitmapBtn: the capture is another window's now; nothing to release.
        if (m_hover.IsOn())
            Invalidate();
        return Default();
    case WM_ERASEBKGND:
        return 0;
    case WM_SETCURSOR:
        return TRUE; // the cursor stays as it is
    case WM_LBUTTONUP:
        return OnLButtonUp(lParam);
    case WM_LBUTTONDBLCLK:
        return OnLButtonDblClk();
    default:
        return CButton::WindowProc(message, wParam, lParam);
    }
}

LRESULT CBitmapBtn2::OnMouseMove(WPARAM keys, LPARAM point)
{
    const LRESULT result = Default();
    if (m_hover.OnMouseMove(m_hWnd, keys, point))
        Invalidate();
    return result;
}

void CBitmapBtn2::ClearHover()
{
    m_hover.Clear();
    Invalidate();
}

// The standard button never sees the release (so it sends no click of its own); a release
// off the cell clicks nothing, and clicks closer than the guard to the last one are dropped.
LRESULT CBitmapBtn2::OnLButtonUp(LPARAM point)
{
    EndPress(m_hWnd, m_hover.IsOn());
    const DWORD now = ::GetTickCount();
    if (IsOnButton(m_hWnd, point) && now - m_lastClickTick > kClickGuardMs) {
        m_lastClickTick = now;
        NotifyParent(m_hWnd, BN_CLICKED);
    }
    return 0;
}

LRESULT CBitmapBtn2::OnLButtonDblClk()
{
    const DWORD now = ::GetTickCount();
    if (now != m_lastClickTick) {
        m_lastClickTick = now;
        NotifyParent(m_hWnd, BN_DOUBLECLICKED);
    }
    return 0;
}
