// CPngRSliderBar2: images, value on the knob's scale, the followed pointer, region and the face.
#include "controls/Knob.h"

#include "framework/Handles.h"
#include "skin/DibOperations.h"

#include <windowsx.h>

#include <gdiplus.h>

#include <iterator>

namespace {

// The hand: white at 70 % opacity, 1.5 pixels wide, anti-aliased.
constexpr BYTE kHandAlpha = 0xB2;
constexpr Gdiplus::REAL kHandWidth = 1.5f;
// The centre dot: a 24-pixel disc filled through a four-stop horizontal gradient, all stops
// opaque red.
constexpr int kDotDiameter = 24;
constexpr Gdiplus::ARGB kDotColour = 0xFFFF0000;
constexpr Gdiplus::REAL kDotStops[] = {0.0f, 0.33f, 0.66f, 1.0f};

} // namespace

bool CPngRSliderBar2::Create(const RECT& rect, HWND parent)
{
    return CreateValueControl(rect, parent, kKnobId);
}

void CPngRSliderBar2::SetTrackImages(int left, int top, int right, int bottom, const Bitmap& dial)
{
    KeepCrop(m_dial, dial, left, top, right, bottom);
    RedrawNow();
}

void CPngRSliderBar2::SetThumbImages(const Bitmap& thumb)
{
    KeepCrop(m_thumb, thumb, 0, 0, thumb.width(), thumb.height());
    RedrawNow();
}

void CPngRSliderBar2::SetPos(int reported)
{
    if (reported == GetPos())
        return;
    m_value = knob::InternalValue(reported, Range());
    RedrawNow();
}

void CPngRSliderBar2::SetRegionFromMask(const Bitmap& mask)
{
    GdiRegion region(RegionFromMask(mask));
    if (region && m_hWnd && ::SetWindowRgn(m_hWnd, region.get(), TRUE)) {
        region.release(); // the window owns the region now
        RedrawNow();
        return;
    }
    ::MessageBoxW(m_hWnd ? ::GetAncestor(m_hWnd, GA_ROOT) : nullptr, L"error", nullptr, MB_OK);
}

LRESULT CPngRSliderBar2::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_MOUSEMOVE:
        return OnMouseMove(lParam);
    case WM_LBUTTONUP:
        return OnLButtonUp(lParam);
    default:
        return CValueControl::WindowProc(message, wParam, lParam);
    }
}

LRESULT CPngRSliderBar2::OnMouseMove(LPARAM point)
{
    if (!IsDragging())
        return Default();
    FollowPointer(point);
    Report(GetPos());
    return 0;
}

// A release over the knob sets it even when the press was elsewhere.
LRESULT CPngRSliderBar2::OnLButtonUp(LPARAM point)
{
    FollowPointer(point);
    EndDrag();
    Report(GetPos());
    return Default();
}

// Only a proposal: the parent's SetPos turns the knob.
int CPngRSliderBar2::WheelValue(int delta) const
{
    return knob::WheelValue(GetPos(), delta, Range());
}

void CPngRSliderBar2::ReleaseImages()
{
    m_dial.Reset();
    m_thumb.Reset();
}

// Turns the thumb to the pointer and repaints the circle it travels on.
void CPngRSliderBar2::FollowPointer(LPARAM point)
{
    const knob::Rect dial = Dial();
    m_value = knob::InternalValueAt(dial, GET_X_LPARAM(point), GET_Y_LPARAM(point), Range());
    const RECT area{dial.left - m_thumb.width(), dial.top - m_thumb.height(), dial.right + m_thumb.width(),
                    dial.bottom + m_thumb.height()};
    ::InvalidateRect(m_hWnd, &area, TRUE);
}

// Taken from the knob's size as it is now, so the pointer finds the circle even before the
// first paint.
knob::Rect CPngRSliderBar2::Dial() const noexcept
{
    const SIZE size = ClientSize();
    return knob::DialRect(size.cx, size.cy);
}

// Dial, thumb, hand and centre dot, composed off screen and copied in one piece. Pixels the
// dial leaves transparent stay black; the window region hides them.
void CPngRSliderBar2::Compose(HDC dc, SIZE size) const
{
    BlendBitmap(dc, 0, 0, size.cx, size.cy, m_dial);
    const knob::Rect thumb = knob::ThumbRect(Dial(), m_value, GetRangeMax(), m_thumb.width(), m_thumb.height());
    BlendBitmap(dc, thumb.left, thumb.top, m_thumb.width(), m_thumb.height(), m_thumb);
    DrawHand(dc, size, thumb);
}

void CPngRSliderBar2::DrawHand(HDC dc, SIZE size, const knob::Rect& thumb) const
{
    Gdiplus::Graphics graphics(dc);
    if (graphics.GetLastStatus() != Gdiplus::Ok)
        return;
    graphics.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
    const Gdiplus::Point centre(size.cx / 2, size.cy / 2);
    const Gdiplus::Point thumbCentre((thumb.left + thumb.right) / 2, (thumb.top + thumb.bottom) / 2);
    const Gdiplus::Pen hand(Gdiplus::Color(kHandAlpha, 0xFF, 0xFF, 0xFF), kHandWidth);
    graphics.DrawLine(&hand, centre, thumbCentre);

    const Gdiplus::Rect dot(centre.X - kDotDiameter / 2, centre.Y - kDotDiameter / 2, kDotDiameter, kDotDiameter);
    Gdiplus::LinearGradientBrush fill(dot, Gdiplus::Color(kDotColour), Gdiplus::Color(kDotColour),
                                      Gdiplus::LinearGradientModeHorizontal);
    const Gdiplus::Color stops[] = {Gdiplus::Color(kDotColour), Gdiplus::Color(kDotColour), Gdiplus::Color(kDotColour),
                                    Gdiplus::Color(kDotColour)};
    fill.SetInterpolationColors(stops, kDotStops, static_cast<INT>(std::size(kDotStops)));
    graphics.FillEllipse(&fill, dot);
}
