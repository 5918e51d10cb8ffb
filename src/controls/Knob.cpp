// CPngRSliderBar2: images, range and value, pointer and wheel reports, region and the face.
#include "controls/Knob.h"

#include "framework/Handles.h"
#include "skin/ImageRoutines.h"
#include "skin/PaintBuffer.h"

#include <windowsx.h>

#include <gdiplus.h>

#include <iterator>

namespace {

constexpr DWORD kKnobStyle = WS_CHILD | WS_VISIBLE;

// The hand: white at 70 % opacity, 1.5 pixels wide, anti-aliased.
constexpr BYTE kHandAlpha = 0xB2;
constexpr Gdiplus::REAL kHandWidth = 1.5f;
// The centre dot: a 24-pixel disc filled through a four-stop horizontal gradient, all stops
// opaque red.
constexpr int kDotDiameter = 24;
constexpr Gdiplus::ARGB kDotColour = 0xFFFF0000;
constexpr Gdiplus::REAL kDotStops[] = {0.0f, 0.33f, 0.66f, 1.0f};

void KeepCrop(Bitmap& target, const Bitmap& source, int left, int top, int right, int bottom)
{
    target.Reset();
    CropBitmap(nullptr, target, source, left, top, right, bottom);
}

} // namespace

bool CPngRSliderBar2::Create(const RECT& rect, HWND parent)
{
    m_parent = parent;
    m_minimum = 0;
    m_maximum = 10;
    m_internal = 0;
    const std::wstring& className = SliderWindowClass();
    return !className.empty() && CreateEx(0, className.c_str(), L"", kKnobStyle, rect, parent, kKnobId);
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

void CPngRSliderBar2::SetRange(int minimum, int maximum)
{
    const int internal = slider::Clamp(m_internal, {minimum, maximum});
    const bool changed = minimum != m_minimum || maximum != m_maximum || internal != m_internal;
    m_minimum = minimum;
    m_maximum = maximum;
    m_internal = internal;
    if (changed)
        RedrawNow();
}

void CPngRSliderBar2::SetPos(int reported)
{
    if (reported == GetPos())
        return;
    m_internal = knob::InternalValue(reported, Range());
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
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_PRINTCLIENT:
        Paint(reinterpret_cast<HDC>(wParam), GetClientRect());
        return 0;
    case WM_ERASEBKGND:
        return TRUE; // the face covers the whole client area
    case WM_ENABLE: {
        // Disabled, the knob looks the same; the repaint only keeps the face current.
        const LRESULT result = Default();
        RedrawNow();
        return result;
    }
    case WM_LBUTTONDOWN:
        return OnLButtonDown();
    case WM_MOUSEMOVE:
        return OnMouseMove(lParam);
    case WM_LBUTTONUP:
        return OnLButtonUp(lParam);
    case WM_MOUSEWHEEL:
        // Only a proposal: the parent's SetPos turns the knob.
        Report(knob::WheelValue(GetPos(), GET_WHEEL_DELTA_WPARAM(wParam), Range()));
        return 1;
    case WM_CAPTURECHANGED:
        return OnCaptureChanged(reinterpret_cast<HWND>(lParam));
    case WM_SLIDER_POS:
        // A report addressed to the knob goes on to the parent as the knob's own.
        Report(static_cast<int>(wParam));
        return 0;
    case WM_DESTROY:
        return OnDestroy();
    default:
        return CWnd::WindowProc(message, wParam, lParam);
    }
}

LRESULT CPngRSliderBar2::OnLButtonDown()
{
    m_dragging = true;
    ::SetCapture(m_hWnd);
    return Default();
}

LRESULT CPngRSliderBar2::OnMouseMove(LPARAM point)
{
    if (!m_dragging)
        return Default();
    FollowPointer(point);
    Report(GetPos());
    return 0;
}

// A release over the knob sets it even when the press was elsewhere.
LRESULT CPngRSliderBar2::OnLButtonUp(LPARAM point)
{
    FollowPointer(point);
    m_dragging = false;
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    Report(GetPos());
    return Default();
}

// The capture was taken away in the middle of a drag: the release will not come here.
LRESULT CPngRSliderBar2::OnCaptureChanged(HWND gainedBy)
{
    if (gainedBy != m_hWnd)
        m_dragging = false;
    return Default();
}

LRESULT CPngRSliderBar2::OnDestroy()
{
    const LRESULT result = Default();
    m_dial.Reset();
    m_thumb.Reset();
    return result;
}

// Turns the thumb to the pointer and repaints the circle it travels on.
void CPngRSliderBar2::FollowPointer(LPARAM point)
{
    const knob::Rect dial = Dial();
    m_internal = knob::InternalValueAt(dial, GET_X_LPARAM(point), GET_Y_LPARAM(point), Range());
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

SIZE CPngRSliderBar2::ClientSize() const noexcept
{
    const RECT client = GetClientRect();
    return {client.right - client.left, client.bottom - client.top};
}

void CPngRSliderBar2::OnPaint()
{
    PaintDc paint(m_hWnd);
    Paint(paint, paint.dirty());
}

// Dial, thumb, hand and centre dot, composed off screen and copied in one piece. Pixels the
// dial leaves transparent stay black; the window region hides them.
void CPngRSliderBar2::Paint(HDC target, const RECT& area) const
{
    const SIZE size = ClientSize();
    const PaintBuffer buffer(target, area, size, m_surface);
    if (!buffer)
        return;
    BlendBitmap(buffer.dc(), 0, 0, size.cx, size.cy, m_dial);
    const knob::Rect thumb = knob::ThumbRect(Dial(), m_internal, m_maximum, m_thumb.width(), m_thumb.height());
    BlendBitmap(buffer.dc(), thumb.left, thumb.top, m_thumb.width(), m_thumb.height(), m_thumb);
    DrawHand(buffer.dc(), size, thumb);
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

void CPngRSliderBar2::Report(int value) const noexcept
{
    PostSliderPos(m_parent, value, kKnobId);
}
