// Surface: a cleared 32-bit section in a memory DC.
#include "skin/Surface.h"

#include "skin/ImageRoutines.h"

#include <cstring>

namespace {

HBITMAP CreateClearedDib32(int width, int height)
{
    HBITMAP dib = CreateDib32(width, height);
    DIBSECTION section{};
    if (dib && ::GetObjectW(dib, sizeof(section), &section) == sizeof(section) && section.dsBm.bmBits)
        std::memset(section.dsBm.bmBits, 0, static_cast<size_t>(section.dsBm.bmWidthBytes) * section.dsBm.bmHeight);
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
