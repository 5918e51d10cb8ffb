// Surface: a cleared 32-bit section in a memory DC.
#include "skin/Surface.h"

#include "skin/DibOperations.h"

#include <cstring>

namespace {

void ClearDib(HBITMAP dib)
{
    DIBSECTION section{};
    if (dib && ::GetObjectW(dib, sizeof(section), &section) == sizeof(section) && section.dsBm.bmBits) {
        ::GdiFlush();
        std::memset(section.dsBm.bmBits, 0, static_cast<size_t>(section.dsBm.bmWidthBytes) * section.dsBm.bmHeight);
    }
}

HBITMAP CreateClearedDib32(int width, int height)
{
    HBITMAP dib = CreateDib32(width, height);
    ClearDib(dib);
    return dib;
}

} // namespace

Surface::Surface(int width, int height)
    : m_bitmap(CreateClearedDib32(width, height)), m_dc(nullptr), m_select(m_dc, m_bitmap.get())
{
}

void Surface::CopyTo(HDC target, int x, int y) const
{
    if (*this)
        ::BitBlt(target, x, y, width(), height(), m_dc, 0, 0, SRCCOPY);
}

void Surface::Clear() const
{
    ClearDib(m_bitmap.get());
}

const Surface* KeptSurface::Take(int width, int height)
{
    if (m_surface && m_surface->width() == width && m_surface->height() == height) {
        // Back to the state saved when it was made, saved again for the next use.
        ::RestoreDC(m_surface->dc(), -1);
        ::SaveDC(m_surface->dc());
        m_surface->Clear();
        return m_surface.get();
    }
    m_surface.reset();
    auto made = std::make_unique<Surface>(width, height);
    if (!*made)
        return nullptr;
    ::SaveDC(made->dc());
    m_surface = std::move(made);
    return m_surface.get();
}
