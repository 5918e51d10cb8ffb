// CPngHSliderBar: the horizontal image slider of the colour, speed and music controls.
#pragma once

#include "controls/SliderBar.h"

// The filled part of the track lies left of the thumb; the thumb sits on the bottom edge
// unless the thumb images were given with thumbAtTop. Disabled, the whole track wears its
// disabled image.
class CPngHSliderBar : public CPngSliderBar {
public:
    bool Create(const RECT& rect, HWND parent, UINT id) { return CreateSlider(rect, parent, id); }

protected:
    int ValueAt(POINT client, SIZE size) const override;
    POINT ThumbOrigin(SIZE size) const override;
    void DrawTrack(HDC dc, POINT thumb, SIZE size) const override;
    int WheelValue(int delta) const override;
};
