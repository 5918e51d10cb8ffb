// CPngHSliderBar: the horizontal track and thumb.
#include "controls/HSliderBar.h"

#include "skin/DibOperations.h"

int CPngHSliderBar::ValueAt(POINT client, SIZE size) const
{
    return slider::HorizontalValueAt(size.cx, m_thumbWidth, Range(), client.x);
}

POINT CPngHSliderBar::ThumbOrigin(SIZE size) const
{
    return {slider::ThumbOffset(size.cx, m_thumbWidth, Range(), GetPos()), m_thumbAtTop ? 0 : size.cy - m_thumbHeight};
}

// The plain track from the thumb on, then the filled track up to the thumb's centre drawn over
// it, so the thumb's transparent edges show the filled part on its left and the plain on its right.
void CPngHSliderBar::DrawTrack(HDC dc, POINT thumb, SIZE size) const
{
    if (!m_enabled) {
        BlendBitmap(dc, 0, 0, size.cx, size.cy, m_trackDisabled);
        return;
    }
    BlendBitmap(dc, thumb.x, 0, size.cx - thumb.x, size.cy, m_trackNormal, thumb.x, 0);
    BlendBitmap(dc, 0, 0, thumb.x + m_thumbWidth / 2, size.cy, m_trackDown);
}

// A turn away from the user moves up the range.
int CPngHSliderBar::WheelValue(int delta) const
{
    return slider::HorizontalWheelValue(GetPos(), delta, Range());
}
