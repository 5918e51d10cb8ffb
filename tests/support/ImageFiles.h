// Fixture images: writing PNG, JPEG and BMP files with GDI+, and reading pixels back.
#pragma once

#include "framework/Handles.h"
#include "skin/Bitmap.h"

#include <windows.h>

#include <gdiplus.h>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

// One pixel in memory order of a 32-bit DIB: blue, green, red, alpha.
struct Bgra {
    BYTE b = 0, g = 0, r = 0, a = 0;
    friend bool operator==(const Bgra&, const Bgra&) = default;
};

inline std::ostream& operator<<(std::ostream& out, const Bgra& p)
{
    return out << "(b " << int(p.b) << ", g " << int(p.g) << ", r " << int(p.r) << ", a " << int(p.a) << ")";
}

inline bool EncoderFor(const wchar_t* mimeType, CLSID* clsid)
{
    UINT count = 0;
    UINT bytes = 0;
    if (Gdiplus::GetImageEncodersSize(&count, &bytes) != Gdiplus::Ok || bytes == 0)
        return false;
    std::vector<BYTE> storage(bytes);
    auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(storage.data());
    Gdiplus::GetImageEncoders(count, bytes, codecs);
    for (UINT i = 0; i < count; ++i) {
        if (std::wstring(codecs[i].MimeType) == mimeType) {
            *clsid = codecs[i].Clsid;
            return true;
        }
    }
    return false;
}

// Writes a width x height image whose straight-alpha pixels come from pixelAt(x, y).
inline bool WriteImage(const std::wstring& path, int width, int height, const std::function<Bgra(int, int)>& pixelAt,
                       const wchar_t* mimeType = L"image/png", Gdiplus::PixelFormat format = PixelFormat32bppARGB)
{
    Gdiplus::Bitmap image(width, height, format);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const Bgra p = pixelAt(x, y);
            image.SetPixel(x, y, Gdiplus::Color(p.a, p.r, p.g, p.b));
        }
    CLSID clsid{};
    return EncoderFor(mimeType, &clsid) && image.Save(path.c_str(), &clsid, nullptr) == Gdiplus::Ok;
}

inline bool WriteSolidImage(const std::wstring& path, int width, int height, Bgra colour,
                            const wchar_t* mimeType = L"image/png")
{
    return WriteImage(
        path, width, height, [colour](int, int) { return colour; }, mimeType);
}

// A width x height section (top-down) whose pixels come from pixelAt; 24-bit sections
// drop the alpha byte.
inline Bitmap MakeBitmap(int width, int height, const std::function<Bgra(int, int)>& pixelAt, WORD bitCount = 32)
{
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, bitCount, BI_RGB, 0, 0, 0, 0, 0};
    BYTE* bits = nullptr;
    Bitmap bitmap(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), nullptr, 0));
    const int stride = ((width * bitCount + 31) / 32) * 4;
    for (int y = 0; bits && y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const Bgra p = pixelAt(x, y);
            BYTE* at = bits + y * stride + x * (bitCount / 8);
            at[0] = p.b;
            at[1] = p.g;
            at[2] = p.r;
            if (bitCount == 32)
                at[3] = p.a;
        }
    return bitmap;
}

inline Bitmap MakeSolidBitmap(int width, int height, Bgra colour, WORD bitCount = 32)
{
    return MakeBitmap(
        width, height, [colour](int, int) { return colour; }, bitCount);
}

// The pixel at (x, y), counted from the top, of a DIB section of 24 or 32 bits per pixel
// (24-bit pixels read with alpha 0).
inline Bgra DibPixel(HBITMAP bitmap, int x, int y)
{
    DIBSECTION section{};
    if (::GetObjectW(bitmap, sizeof(section), &section) != sizeof(section) || !section.dsBm.bmBits)
        return {};
    ::GdiFlush();
    const BITMAP& bm = section.dsBm;
    const int row = section.dsBmih.biHeight > 0 ? bm.bmHeight - 1 - y : y;
    const BYTE* p =
        static_cast<const BYTE*>(bm.bmBits) + static_cast<ptrdiff_t>(row) * bm.bmWidthBytes + x * (bm.bmBitsPixel / 8);
    return {p[0], p[1], p[2], bm.bmBitsPixel == 32 ? p[3] : BYTE(0)};
}

inline Bgra DibPixel(const Bitmap& bitmap, int x, int y)
{
    return DibPixel(bitmap.get(), x, y);
}

// A 32-bit top-down section that a test draws into and reads back.
class Canvas {
public:
    Canvas(int width, int height)
        : m_width(width), m_height(height), m_bitmap(CreateSection(width, height, &m_bits)),
          m_select(m_dc, m_bitmap.get())
    {
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    HDC dc() const noexcept { return m_dc; }
    int width() const noexcept { return m_width; }
    int height() const noexcept { return m_height; }

    void Fill(Bgra colour)
    {
        ::GdiFlush();
        for (int i = 0; i < m_width * m_height; ++i)
            m_bits[i] = colour;
    }
    Bgra At(int x, int y) const
    {
        ::GdiFlush();
        return m_bits[y * m_width + x];
    }
    // How many pixels of the rectangle have exactly this colour (alpha ignored).
    int Count(COLORREF colour, const RECT& area) const
    {
        ::GdiFlush();
        int count = 0;
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x) {
                const Bgra p = m_bits[y * m_width + x];
                count += RGB(p.r, p.g, p.b) == colour;
            }
        return count;
    }

private:
    static HBITMAP CreateSection(int width, int height, Bgra** bits)
    {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height; // top-down: row y is at y * width
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        return ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(bits), nullptr, 0);
    }

    int m_width;
    int m_height;
    Bgra* m_bits = nullptr;
    GdiBitmap m_bitmap;
    MemoryDc m_dc;
    SelectGuard m_select;
};
