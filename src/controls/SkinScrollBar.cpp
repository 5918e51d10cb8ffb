// CSkinScrollBar: scroll state, mouse handling, auto-repeat and the scroll messages.
#include "controls/SkinScrollBar.h"

#include <windowsx.h>

#include <algorithm>
#include <cstddef>
#include <utility>

namespace {

using scrollbar::IsArrow;
using scrollbar::IsPageArea;
using scrollbar::Part;

// The first repeat of a held arrow or page area comes after kFirstDelayMs, the next ones
// every kRepeatMs.
constexpr UINT_PTR kFirstDelayTimer = 200;
constexpr UINT_PTR kRepeatTimer = 100;
constexpr UINT kFirstDelayMs = 500;
constexpr UINT kRepeatMs = 100;

// A SCROLLINFO from a caller that predates nTrackPos ends there.
constexpr UINT kScrollInfoWithoutTrackPos = offsetof(SCROLLINFO, nTrackPos);

static_assert(static_cast<int>(Part::FirstArrow) == SB_LINEUP);
static_assert(static_cast<int>(Part::SecondArrow) == SB_LINEDOWN);
static_assert(static_cast<int>(Part::PageBefore) == SB_PAGEUP);
static_assert(static_cast<int>(Part::PageAfter) == SB_PAGEDOWN);
static_assert(static_cast<int>(Part::Thumb) == SB_THUMBTRACK);

POINT PointFrom(LPARAM lParam) noexcept
{
    return {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
}

} // namespace

void CSkinScrollBar::PreSubclassWindow()
{
    // A window adopted after creation has had its WM_SIZE already.
    const RECT client = GetClientRect();
    m_length = IsVertical() ? client.bottom : client.right;
}

LRESULT CSkinScrollBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case SBM_SETSCROLLINFO:
        return OnSetScrollInfo(wParam != 0, reinterpret_cast<const SCROLLINFO*>(lParam));
    case SBM_GETSCROLLINFO:
        return OnGetScrollInfo(reinterpret_cast<SCROLLINFO*>(lParam));
    case SBM_SETPOS:
        return OnSetPos(static_cast<int>(wParam), lParam != 0);
    case SBM_GETPOS:
        return m_position;
    case SBM_SETRANGE:
        return OnSetRange(static_cast<int>(wParam), static_cast<int>(lParam), false);
    case SBM_SETRANGEREDRAW:
        return OnSetRange(static_cast<int>(wParam), static_cast<int>(lParam), true);
    case SBM_GETRANGE:
        return OnGetRange(reinterpret_cast<int*>(wParam), reinterpret_cast<int*>(lParam));
    case WM_LBUTTONDBLCLK:
        // The second press of a double click arrives as this message: it must not step again.
        return 0;
    case WM_SIZE:
        Default();
        OnSize(LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_ERASEBKGND:
        return TRUE;
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_PRINTCLIENT:
        OnPrintClient(reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_LBUTTONDOWN:
        OnLButtonDown(PointFrom(lParam));
        return 0;
    case WM_MOUSEMOVE:
        OnMouseMove(PointFrom(lParam));
        return 0;
    case WM_LBUTTONUP:
        OnLButtonUp();
        return 0;
    case WM_TIMER:
        if (OnTimer(wParam))
            return 0;
        break;
    case WM_MOUSELEAVE:
        OnMouseLeave();
        return 0;
    case WM_CAPTURECHANGED:
        OnCaptureChanged(reinterpret_cast<HWND>(lParam));
        return 0;
    default:
        break;
    }
    return CScrollBar::WindowProc(message, wParam, lParam);
}

LRESULT CSkinScrollBar::OnSetScrollInfo(bool redraw, const SCROLLINFO* info)
{
    if (!info || info->cbSize < kScrollInfoWithoutTrackPos)
        return 0;
    // Taken as given: the owner keeps range, page and position consistent.
    if (info->fMask & SIF_PAGE)
        m_page = static_cast<int>(info->nPage);
    if (info->fMask & SIF_POS)
        m_position = info->nPos;
    if (info->fMask & SIF_RANGE) {
        m_minimum = info->nMin;
        m_maximum = info->nMax;
    }
    if (redraw)
        RedrawNow(TrackRect());
    return 1;
}

LRESULT CSkinScrollBar::OnGetScrollInfo(SCROLLINFO* info) const
{
    if (!info || info->cbSize < kScrollInfoWithoutTrackPos)
        return 0;
    if (info->fMask & SIF_PAGE)
        info->nPage = static_cast<UINT>(m_page);
    if (info->fMask & SIF_POS)
        info->nPos = m_position;
    if ((info->fMask & SIF_TRACKPOS) && info->cbSize >= sizeof(SCROLLINFO))
        info->nTrackPos = m_dragging ? m_trackPosition : -1;
    if (info->fMask & SIF_RANGE) {
        info->nMin = m_minimum;
        info->nMax = m_maximum;
    }
    return 1;
}

LRESULT CSkinScrollBar::OnSetPos(int position, bool redraw)
{
    const int previous = m_position;
    m_position = position;
    if (redraw)
        RedrawNow(TrackRect());
    return previous;
}

LRESULT CSkinScrollBar::OnSetRange(int minimum, int maximum, bool redraw)
{
    const int previous = m_position;
    m_minimum = minimum;
    m_maximum = maximum;
    if (redraw)
        RedrawNow(TrackRect());
    return previous;
}

LRESULT CSkinScrollBar::OnGetRange(int* minimum, int* maximum) const
{
    if (minimum)
        *minimum = m_minimum;
    if (maximum)
        *maximum = m_maximum;
    return 0;
}

void CSkinScrollBar::OnSize(int width, int height)
{
    m_length = IsVertical() ? height : width;
}

void CSkinScrollBar::OnLButtonDown(POINT point)
{
    if (m_dragging || m_pressedPart != Part::None)
        return;
    const Part part = HitTest(point);
    if (part == Part::None)
        return;
    ::SetCapture(m_hWnd);
    m_lastPointer = point;
    if (part == Part::Thumb) {
        m_dragStart = point;
        m_dragging = true;
        m_trackPosition = m_position;
        m_dragStartPosition = m_position;
        RedrawNow(PartRect(CurrentLayout(), Part::Thumb));
        return;
    }
    m_pressedPart = part;
    m_pointerOff = false;
    if (!Notify(static_cast<int>(part)))
        return;
    SetTimer(kFirstDelayTimer, kFirstDelayMs);
    if (IsArrow(part))
        RedrawNow(PartRect(CurrentLayout(), part));
}

void CSkinScrollBar::OnMouseMove(POINT point)
{
    if (!m_trackingLeave) {
        TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, m_hWnd, 0};
        m_trackingLeave = ::TrackMouseEvent(&track) != FALSE;
    }
    m_lastPointer = point;
    FollowPointer(point);
}

void CSkinScrollBar::OnMouseLeave()
{
    m_trackingLeave = false;
    // The capture keeps a drag going outside the window; its next move places the thumb.
    if (!m_dragging)
        FollowPointer({-1, -1});
}

void CSkinScrollBar::FollowPointer(POINT point)
{
    if (m_dragging)
        ContinueDrag(point);
    else if (m_pressedPart == Part::None)
        UpdateHover(point);
    else
        UpdatePointerOff(point);
}

void CSkinScrollBar::ContinueDrag(POINT point)
{
    const int delta = Along(point) - Along(m_dragStart);
    const int position = scrollbar::DragPosition(m_cellWidth, m_length, ShownMetrics(), m_dragStartPosition, delta);
    if (position == m_trackPosition)
        return;
    const RECT before = PartRect(CurrentLayout(), Part::Thumb);
    m_trackPosition = position;
    const RECT after = PartRect(CurrentLayout(), Part::Thumb);
    RECT changed{};
    ::UnionRect(&changed, &before, &after);
    RedrawNow(changed);
    Notify(SB_THUMBTRACK, position);
}

void CSkinScrollBar::UpdateHover(POINT point)
{
    const Part part = HitTest(point);
    if (part == m_hotPart)
        return;
    const Part previous = m_hotPart;
    m_hotPart = part;
    const scrollbar::Layout layout = CurrentLayout();
    // Page areas have no highlighted look.
    if (previous != Part::None && !IsPageArea(previous))
        RedrawNow(PartRect(layout, previous));
    if (part != Part::None && !IsPageArea(part))
        RedrawNow(PartRect(layout, part));
}

void CSkinScrollBar::UpdatePointerOff(POINT point)
{
    const RECT pressed = PartRect(CurrentLayout(), m_pressedPart);
    const bool off = !::PtInRect(&pressed, point);
    if (off == m_pointerOff)
        return;
    m_pointerOff = off;
    if (IsArrow(m_pressedPart))
        RedrawNow(pressed);
}

void CSkinScrollBar::OnLButtonUp()
{
    // Releasing the capture reports WM_CAPTURECHANGED, which ends the press; without the
    // capture there is no such report, so the press is ended here as well.
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    EndPress();
}

void CSkinScrollBar::OnCaptureChanged(HWND gainedBy)
{
    // Losing the capture in the middle of a press (another window took it) ends the press,
    // so no repeat outlives the button.
    if (gainedBy != m_hWnd)
        EndPress();
}

void CSkinScrollBar::EndPress()
{
    if (m_dragging) {
        m_dragging = false;
        m_hotPart = Part::None;
        const int dropped = m_trackPosition;
        m_trackPosition = -1;
        if (!Notify(SB_THUMBPOSITION, dropped))
            return;
        // Wherever the owner put the position, the thumb is drawn there.
        RedrawNow(TrackRect());
        return;
    }
    if (m_pressedPart == Part::None)
        return;
    KillTimer(m_fastRepeat ? kRepeatTimer : kFirstDelayTimer);
    m_fastRepeat = false;
    const Part released = std::exchange(m_pressedPart, Part::None);
    m_hotPart = Part::None;
    m_pointerOff = false;
    if (IsArrow(released))
        RedrawNow(PartRect(CurrentLayout(), released));
}

bool CSkinScrollBar::OnTimer(UINT_PTR id)
{
    if (id != kFirstDelayTimer && id != kRepeatTimer)
        return false;
    if (m_pressedPart == Part::None) {
        KillTimer(kFirstDelayTimer);
        KillTimer(kRepeatTimer);
        return true;
    }
    if (id == kFirstDelayTimer) {
        m_fastRepeat = true;
        KillTimer(kFirstDelayTimer);
        SetTimer(kRepeatTimer, kRepeatMs);
    }
    Repeat();
    return true;
}

void CSkinScrollBar::Repeat()
{
    // Off the pressed part the timer keeps running but nothing is sent, so moving back
    // resumes the repeats.
    if (m_pointerOff)
        return;
    bool done = false;
    switch (m_pressedPart) {
    case Part::FirstArrow:
        done = m_position <= m_minimum;
        break;
    case Part::SecondArrow:
        done = m_position >= m_maximum;
        break;
    case Part::PageBefore:
    case Part::PageAfter:
        // The thumb has reached the pointer (or stepped past it).
        done = HitTest(m_lastPointer) != m_pressedPart;
        break;
    default:
        done = true;
        break;
    }
    if (done)
        KillTimer(kRepeatTimer);
    else
        Notify(static_cast<int>(m_pressedPart));
}

bool CSkinScrollBar::Notify(int code, int position)
{
    const HWND self = m_hWnd;
    const UINT message = IsVertical() ? WM_VSCROLL : WM_HSCROLL;
    const bool carriesPosition = code == SB_THUMBTRACK || code == SB_THUMBPOSITION;
    const WPARAM wParam = MAKEWPARAM(code, carriesPosition ? LOWORD(position) : 0);
    ::SendMessageW(::GetParent(self), message, wParam, reinterpret_cast<LPARAM>(self));
    // The owner may destroy the bar in answer (closing the list it belongs to).
    return m_hWnd == self;
}

scrollbar::Metrics CSkinScrollBar::ShownMetrics() const noexcept
{
    return {m_minimum, m_maximum, m_page, m_dragging ? m_trackPosition : m_position};
}

scrollbar::Layout CSkinScrollBar::CurrentLayout() const noexcept
{
    return scrollbar::ComputeLayout(m_cellWidth, m_length, ShownMetrics());
}

CSkinScrollBar::Part CSkinScrollBar::HitTest(POINT point) const noexcept
{
    return scrollbar::HitTest(m_cellWidth, m_length, ShownMetrics(), Along(point));
}

int CSkinScrollBar::Along(POINT point) const noexcept
{
    return IsVertical() ? point.y : point.x;
}

RECT CSkinScrollBar::Oriented(int alongBegin, int alongEnd, int acrossBegin, int acrossEnd) const noexcept
{
    if (IsVertical())
        return {acrossBegin, alongBegin, acrossEnd, alongEnd};
    return {alongBegin, acrossBegin, alongEnd, acrossEnd};
}

RECT CSkinScrollBar::PartRect(const scrollbar::Layout& layout, Part part) const noexcept
{
    const scrollbar::Span span = layout.PartSpan(part);
    return Oriented(span.begin, span.end, 0, m_cellWidth);
}

RECT CSkinScrollBar::TrackRect() const noexcept
{
    const scrollbar::Layout layout = CurrentLayout();
    return Oriented(layout.arrow, layout.length - layout.arrow, 0, m_cellWidth);
}
