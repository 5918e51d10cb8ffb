// CPngRSliderBar2: the round hue knob, a thumb travelling on a circle around a skinned dial.
#pragma once

#include "controls/ValueControl.h"
#include "skin/Bitmap.h"

#include <windows.h>

// The control id the knob reports with.
constexpr UINT kKnobId = 10006;

// The knob reports on the scale of knob::ReportedValue (for the range 0..359: 90 at the top,
// 180 on the left, 270 at the bottom, 359 at 3 o'clock). Unlike the sliders it moves its own
// thumb while dragged, and reports every move, changed or not; the wheel only proposes a
// value. A thin white hand joins the centre to the thumb, over a red centre dot.
class CPngRSliderBar2 : public CValueControl {
public:
    CPngRSliderBar2() noexcept : CValueControl(kKnobId) {}
    // Creates the child window at rect; the range starts as 0..10.
    bool Create(const RECT& rect, HWND parent);
    // The dial becomes the crop of dial at (left, top)-(right, bottom).
    void SetTrackImages(int left, int top, int right, int bottom, const Bitmap& dial);
    // A copy of the thumb; the thumb takes its size.
    void SetThumbImages(const Bitmap& thumb);
    // Moves the thumb to a reported value; a value equal to the one reported changes nothing.
    void SetPos(int reported);
    // Shapes the window to the mask's non-white pixels. A mask that yields no region leaves the
    // window rectangular and says "error".
    void SetRegionFromMask(const Bitmap& mask);

    int GetPos() const noexcept { return knob::ReportedValue(m_value, Range()); }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    LRESULT OnMouseMove(LPARAM point);
    LRESULT OnLButtonUp(LPARAM point);
    int WheelValue(int delta) const override;
    void ReleaseImages() override;
    // Dial, thumb, hand and centre dot.
    void Compose(HDC dc, SIZE size) const override;
    void DrawHand(HDC dc, SIZE size, const knob::Rect& thumb) const;
    void FollowPointer(LPARAM point);
    knob::Rect Dial() const noexcept;

    Bitmap m_dial;
    Bitmap m_thumb;
};
