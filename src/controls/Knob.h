// CPngRSliderBar2: the round hue knob, a thumb travelling on a circle around a skinned dial.
#pragma once

#include "controls/SliderGeometry.h"
#include "controls/SliderWindow.h"
#include "framework/Handles.h"
#include "framework/Wnd.h"
#include "skin/Bitmap.h"
#include "skin/Surface.h"

#include <windows.h>

// The control id the knob reports with.
constexpr UINT kKnobId = 10006;

// The knob reports on the scale of knob::ReportedValue (for the range 0..359: 90 at the top,
// 180 on the left, 270 at the bottom, 359 at 3 o'clock). Unlike the sliders it moves its own
// thumb while dragged, and reports every move, changed or not; the wheel only proposes a
// value. A thin white hand joins the centre to the thumb, over a red centre dot.
class CPngRSliderBar2 : public CWnd {
public:
    // Creates the child window at rect; the range starts as 0..10.
    bool Create(const RECT& rect, HWND parent);
    // The dial becomes the crop of dial at (left, top)-(right, bottom).
    void SetTrackImages(int left, int top, int right, int bottom, const Bitmap& dial);
    // A copy of the thumb; the thumb takes its size.
    void SetThumbImages(const Bitmap& thumb);
    void SetRange(int minimum, int maximum);
    // Moves the thumb to a reported value; a value equal to the one reported changes nothing.
    void SetPos(int reported);
    // Shapes the window to the mask's non-white pixels. A mask that yields no region leaves the
    // window rectangular and says "error".
    void SetRegionFromMask(const Bitmap& mask);

    int GetPos() const noexcept { return knob::ReportedValue(m_internal, Range()); }
    int GetRangeMin() const noexcept { return m_minimum; }
    int GetRangeMax() const noexcept { return m_maximum; }
    UINT GetControlId() const noexcept { return kKnobId; }
    bool IsDragging() const noexcept { return m_dragging; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    LRESULT OnLButtonDown();
    LRESULT OnMouseMove(LPARAM point);
    LRESULT OnLButtonUp(LPARAM point);
    LRESULT OnCaptureChanged(HWND gainedBy);
    LRESULT OnDestroy();
    void OnPaint();
    void Paint(HDC target, const RECT& area) const;
    void DrawHand(HDC dc, SIZE size, const knob::Rect& thumb) const;
    void FollowPointer(LPARAM point);
    knob::Rect Dial() const noexcept;
    SIZE ClientSize() const noexcept;
    slider::Range Range() const noexcept { return {m_minimum, m_maximum}; }
    void Report(int value) const noexcept;

    HWND m_parent = nullptr;
    Bitmap m_dial;
    mutable KeptSurface m_surface; // composing changes no state of the knob
    Bitmap m_thumb;
    int m_internal = 0;
    int m_minimum = 0;
    int m_maximum = 10;
    bool m_dragging = false;
};
