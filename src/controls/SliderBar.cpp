// CPngSliderBar: images, range and value, pointer and wheel reports, and the composed face.
#include "controls/SliderBar.h"

#include "framework/Handles.h"
#include "skin/ImageRoutines.h"
#include "skin/PaintBuffer.h"

#include <windowsx.h>

#include <initializer_list>

namespace {

constexpr DWORD kSliderStyle = WS_CHILD | WS_VISIBLE;

POINT PointFrom(LPARAM lParam) noexcept
{
    return {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
}

// target becomes the crop of source, or empty when source is.
void KeepCrop(Bitmap& target, const Bitmap& source, int left, int top, int right, int bottom)
{
    target.Reset();
    CropBitmap(nullptr, target, source, left, top, right, bottom);
}

void KeepCopy(Bitmap& target, const Bitmap& source)
{
    KeepCrop(target, source, 0, 0, source.width(), source.height());
}

} // namespace

bool CPngSliderBar::CreateSlider(const RECT& rect, HWND parent, UINT id)
{
    m_id = id;
    m_parent = parent;
    m_minimum = 0;
    m_maximum = 10;
    m_value = 0;
    const std::wstring& className = SliderWindowClass();
    return !className.empty() && CreateEx(0, className.c_str(), L"", kSliderStyle, rect, parent, id);
}

void CPngSliderBar::SetTrackImages(int left, int top, int right, int bottom, const Bitmap& normal, const Bitmap& down,
                                   const Bitmap& disabled)
{
    KeepCrop(m_trackNormal, normal, left, top, right, bottom);
    KeepCrop(m_trackDown, down, left, top, right, bottom);
    KeepCrop(m_trackDisabled, disabled, left, top, right, bottom);
    RedrawNow();
}

void CPngSliderBar::SetThumbImages(const Bitmap& normal, const Bitmap& over, const Bitmap& down, const Bitmap& disabled,
                                   bool thumbAtTop)
{
    KeepCopy(m_thumbNormal, normal);
    KeepCopy(m_thumbOver, over);
    KeepCopy(m_thumbDown, down);
    KeepCopy(m_thumbDisabled, disabled);
    m_thumbWidth = m_thumbNormal.width();
    m_thumbHeight = m_thumbNormal.height();
    m_thumbAtTop = thumbAtTop;
    RedrawNow();
}

void CPngSliderBar::SetRange(int minimum, int maximum)
{
    const int value = slider::Clamp(m_value, {minimum, maximum});
    // A value clamped under unchanged bounds moves the thumb too.
    const bool changed = minimum != m_minimum || maximum != m_maximum || value != m_value;
    m_minimum = minimum;
    m_maximum = maximum;
    m_value = value;
    if (changed)
        RedrawNow();
}

void CPngSliderBar::SetBackground(int left, int top, int right, int bottom, const Bitmap& parentBackground)
{
    if (parentBackground.empty())
        return;
    KeepCrop(m_backdrop, parentBackground, left, top, right, bottom);
    RedrawNow();
}

void CPngSliderBar::SetPos(int value)
{
    if (value == m_value)
        return;
    m_value = value;
    RedrawNow();
}

LRESULT CPngSliderBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
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
        const LRESULT result = Default();
        m_enabled = wParam != FALSE;
        RedrawNow();
        return result;
    }
    case WM_LBUTTONDOWN:
        return OnLButtonDown();
    case WM_MOUSEMOVE:
        return OnMouseMove(wParam, lParam);
    case WM_LBUTTONUP:
        return OnLButtonUp(lParam);
    case WM_MOUSEWHEEL:
        Report(WheelValue(GET_WHEEL_DELTA_WPARAM(wParam)));
        return 1;
    case WM_MOUSELEAVE:
        OnMouseLeave();
        return 0;
    case WM_CAPTURECHANGED:
        return OnCaptureChanged(reinterpret_cast<HWND>(lParam));
    case WM_SLIDER_POS:
        // A report addressed to the control goes on to the parent as the control's own.
        Report(static_cast<int>(wParam));
        return 0;
    case WM_DESTROY:
        return OnDestroy();
    default:
        return CWnd::WindowProc(message, wParam, lParam);
    }
}

// Nothing is reported on the press: a click reports once, on release.
LRESULT CPngSliderBar::OnLButtonDown()
{
    m_dragging = true;
    RedrawNow();
    ::SetCapture(m_hWnd);
    return Default();
}

LRESULT CPngSliderBar::OnMouseMove(WPARAM keys, LPARAM point)
{
    if (m_dragging) {
        // Compared with the stored value, which only the parent changes (SetPos).
        const int value = ValueAtPointer(point);
        if (value != m_value)
            Report(value);
        return 0;
    }
    const LRESULT result = Default();
    if (m_hover.OnMouseMove(m_hWnd, keys, point))
        RedrawNow();
    return result;
}

// The release always reports, even the value already held and even off the control (where the
// value is clamped), so a click without a drag jumps to the clicked place.
LRESULT CPngSliderBar::OnLButtonUp(LPARAM point)
{
    if (m_dragging) {
        m_dragging = false;
        RedrawNow();
        if (::GetCapture() == m_hWnd)
            ::ReleaseCapture();
        Report(ValueAtPointer(point));
        if (m_hover.IsOn()) {
            // Hover no longer holds the capture: let the system say when the pointer is gone.
            TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, m_hWnd, 0};
            ::TrackMouseEvent(&track);
        }
    }
    return Default();
}

void CPngSliderBar::OnMouseLeave()
{
    if (!m_hover.IsOn())
        return;
    // During a drag the capture belongs to the drag, which ends with the release.
    if (m_dragging)
        m_hover.Clear();
    else
        m_hover.End(m_hWnd);
    RedrawNow();
}

// The capture was taken away in the middle of a drag (a popup, a window switch): the release
// will not come here, so the drag ends now, without a report.
LRESULT CPngSliderBar::OnCaptureChanged(HWND gainedBy)
{
    if (m_dragging && gainedBy != m_hWnd) {
        m_dragging = false;
        RedrawNow();
    }
    return Default();
}

LRESULT CPngSliderBar::OnDestroy()
{
    const LRESULT result = Default();
    for (Bitmap* image : {&m_trackNormal, &m_trackDown, &m_trackDisabled, &m_thumbNormal, &m_thumbOver, &m_thumbDown,
                          &m_thumbDisabled, &m_backdrop})
        image->Reset();
    return result;
}

void CPngSliderBar::OnPaint()
{
    PaintDc paint(m_hWnd);
    Paint(paint, paint.dirty());
}

// Backdrop, track, thumb, composed off screen and copied in one piece.
void CPngSliderBar::Paint(HDC target, const RECT& area) const
{
    const SIZE size = ClientSize();
    const PaintBuffer buffer(target, area, size, m_surface);
    if (!buffer)
        return;
    CopyBitmap(buffer.dc(), 0, 0, m_backdrop);
    const POINT thumb = ThumbOrigin(size);
    DrawTrack(buffer.dc(), thumb, size);
    const Bitmap& face = CurrentThumb();
    BlendBitmap(buffer.dc(), thumb.x, thumb.y, face.width(), face.height(), face);
}

const Bitmap& CPngSliderBar::CurrentThumb() const noexcept
{
    if (!m_enabled && !m_thumbDisabled.empty())
        return m_thumbDisabled;
    if (m_dragging)
        return m_thumbDown;
    if (m_hover.IsOn())
        return m_thumbOver;
    return m_thumbNormal;
}

SIZE CPngSliderBar::ClientSize() const noexcept
{
    const RECT client = GetClientRect();
    return {client.right - client.left, client.bottom - client.top};
}

// The pointer measured along the control as it is now, so a slider moved or resized by a new
// skin layout still maps the pointer onto its own track.
int CPngSliderBar::ValueAtPointer(LPARAM point) const
{
    return ValueAt(PointFrom(point), ClientSize());
}

void CPngSliderBar::Report(int value) const noexcept
{
    PostSliderPos(m_parent, value, m_id);
}
