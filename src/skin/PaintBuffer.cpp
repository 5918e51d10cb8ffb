// PaintBuffer: a kept surface taken for one paint, its painted area copied out at the end.
#include "skin/PaintBuffer.h"

PaintBuffer::PaintBuffer(HDC target, const RECT& area, SIZE client, KeptSurface& kept) : m_target(target)
{
    const RECT bounds{0, 0, client.cx, client.cy};
    if (target && ::IntersectRect(&m_area, &area, &bounds))
        m_surface = kept.Take(client.cx, client.cy);
}

PaintBuffer::~PaintBuffer()
{
    if (m_surface)
        ::BitBlt(m_target, m_area.left, m_area.top, m_area.right - m_area.left, m_area.bottom - m_area.top,
                 m_surface->dc(), m_area.left, m_area.top, SRCCOPY);
}
