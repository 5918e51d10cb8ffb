// CPngMenuRow: pointer reports to the list and the sub-item marker.
#include "controls/ButtonMenuRow.h"

#include <windowsx.h>

void CPngMenuRow::SetSubItemMarker(bool on)
{
    if (on == m_marker)
        return;
    m_marker = on;
    Invalidate();
}

LRESULT CPngMenuRow::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_MOUSEMOVE)
        return CPngListBtn::WindowProc(message, wParam, lParam);
    // Hover tracking first: the report may open a sub-list, which must find the row's hover
    // (and its capture) already settled.
    const LRESULT result = CPngListBtn::WindowProc(message, wParam, lParam);
    if (m_hWnd) {
        POINT screen{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        ::ClientToScreen(m_hWnd, &screen);
        ::SendMessageW(GetParent(), kMenuPointerMessage, 0, MAKELPARAM(screen.x, screen.y));
    }
    return result;
}

// The marker goes on the composed face, so the row reaches the screen in one copy as every
// other button does.
void CPngMenuRow::DrawOverFace(HDC dc, SIZE size, const ButtonLook& look) const
{
    if (!m_marker)
        return;
    const COLORREF ink = ColourOf(look.caption);
    const int tip = size.cx - kMarkerRight;
    const int middle = size.cy / 2;
    const POINT triangle[] = {{tip - kMarkerWidth, middle - kMarkerHeight / 2},
                              {tip, middle},
                              {tip - kMarkerWidth, middle + kMarkerHeight / 2}};
    GdiBrush brush(::CreateSolidBrush(ink));
    GdiPen pen(::CreatePen(PS_SOLID, 1, ink));
    SelectGuard selectBrush(dc, brush.get());
    SelectGuard selectPen(dc, pen.get());
    ::Polygon(dc, triangle, 3);
}
