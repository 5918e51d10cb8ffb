// CBitmapBtn2: the cell's click policy, hover report, caption and selection setters.
#include "controls/BitmapButton2.h"

namespace {

constexpr COLORREF kWhite = RGB(0xFF, 0xFF, 0xFF);

} // namespace

CBitmapBtn2::CBitmapBtn2() noexcept
    : CBitmapBtn({kClickOnRelease, kClickGuardMs}, WM_SWATCH_ENTER, {kWhite, kWhite, kWhite, kWhite})
{
}

void CBitmapBtn2::SetImages(const RECT& rect, const Bitmap& normal, const Bitmap& over, const Bitmap& down,
                            const Bitmap& disabled)
{
    CBitmapBtn::SetImages(rect, normal, over, down, disabled);
    ForgetHover();
}

void CBitmapBtn2::SetSelected(bool on)
{
    if (on == m_selected)
        return;
    m_selected = on;
    Repaint();
}

void CBitmapBtn2::SetCaption(const std::wstring& text)
{
    m_caption = text;
    Repaint();
}

void CBitmapBtn2::SetTextColors(COLORREF normal, COLORREF hover, COLORREF down)
{
    CBitmapBtn::SetTextColors(normal, hover, down, ColourOf(::CaptionColour::kDisabled));
}

COLORREF CBitmapBtn2::CaptionColour(bool pressed) const noexcept
{
    if (pressed || m_selected)
        return ColourOf(::CaptionColour::kDown);
    return ColourOf(IsHovered() ? ::CaptionColour::kOver : ::CaptionColour::kNormal);
}

void CBitmapBtn2::PreSubclassWindow()
{
    // With the parent's DC a cell could paint beyond its own rectangle; without it the
    // system clips each cell to itself. (This changes the process's button class.)
    const auto classStyle = static_cast<DWORD>(::GetClassLongPtrW(m_hWnd, GCL_STYLE));
    if (classStyle & CS_PARENTDC)
        ::SetClassLongPtrW(m_hWnd, GCL_STYLE, static_cast<LONG_PTR>(classStyle & ~CS_PARENTDC));
    CBitmapBtn::PreSubclassWindow();
}

LRESULT CBitmapBtn2::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_SETCURSOR)
        return TRUE; // the cursor stays as it is
    return CBitmapBtn::WindowProc(message, wParam, lParam);
}
