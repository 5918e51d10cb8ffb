// CHalcyDlg: painting the window: the composed background, the panel labels of the current
// display, the version text and the panel pictures.
#include "mainwnd/HalcyDlg.h"

#include "base/Paths.h"
#include "mainwnd/MainSkinSections.h"
#include "skin/PaintBuffer.h"
#include "skin/SkinFile.h"

namespace {

constexpr int kLargeFontHeight = 15;
constexpr int kSmallFontHeight = 10;
constexpr UINT kLabelFormat = DT_WORDBREAK;
constexpr UINT kCentredLabelFormat = DT_CENTER | DT_WORDBREAK;
constexpr COLORREF kLabelColour = 0xFFFFFF;
constexpr const wchar_t* kVersionText = L"v1.0.0.1";

void DrawLabels(HDC dc, std::initializer_list<const wchar_t*> keys, UINT format)
{
    for (const wchar_t* key : keys)
        DrawSkinText(dc, kPanelTextSection, key, format);
}

} // namespace

void CHalcyDlg::OnPaint()
{
    PaintDc paint(m_hWnd);
    if (::IsIconic(m_hWnd)) {
        SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(paint.get()));
        const RECT client = GetClientRect();
        const int x = (client.right - ::GetSystemMetrics(SM_CXICON) + 1) / 2;
        const int y = (client.bottom - ::GetSystemMetrics(SM_CYICON) + 1) / 2;
        ::DrawIcon(paint, x, y, m_hIcon);
        return;
    }

    // Only the area being repainted is composed: a slider move repaints a few field-sized
    // pieces, and composing the whole client for each of them cost more than the move itself.
    const RECT area = paint.dirty();
    const RECT client = GetClientRect();
    const PaintBuffer buffer(paint, area, {client.right, client.bottom}, m_paintSurface);
    if (!buffer)
        return;
    const HDC composed = buffer.dc();
    if (!m_background.empty()) {
        MemoryDc background(paint);
        SelectGuard selectBackground(background, m_background.get());
        ::BitBlt(composed, area.left, area.top, area.right - area.left, area.bottom - area.top, background, area.left,
                 area.top, SRCCOPY);
    }
    ::IntersectClipRect(composed, area.left, area.top, area.right, area.bottom);
    PaintScreen(composed);
}

void CHalcyDlg::PaintScreen(HDC dc)
{
    const GdiFont largeFont = CreateSkinLabelFont(kLargeFontHeight);
    const GdiFont smallFont = CreateSkinLabelFont(kSmallFontHeight);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, kLabelColour);
    SelectGuard selectFont(dc, largeFont.get());

    DrawSkinPicture(dc, kPictureSection, L"1", SkinFolder());
    DrawSkinText(dc, kMainTextSection, L"VER", kCentredLabelFormat, kVersionText);
    DrawSkinText(dc, kPanelTextSection, L"1", kLabelFormat);

    int display;
    if (m_cursor.Shown().sync != 0) {
        display = kSyncDisplay;
        DrawSkinText(dc, kPanelTextSection, L"2", kLabelFormat, GetSkinString(kPanelStringSection, L"6", L""));
        DrawSkinPicture(dc, kPictureSection, L"5", SkinFolder());
        DrawSkinPicture(dc, kPictureSection, L"6", SkinFolder());
    } else if (m_cursor.Shown().audio != 0) {
        display = kMusicDisplay;
        DrawSkinText(dc, kPanelTextSection, L"2", kLabelFormat, GetSkinString(kPanelStringSection, L"1", L""));
        DrawSkinText(dc, kPanelTextSection, L"22", kLabelFormat);
    } else {
        display = ModeIndex(m_cursor.Mode());
        DrawSkinText(dc, kPanelTextSection, L"2", kLabelFormat, m_modeName);
    }
    const ModeTraits& traits = kModeTraits[static_cast<size_t>(display)];

    if (traits.colours != ColourOffer::None) {
        DrawLabels(dc, {L"3", L"5", L"7", L"8", L"9", L"10", L"11"}, kLabelFormat);
        ::SelectObject(dc, smallFont.get());
        DrawLabels(dc, {L"12", L"16"}, kCentredLabelFormat);
    }
    if (m_cursor.Shown().audio != 0)
        DrawLabels(dc, {L"23", L"24"}, kCentredLabelFormat);

    ::SelectObject(dc, largeFont.get());
    if (traits.speed)
        DrawLabels(dc, {L"4"}, kLabelFormat);
    if (traits.variant)
        DrawLabels(dc, {L"6"}, kLabelFormat);
}
