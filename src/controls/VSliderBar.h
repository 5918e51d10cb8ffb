// CPngVSliderBar: the vertical image slider that scrolls the list of effect modes.
#pragma once

#include "controls/SliderBar.h"

// The control id every vertical slider reports with.
constexpr UINT kVerticalSliderId = 10001;

// The thumb always touches the right edge; above it lies the plain track, below it the
// filled one. Disabled, only the thumb changes. A wheel turn away from the user moves up,
// towards lower values, as a list scrolls.
class CPngVSliderBar : public CPngSliderBar {
public:
    bool Create(const RECT& rect, HWND parent) { return CreateSlider(rect, parent, kVerticalSliderId); }

protected:
    int ValueAt(POINT client, SIZE size) const override;
    POINT ThumbOrigin(SIZE size) const override;
    void DrawTrack(HDC dc, POINT thumb, SIZE size) const override;
    int WheelValue(int delta) const override;
};
