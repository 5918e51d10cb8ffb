// ButtonBackdrop: the piece of the window background behind a see-through button (list
// buttons, colour cells) and the one way such a button composes its look: that piece, the face
// blended over it, then what the button draws on top, reaching the screen in one copy.
#pragma once

#include "skin/Bitmap.h"
#include "skin/DibOperations.h"
#include "skin/PaintBuffer.h"
#include "skin/Surface.h"

#include <windows.h>

class ButtonBackdrop {
public:
    static constexpr BYTE kOpaque = 255;

    // The crop of source at (left, top)-(right, bottom), the button's place in the window.
    void Set(HWND button, int left, int top, int right, int bottom, const Bitmap& source);

    // The whole client of size client composed and copied to target; drawOver(HDC) draws on
    // top of the face.
    template <typename DrawOver>
    void Paint(HDC target, SIZE client, const Bitmap& face, BYTE faceAlpha, DrawOver&& drawOver)
    {
        const PaintBuffer buffer(target, {0, 0, client.cx, client.cy}, client, m_surface);
        if (!buffer)
            return;
        CopyBitmap(buffer.dc(), 0, 0, m_background);
        BlendBitmap(buffer.dc(), 0, 0, client.cx, client.cy, face, 0, 0, faceAlpha);
        drawOver(buffer.dc());
    }

private:
    Bitmap m_background;
    KeptSurface m_surface;
};
