// PaintBuffer: the one paint path of the skinned windows. A paint composes on a kept surface
// the size of the client and copies only the area being painted out, in one piece, so nothing
// flickers and nothing is allocated while the size stays.
#pragma once

#include "skin/Surface.h"

#include <windows.h>

class PaintBuffer {
public:
    // Composing happens in client coordinates on kept's surface of size client; the area (client
    // coordinates) is copied to target when the buffer goes. A null target composes nothing.
    PaintBuffer(HDC target, const RECT& area, SIZE client, KeptSurface& kept);
    ~PaintBuffer();
    PaintBuffer(const PaintBuffer&) = delete;
    PaintBuffer& operator=(const PaintBuffer&) = delete;

    // The surface's DC, or null when no surface could be made.
    HDC dc() const noexcept { return m_surface ? m_surface->dc() : nullptr; }
    explicit operator bool() const noexcept { return m_surface != nullptr; }

private:
    HDC m_target;
    RECT m_area{};
    const Surface* m_surface = nullptr;
};
