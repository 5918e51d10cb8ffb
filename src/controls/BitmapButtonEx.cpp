// CBitmapBtnEx: the opaque face and the caption.
#include "controls/BitmapButtonEx.h"

#include "skin/DibOperations.h"
#include "skin/PaintBuffer.h"

ButtonLook CBitmapBtnEx::ChooseLook(const ButtonState& s) noexcept
{
    using enum CaptionColour;
    if (s.toggleMode) {
        if (s.disabled)
            return {SkinImageSet::kDisabled, kDisabled};
        if (s.selected)
            return {SkinImageSet::kDown, kOver};
        return {SkinImageSet::kNormal, kNormal};
    }
    if (s.selected)
        return {SkinImageSet::kDown, kNormal};
    if (s.pressed)
        return {SkinImageSet::kDown, kOver};
    if (s.hover)
        return {SkinImageSet::kOver, kOver};
    if (s.disabled)
        return {SkinImageSet::kDisabled, kDisabled};
    return {SkinImageSet::kNormal, kNormal};
}

void CBitmapBtnEx::DrawItem(DRAWITEMSTRUCT* item)
{
    const RECT client = GetClientRect();
    const PaintBuffer buffer(item->hDC, client, {client.right, client.bottom}, m_surface);
    if (!buffer)
        return;
    const HDC dc = buffer.dc();
    const ButtonLook look = ChooseLook(StateOf(*item));
    CopyBitmap(dc, 0, 0, Face(look.face));

    if (!m_caption.empty()) {
        GdiFont font(::CreateFontW(m_fontHeight, 0, 0, 0, m_fontWeight, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                   OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_SWISS,
                                   CaptionFontFace().c_str()));
        SelectGuard select(dc, font.get());
        ::SetBkMode(dc, TRANSPARENT);
        ::SetTextColor(dc, ColourOf(look.caption));
        RECT text = client;
        if (m_marginOnLeft)
            text.left += m_margin;
        else
            text.right -= m_margin;
        ::DrawTextW(dc, m_caption.c_str(), -1, &text,
                    DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | HorizontalAlignment());
    }
}
