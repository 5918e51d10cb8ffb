// CColorBtn2: tinting and drawing of a colour cell.
#include "controls/SwatchButton.h"

#include "skin/DibOperations.h"
#include "skin/SkinFile.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr BYTE kClearTypeNatural = CLEARTYPE_NATURAL_QUALITY;
constexpr BYTE kCaptionPitchAndFamily = 14;
constexpr int kCaptionIndent = 5;

size_t PixelBytes(const Bitmap& bitmap)
{
    return static_cast<size_t>(bitmap.width()) * static_cast<size_t>(bitmap.height()) * 4;
}

// The pixels of a 32-bit section (rows of width * 4 bytes, no padding), or null.
BYTE* SectionBits(const Bitmap& bitmap)
{
    DIBSECTION section{};
    if (bitmap.empty() || ::GetObjectW(bitmap.get(), sizeof(section), &section) != sizeof(section) ||
        section.dsBm.bmBitsPixel != 32)
        return nullptr;
    ::GdiFlush();
    return static_cast<BYTE*>(section.dsBm.bmBits);
}

// channel * (component / 255) in single precision, truncated: 255 * (128 / 255.f) is 128.
BYTE Multiply(BYTE channel, float factor)
{
    return static_cast<BYTE>(static_cast<float>(channel) * factor);
}

} // namespace

void CColorBtn2::SetTintSources(const RECT& rect, const Bitmap& normal, const Bitmap& down)
{
    CropBitmapDib32(nullptr, m_tintedNormal, normal, rect.left, rect.top, rect.right, rect.bottom);
    CropBitmapDib32(nullptr, m_tintedDown, down, rect.left, rect.top, rect.right, rect.bottom);
    m_normalPixels.assign(PixelBytes(m_tintedNormal), 0);
    m_downPixels.assign(PixelBytes(m_tintedDown), 0);
}

void CColorBtn2::SetColor(int red, int green, int blue)
{
    m_red = std::clamp(red, 0, 255);
    m_green = std::clamp(green, 0, 255);
    m_blue = std::clamp(blue, 0, 255);
    Tint(Face(SkinImageSet::kNormal), m_tintedNormal, m_normalPixels);
    Tint(Face(SkinImageSet::kDown), m_tintedDown, m_downPixels);
    // Painted at once, as the sliders paint theirs; the cell is drawn whole, so no erase.
    RedrawNow();
}

void CColorBtn2::Tint(const Bitmap& face, Bitmap& tinted, std::vector<BYTE>& pixels) const
{
    // The face read at the tinted bitmap's size (a face of another size is cut or padded).
    Bitmap copy;
    CropBitmapDib32(nullptr, copy, face, 0, 0, tinted.width(), tinted.height());
    BYTE* from = SectionBits(copy);
    BYTE* to = SectionBits(tinted);
    if (!from || !to || pixels.size() != PixelBytes(tinted))
        return;
    std::memcpy(pixels.data(), from, pixels.size());
    const float blue = static_cast<float>(m_blue) / 255.0f;
    const float green = static_cast<float>(m_green) / 255.0f;
    const float red = static_cast<float>(m_red) / 255.0f;
    for (size_t i = 0; i < pixels.size(); i += 4) {
        pixels[i] = Multiply(pixels[i], blue);
        pixels[i + 1] = Multiply(pixels[i + 1], green);
        pixels[i + 2] = Multiply(pixels[i + 2], red);
    }
    std::memcpy(to, pixels.data(), pixels.size());
}

void CColorBtn2::SetBackground(int left, int top, int right, int bottom, const Bitmap& source)
{
    m_backdrop.Set(m_hWnd, left, top, right, bottom, source);
}

void CColorBtn2::DrawItem(DRAWITEMSTRUCT* item)
{
    const RECT client = GetClientRect();
    const Bitmap& face = IsSelected() ? m_tintedDown : m_tintedNormal;
    m_backdrop.Paint(item->hDC, {client.right, client.bottom}, face, m_faceAlpha,
                     [&](HDC dc) { DrawCaption(dc, client, (item->itemState & ODS_SELECTED) != 0); });
}

void CColorBtn2::DrawCaption(HDC dc, const RECT& client, bool pressed)
{
    const HFONT font = m_font.Get({m_fontHeight, FW_NORMAL, kClearTypeNatural, kCaptionPitchAndFamily, SkinFontFace()});
    SelectGuard select(dc, font);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, CaptionColour(pressed));
    RECT text = client;
    ::OffsetRect(&text, kCaptionIndent, 0);
    ::DrawTextW(dc, m_caption.c_str(), -1, &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS | DT_LEFT);
}
