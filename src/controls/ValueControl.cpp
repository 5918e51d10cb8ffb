// CValueControl: the window, range, report, drag and paint path of sliders and the knob.
#include "controls/ValueControl.h"

#include "framework/Handles.h"
#include "skin/DibOperations.h"
#include "skin/PaintBuffer.h"

namespace {

constexpr DWORD kValueControlStyle = WS_CHILD | WS_VISIBLE;

} // namespace

bool CValueControl::CreateValueControl(const RECT& rect, HWND parent, UINT id)
{
    m_id = id;
    m_parent = parent;
    m_minimum = 0;
    m_maximum = 10;
    m_value = 0;
    const std::wstring& className = SliderWindowClass();
    return !className.empty() && CreateEx(0, className.c_str(), L"", kValueControlStyle, rect, parent, id);
}

void CValueControl::SetRange(int minimum, int maximum)
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

LRESULT CValueControl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: {
        PaintDc paint(m_hWnd);
        Paint(paint, paint.dirty());
        return 0;
    }
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
    case WM_MOUSEWHEEL:
        // Only a proposal: the parent's SetPos moves the thumb.
        Report(WheelValue(GET_WHEEL_DELTA_WPARAM(wParam)));
        return 1;
    case WM_CAPTURECHANGED:
        return OnCaptureChanged(reinterpret_cast<HWND>(lParam));
    case WM_SLIDER_POS:
        // A report addressed to the control goes on to the parent as the control's own.
        Report(static_cast<int>(wParam));
        return 0;
    case WM_DESTROY: {
        const LRESULT result = Default();
        ReleaseImages();
        return result;
    }
    default:
        return CWnd::WindowProc(message, wParam, lParam);
    }
}

// Nothing is reported on the press.
LRESULT CValueControl::OnLButtonDown()
{
    m_dragging = true;
    OnDragChanged();
    ::SetCapture(m_hWnd);
    return Default();
}

void CValueControl::EndDrag()
{
    m_dragging = false;
    OnDragChanged();
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
}

// The capture was taken away in the middle of a drag (a popup, a window switch): the release
// will not come here, so the drag ends now, without a report.
LRESULT CValueControl::OnCaptureChanged(HWND gainedBy)
{
    if (m_dragging && gainedBy != m_hWnd) {
        m_dragging = false;
        OnDragChanged();
    }
    return Default();
}

void CValueControl::Paint(HDC target, const RECT& area) const
{
    const SIZE size = ClientSize();
    const PaintBuffer buffer(target, area, size, m_surface);
    if (buffer)
        Compose(buffer.dc(), size);
}

SIZE CValueControl::ClientSize() const noexcept
{
    const RECT client = GetClientRect();
    return {client.right - client.left, client.bottom - client.top};
}

void CValueControl::Report(int value) const noexcept
{
    PostSliderPos(m_parent, value, m_id);
}

void CValueControl::KeepCrop(Bitmap& target, const Bitmap& source, int left, int top, int right, int bottom)
{
    target.Reset();
    CropBitmap(nullptr, target, source, left, top, right, bottom);
}
