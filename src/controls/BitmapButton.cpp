// CBitmapBtn: faces, caption settings, hover tracking and click notification.
#include "controls/BitmapButton.h"

#include "skin/DibOperations.h"
#include "skin/SkinFile.h"

namespace {

size_t Index(CaptionColour colour)
{
    return static_cast<size_t>(colour);
}

} // namespace

void CBitmapBtn::SetImages(const RECT& rect, const Bitmap& normal, const Bitmap& over, const Bitmap& down,
                           const Bitmap& disabled)
{
    WindowDc reference(m_hWnd);
    const Bitmap* sources[] = {&normal, &over, &down, &disabled};
    for (size_t state = 0; state < m_faces.size(); ++state)
        CropBitmap(reference, m_faces[state], *sources[state], rect.left, rect.top, rect.right, rect.bottom);
    ModifyStyle(WS_BORDER | WS_TABSTOP, 0);
}

void CBitmapBtn::SetCaption(const std::wstring& text, int margin, bool marginOnLeft)
{
    if (text == m_caption && margin == m_margin)
        return;
    m_caption = text;
    m_margin = margin;
    m_marginOnLeft = marginOnLeft;
    Repaint();
}

void CBitmapBtn::SetFontFace(const std::wstring& face)
{
    if (face == m_fontFace)
        return;
    m_fontFace = face;
    Repaint();
}

std::wstring CBitmapBtn::CaptionFontFace() const
{
    return m_fontFace.empty() ? SkinFontFace() : m_fontFace;
}

void CBitmapBtn::SetTextColors(COLORREF normal, COLORREF over, COLORREF down, COLORREF disabled)
{
    m_colours = {normal, over, down, disabled};
    Repaint();
}

void CBitmapBtn::SetSelected(bool on)
{
    m_selected = on;
    m_hover.End(m_hWnd);
    Repaint();
}

void CBitmapBtn::SetToggleMode()
{
    m_toggleMode = true;
    Repaint();
}

void CBitmapBtn::SetTooltipText(const wchar_t* text, bool activate)
{
    m_toolTip.SetText(m_hWnd, text, activate);
}

ButtonState CBitmapBtn::StateOf(const DRAWITEMSTRUCT& item) const noexcept
{
    return {m_toggleMode, m_selected, (item.itemState & ODS_SELECTED) != 0, m_hover.IsOn(),
            (item.itemState & ODS_DISABLED) != 0};
}

COLORREF CBitmapBtn::ColourOf(CaptionColour colour) const noexcept
{
    return m_colours[Index(colour)];
}

UINT CBitmapBtn::HorizontalAlignment() const noexcept
{
    switch (m_alignment) {
    case kAlignLeft:
        return DT_LEFT;
    case kAlignCentre:
        return DT_CENTER;
    default:
        return DT_RIGHT;
    }
}

BOOL CBitmapBtn::PreTranslateMessage(MSG* msg)
{
    m_toolTip.Relay(msg);
    return CButton::PreTranslateMessage(msg);
}

void CBitmapBtn::PreSubclassWindow()
{
    MakeOwnerDrawnButton(m_hWnd);
    CButton::PreSubclassWindow();
}

LRESULT CBitmapBtn::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_MOUSEMOVE:
        return OnMouseMove(wParam, lParam);
    case WM_MOUSELEAVE:
        ClearHover();
        return 0;
    case WM_KILLFOCUS: {
        const LRESULT result = Default();
        ClearHover();
        return result;
    }
    case WM_CAPTURECHANGED:
        return OnCaptureChanged();
    case WM_ERASEBKGND:
        return 0; // the faces cover the whole button
    case WM_LBUTTONDOWN:
        return OnLButtonDown();
    case WM_LBUTTONUP:
        return OnLButtonUp(lParam);
    case WM_LBUTTONDBLCLK:
        return OnLButtonDblClk();
    default:
        return CButton::WindowProc(message, wParam, lParam);
    }
}

LRESULT CBitmapBtn::OnMouseMove(WPARAM keys, LPARAM point)
{
    const LRESULT result = Default();
    if (m_hover.OnMouseMove(m_hWnd, keys, point))
        Invalidate();
    return result;
}

void CBitmapBtn::ClearHover()
{
    m_hover.Clear();
    Invalidate();
}

// The capture went to another window: this button no longer holds it, so there is nothing
// to release (releasing now would take the capture from the window that just got it).
// Hover ends with the WM_MOUSELEAVE that hover tracking asked for.
LRESULT CBitmapBtn::OnCaptureChanged()
{
    if (m_hover.IsOn())
        Invalidate();
    return Default();
}

LRESULT CBitmapBtn::OnLButtonDown()
{
    if (m_click.mode == kClickOnPress) {
        NotifyParent(m_hWnd, BN_CLICKED);
        if (!m_hWnd)
            return 0; // the parent destroyed the button in answer to the click
    }
    return Default();
}

// The standard button never sees the release, so it sends no click of its own; the pressed
// look ends here instead. Like a standard button, a release after dragging off the button
// clicks nothing; nor does one closer than the guard to the last click.
LRESULT CBitmapBtn::OnLButtonUp(LPARAM point)
{
    EndPress(m_hWnd, m_hover.IsOn());
    const DWORD now = ::GetTickCount();
    const bool guarded = m_click.guardMs != 0 && now - m_lastNotifyTick <= m_click.guardMs;
    if (m_click.mode == kClickOnRelease && IsOnButton(m_hWnd, point) && !guarded) {
        m_lastNotifyTick = now;
        NotifyParent(m_hWnd, BN_CLICKED);
    }
    return 0;
}

LRESULT CBitmapBtn::OnLButtonDblClk()
{
    const DWORD now = ::GetTickCount();
    if (now != m_lastNotifyTick) {
        m_lastNotifyTick = now;
        NotifyParent(m_hWnd, BN_DOUBLECLICKED);
    }
    return 0;
}
