// CPngVSliderBar: the vertical track and thumb.
#include "controls/VSliderBar.h"

#include "skin/DibOperations.h"

int CPngVSliderBar::ValueAt(POINT client, SIZE size) const
{
    return slider::VerticalValueAt(size.cy, m_thumbHeight, Range(), client.y);
}

POINT CPngVSliderBar::ThumbOrigin(SIZE size) const
{
    return {size.cx - m_thumbWidth, slider::ThumbOffset(size.cy, m_thumbHeight, Range(), GetPos())};
}

// The filled track from the thumb down, then the plain track down to the thumb's centre drawn
// over it. The track keeps this look while disabled.
void CPngVSliderBar::DrawTrack(HDC dc, POINT thumb, SIZE size) const
{
    BlendBitmap(dc, 0, thumb.y, size.cx, size.cy - thumb.y, m_trackDown, 0, thumb.y);
    BlendBitmap(dc, 0, 0, size.cx, thumb.y + m_thumbHeight / 2, m_trackNormal);
}

int CPngVSliderBar::WheelValue(int delta) const
{
    return slider::VerticalWheelValue(GetPos(), delta, Range());
}
