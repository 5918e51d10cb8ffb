// Surface: the off-screen 32-bit bitmap a control composes its face on, copied to the
// window in one piece so nothing flickers.
#pragma once

#include "framework/Handles.h"
#include "skin/Bitmap.h"

#include <windows.h>

#include <memory>

class Surface {
public:
    // A cleared (all zero) width x height section selected into a memory DC.
    Surface(int width, int height);
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;

    HDC dc() const noexcept { return m_dc; }
    int width() const noexcept { return m_bitmap.width(); }
    int height() const noexcept { return m_bitmap.height(); }
    explicit operator bool() const noexcept { return !m_bitmap.empty() && m_dc; }

    // One BitBlt of the whole surface to (x, y) of target.
    void CopyTo(HDC target, int x = 0, int y = 0) const;
    // All pixels back to zero.
    void Clear() const;

private:
    Bitmap m_bitmap;
    MemoryDc m_dc;
    SelectGuard m_select;
};

// A control's surface kept from one paint to the next, made again only when the size changes:
// a new section and DC at every paint cost more than composing a small face. Each use starts
// cleared, with the DC state the surface had when it was made.
class KeptSurface {
public:
    // The surface for one paint, or null when none can be made at that size.
    const Surface* Take(int width, int height);

private:
    std::unique_ptr<Surface> m_surface;
};
