// CColorBtn2: a colour cell. Its face is a grey-scale skin image multiplied, channel by
// channel, by the colour the cell holds, drawn over the cell's piece of the window
// background, with a caption on top.
#pragma once

#include "controls/BitmapButton2.h"
#include "controls/ButtonBackdrop.h"
#include "skin/KeptFont.h"

#include <vector>

class CColorBtn2 : public CBitmapBtn2 {
public:
    // The tinted faces take their size (and a first look) from these sources, cut at rect.
    void SetTintSources(const RECT& rect, const Bitmap& normal, const Bitmap& down);
    // Each component 0 to 255 (values outside are limited); re-tints the normal and down faces.
    void SetColor(int red, int green, int blue);
    // The colour as a colour reference: red in the low byte.
    COLORREF GetColor() const noexcept { return RGB(m_red, m_green, m_blue); }
    void SetBackground(int left, int top, int right, int bottom, const Bitmap& source);

    const Bitmap& TintedNormal() const noexcept { return m_tintedNormal; }
    const Bitmap& TintedDown() const noexcept { return m_tintedDown; }

    void DrawItem(DRAWITEMSTRUCT* item) override;

private:
    // The face's pixels multiplied by the cell's colour, written into the tinted bitmap.
    void Tint(const Bitmap& face, Bitmap& tinted, std::vector<BYTE>& pixels) const;
    void DrawCaption(HDC dc, const RECT& client, bool pressed);

    Bitmap m_tintedNormal;
    Bitmap m_tintedDown;
    int m_red = 0;
    int m_green = 0;
    int m_blue = 0;
    BYTE m_faceAlpha = 255;
    std::vector<BYTE> m_normalPixels; // scratch copies of the faces, sized by SetTintSources
    std::vector<BYTE> m_downPixels;
    ButtonBackdrop m_backdrop;
    KeptFont m_font;
};
