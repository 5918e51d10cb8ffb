// CPngSliderBar: images and value, pointer and hover, and the composed face.
#include "controls/SliderBar.h"

#include "skin/DibOperations.h"

#include <windowsx.h>

#include <initializer_list>

namespace {

POINT PointFrom(LPARAM lParam) noexcept
{
    return {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
}

} // namespace

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
    KeepCrop(m_thumbNormal, normal, 0, 0, normal.width(), normal.height());
    KeepCrop(m_thumbOver, over, 0, 0, over.width(), over.height());
    KeepCrop(m_thumbDown, down, 0, 0, down.width(), down.height());
    KeepCrop(m_thumbDisabled, disabled, 0, 0, disabled.width(), disabled.height());
    m_thumbWidth = m_thumbNormal.width();
    m_thumbHeight = m_thumbNormal.height();
    m_thumbAtTop = thumbAtTop;
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
    case WM_MOUSEMOVE:
        return OnMouseMove(wParam, lParam);
    case WM_LBUTTONUP:
        return OnLButtonUp(lParam);
    case WM_MOUSELEAVE:
        OnMouseLeave();
        return 0;
    default:
        return CValueControl::WindowProc(message, wParam, lParam);
    }
}

LRESULT CPngSliderBar::OnMouseMove(WPARAM keys, LPARAM point)
{
    if (IsDragging()) {
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
    if (IsDragging()) {
        EndDrag();
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
    if (IsDragging())
        m_hover.Clear();
    else
        m_hover.End(m_hWnd);
    RedrawNow();
}

void CPngSliderBar::ReleaseImages()
{
    for (Bitmap* image : {&m_trackNormal, &m_trackDown, &m_trackDisabled, &m_thumbNormal, &m_thumbOver, &m_thumbDown,
                          &m_thumbDisabled, &m_backdrop})
        image->Reset();
}

void CPngSliderBar::Compose(HDC dc, SIZE size) const
{
    CopyBitmap(dc, 0, 0, m_backdrop);
    const POINT thumb = ThumbOrigin(size);
    DrawTrack(dc, thumb, size);
    const Bitmap& face = CurrentThumb();
    BlendBitmap(dc, thumb.x, thumb.y, face.width(), face.height(), face);
}

const Bitmap& CPngSliderBar::CurrentThumb() const noexcept
{
    if (!m_enabled && !m_thumbDisabled.empty())
        return m_thumbDisabled;
    if (IsDragging())
        return m_thumbDown;
    if (m_hover.IsOn())
        return m_thumbOver;
    return m_thumbNormal;
}

// The pointer measured along the control as it is now, so a slider moved or resized by a new
// skin layout still maps the pointer onto its own track.
int CPngSliderBar::ValueAtPointer(LPARAM point) const
{
    return ValueAt(PointFrom(point), ClientSize());
}
