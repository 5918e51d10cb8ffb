// CPngListBtn: composition over the background piece, caption and icon placement, wheel.
#include "controls/ListButton.h"

#include "skin/DibOperations.h"

namespace {

constexpr BYTE kClearTypeNatural = CLEARTYPE_NATURAL_QUALITY;
constexpr int kBottomGap = 2; // caption distance from the bottom edge for alignment 8
constexpr int kIconToCaption = 3;

} // namespace

ButtonLook CPngListBtn::ChooseLook(const ButtonState& s) noexcept
{
    using enum CaptionColour;
    constexpr int kNormalFace = SkinImageSet::kNormal;
    constexpr int kOverFace = SkinImageSet::kOver;
    constexpr int kDownFace = SkinImageSet::kDown;
    if (s.disabled)
        return {SkinImageSet::kDisabled, kDisabled, kNormalFace};
    if (s.selected)
        return {kDownFace, kDown, kDownFace};
    if (s.toggleMode) {
        // In toggle mode only the selected flag latches the down look.
        if (s.pressed)
            return {kNormalFace, kOver, kNormalFace};
        if (s.hover)
            return {kOverFace, kNormal, kOverFace};
        return {kNormalFace, kNormal, kNormalFace};
    }
    if (s.pressed)
        return {kDownFace, kDown, kDownFace};
    if (s.hover)
        return {kOverFace, kOver, kOverFace};
    return {kNormalFace, kNormal, kNormalFace};
}

void CPngListBtn::SetCaptionEx(const std::wstring& text, int margin, int index)
{
    if (text == m_caption && margin == m_margin && index == m_index)
        return;
    m_caption = text;
    m_margin = margin;
    m_index = index;
    Repaint();
}

void CPngListBtn::SetIcons(const Bitmap* normal, const Bitmap* over, const Bitmap* down, int left, int top, int right,
                           int bottom)
{
    WindowDc reference(m_hWnd);
    const Bitmap* sources[] = {normal, over, down};
    for (size_t look = 0; look < m_icons.size(); ++look)
        if (sources[look])
            CropBitmap(reference, m_icons[look], *sources[look], 0, 0, right - left, bottom - top);
    m_iconGap = 0;
    m_iconRect = {left, top, right, bottom};
    Repaint();
}

void CPngListBtn::SetBackground(int left, int top, int right, int bottom, const Bitmap& source)
{
    m_backdrop.Set(m_hWnd, left, top, right, bottom, source);
}

LRESULT CPngListBtn::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_LBUTTONDOWN:
        Invalidate();
        return CBitmapBtnEx::WindowProc(message, wParam, lParam);
    case WM_LBUTTONDBLCLK:
        return 0; // a double click is one more press and release, never a double-click report
    case WM_MOUSEWHEEL: {
        const WPARAM direction = GET_WHEEL_DELTA_WPARAM(wParam) <= 0 ? SB_LINEDOWN : SB_LINEUP;
        ::PostMessageW(GetParent(), WM_VSCROLL, direction, 0);
        return Default();
    }
    default:
        return CBitmapBtnEx::WindowProc(message, wParam, lParam);
    }
}

CPngListBtn::CaptionPlace CPngListBtn::PlaceCaption(int width, int height, SIZE extent) const noexcept
{
    const int iconWidth = m_iconRect.right - m_iconRect.left;
    RECT rect{HasIcon() ? iconWidth + m_iconGap + m_margin : m_margin, (height - extent.cy) / 2, width, 0};
    rect.bottom = rect.top + extent.cy;
    UINT format = DT_SINGLELINE | DT_END_ELLIPSIS;
    switch (m_alignment) {
    case kAlignCentre:
        format |= DT_CENTER | DT_VCENTER;
        break;
    case kAlignLeft:
        format |= DT_LEFT | DT_VCENTER;
        break;
    case kAlignCentreBottom:
        format |= DT_CENTER | DT_BOTTOM;
        rect.bottom = height - kBottomGap;
        rect.top = rect.bottom - extent.cy;
        break;
    default:
        format |= DT_RIGHT | DT_VCENTER;
        break;
    }
    if (m_index != kNoIndex)
        ::OffsetRect(&rect, kIndexIndent, 0);
    return {rect, format};
}

void CPngListBtn::DrawCaption(HDC dc, int width, int height, const ButtonLook& look) const
{
    const HFONT font = m_font.Get({m_fontHeight, m_fontWeight, kClearTypeNatural, FF_SWISS, CaptionFontFace()});
    SelectGuard select(dc, font);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, ColourOf(look.caption));
    SIZE extent{};
    ::GetTextExtentPoint32W(dc, m_caption.c_str(), static_cast<int>(m_caption.size()), &extent);
    CaptionPlace place = PlaceCaption(width, height, extent);
    ::DrawTextW(dc, m_caption.c_str(), -1, &place.rect, place.format);

    if (!HasIcon())
        return;
    const int iconWidth = m_iconRect.right - m_iconRect.left;
    const int iconHeight = m_iconRect.bottom - m_iconRect.top;
    const int y = (height - iconHeight) / 2;
    const int x = m_alignment == kAlignCentre ? (width - iconWidth - extent.cx) / 2 - kIconToCaption : 0;
    const Bitmap& icon = m_icons[static_cast<size_t>(look.icon)];
    BlendBitmap(dc, x, y, iconWidth, iconHeight, icon, m_iconRect.left, m_iconRect.top);
}

void CPngListBtn::DrawItem(DRAWITEMSTRUCT* item)
{
    const RECT client = GetClientRect();
    const SIZE size{client.right, client.bottom};
    const ButtonLook look = ChooseLook(StateOf(*item));
    m_backdrop.Paint(item->hDC, size, Face(look.face), ButtonBackdrop::kOpaque, [&](HDC dc) {
        // An icon goes with a caption: a button without one shows its face alone.
        if (!m_caption.empty())
            DrawCaption(dc, size.cx, size.cy, look);
        DrawOverFace(dc, size, look);
    });
}
