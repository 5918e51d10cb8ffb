// CPngMenuRow: pointer reports to the list and the sub-item marker.
#include "controls/ButtonMenuRow.h"

#include "skin/Surface.h"

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

// The list button composes its face into the row's own off-screen surface, the marker goes
// on top, and the row reaches the screen in one copy as every other button does.
void CPngMenuRow::DrawItem(DRAWITEMSTRUCT* item)
{
    if (!m_marker) {
        CPngListBtn::DrawItem(item);
        return;
    }
    const RECT client = GetClientRect();
    Surface surface(client.right, client.bottom);
    if (!surface)
        return;
    DRAWITEMSTRUCT inner = *item;
    inner.hDC = surface.dc();
    CPngListBtn::DrawItem(&inner);

    const COLORREF ink = ColourOf(ChooseLook(StateOf(*item)).caption);
    const int tip = client.right - kMarkerRight;
    const int middle = client.bottom / 2;
    const POINT triangle[] = {{tip - kMarkerWidth, middle - kMarkerHeight / 2},
                              {tip, middle},
                              {tip - kMarkerWidth, middle + kMarkerHeight / 2}};
    GdiBrush brush(::CreateSolidBrush(ink));
    GdiPen pen(::CreatePen(PS_SOLID, 1, ink));
    {
        SelectGuard selectBrush(surface.dc(), brush.get());
        SelectGuard selectPen(surface.dc(), pen.get());
        ::Polygon(surface.dc(), triangle, 3);
    }
    surface.CopyTo(item->hDC);
}
