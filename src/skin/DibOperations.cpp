// DIB sections, crops, blends and mask regions of the skin's pictures.
#include "skin/DibOperations.h"

#include "framework/Handles.h"

#include <algorithm>
#include <climits>
#include <vector>

namespace {

constexpr int kBytesPerPixel = 4;
constexpr BYTE kWhite = 255;
constexpr DWORD kRegionBatch = 2000; // rectangles per ExtCreateRegion call
constexpr DWORD kRegionGrowth = 100; // the block grows by this many rectangles

BITMAPINFO DibInfo(int width, int height, WORD bitCount)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height; // positive: bottom-up
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = bitCount;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

// Sets the alpha byte of every pixel of a 32-bit section to opaque.
void MakeOpaque(const Bitmap& dib)
{
    DIBSECTION section{};
    if (::GetObjectW(dib.get(), sizeof(section), &section) != sizeof(section) || !section.dsBm.bmBits)
        return;
    ::GdiFlush();
    auto* pixel = static_cast<BYTE*>(section.dsBm.bmBits);
    const size_t count = static_cast<size_t>(dib.width()) * dib.height();
    for (size_t i = 0; i < count; ++i, pixel += kBytesPerPixel)
        pixel[3] = 0xFF;
}

bool CopyPixels(const Bitmap& target, const Bitmap& source, int left, int top)
{
    MemoryDc from;
    MemoryDc to;
    if (!from || !to)
        return false;
    SelectGuard selectFrom(from, source.get());
    SelectGuard selectTo(to, target.get());
    return ::BitBlt(to, 0, 0, target.width(), target.height(), from, left, top, SRCCOPY) != FALSE;
}

// The rectangles of one batch, in the layout ExtCreateRegion reads.
class RegionBlock {
public:
    RegionBlock() { Clear(); }

    DWORD count() const noexcept { return Header().nCount; }

    void Add(LONG left, LONG top, LONG right, LONG bottom)
    {
        if (count() == m_capacity) {
            m_capacity += kRegionGrowth;
            m_storage.resize(sizeof(RGNDATAHEADER) + m_capacity * sizeof(RECT));
        }
        RGNDATAHEADER& header = Header();
        reinterpret_cast<RECT*>(m_storage.data() + sizeof(RGNDATAHEADER))[header.nCount] = {left, top, right, bottom};
        RECT& bound = header.rcBound;
        bound.left = std::min(bound.left, left);
        bound.top = std::min(bound.top, top);
        bound.right = std::max(bound.right, right);
        bound.bottom = std::max(bound.bottom, bottom);
        ++header.nCount;
    }

    // Makes a region of the batch and ORs it into result (the first one becomes the result).
    void FlushInto(GdiRegion& result)
    {
        RGNDATAHEADER& header = Header();
        header.nRgnSize = header.nCount * sizeof(RECT);
        GdiRegion part(::ExtCreateRegion(nullptr, static_cast<DWORD>(sizeof(RGNDATAHEADER) + header.nRgnSize),
                                         reinterpret_cast<const RGNDATA*>(m_storage.data())));
        if (!part && header.nCount == 0)
            part.reset(::CreateRectRgn(0, 0, 0, 0));
        if (!result)
            result = std::move(part);
        else if (part)
            ::CombineRgn(result.get(), result.get(), part.get(), RGN_OR);
        Clear();
    }

private:
    RGNDATAHEADER& Header() noexcept { return *reinterpret_cast<RGNDATAHEADER*>(m_storage.data()); }
    const RGNDATAHEADER& Header() const noexcept { return *reinterpret_cast<const RGNDATAHEADER*>(m_storage.data()); }

    void Clear()
    {
        if (m_storage.empty())
            m_storage.resize(sizeof(RGNDATAHEADER) + m_capacity * sizeof(RECT));
        RGNDATAHEADER& header = Header();
        header = {};
        header.dwSize = sizeof(RGNDATAHEADER);
        header.iType = RDH_RECTANGLES;
        header.rcBound = {LONG_MAX, LONG_MAX, 0, 0};
    }

    DWORD m_capacity = kRegionGrowth;
    std::vector<BYTE> m_storage; // RGNDATAHEADER followed by m_capacity rectangles
};

bool IsWhite(const BYTE* pixel)
{
    return pixel[0] == kWhite && pixel[1] == kWhite && pixel[2] == kWhite;
}

} // namespace

HBITMAP CreateBottomUpDib(int width, int height, WORD bitCount, void** bits)
{
    if (width <= 0 || height <= 0)
        return nullptr;
    const BITMAPINFO info = DibInfo(width, height, bitCount);
    void* ignored = nullptr;
    return ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, bits ? bits : &ignored, nullptr, 0);
}

int DibStride(int width, int bitCount)
{
    return ((width * bitCount + 31) / 32) * 4;
}

HBITMAP CopyToDib24(HBITMAP source)
{
    BITMAP info{};
    if (!::GetObjectW(source, sizeof(info), &info))
        return nullptr;
    const int height = info.bmHeight < 0 ? -info.bmHeight : info.bmHeight;
    GdiBitmap copy(CreateBottomUpDib(info.bmWidth, height, 24));
    MemoryDc from;
    MemoryDc to;
    if (!copy || !from || !to)
        return nullptr;
    SelectGuard selectFrom(from, source);
    SelectGuard selectTo(to, copy.get());
    if (!::BitBlt(to, 0, 0, info.bmWidth, height, from, 0, 0, SRCCOPY))
        return nullptr;
    return copy.release();
}

HBITMAP CreateDib32(int width, int height, Bitmap* target)
{
    HBITMAP dib = CreateBottomUpDib(width, height, 32);
    if (target)
        target->Attach(dib);
    return dib;
}

void CropBitmap(HDC, Bitmap& target, const Bitmap& source, int left, int top, int right, int bottom)
{
    if (source.empty())
        return;
    // A section of the source's own format rather than a device bitmap: alpha survives on
    // any display depth, and an opaque source stays recognisably opaque (depth below 32).
    const WORD bitCount = source.depth() == 32 ? 32 : 24;
    Bitmap crop(CreateBottomUpDib(right - left, bottom - top, bitCount));
    if (crop && CopyPixels(crop, source, left, top))
        target = std::move(crop);
    else
        target.Reset();
}

void CropBitmapDib32(HDC, Bitmap& target, const Bitmap& source, int left, int top, int right, int bottom)
{
    if (source.empty())
        return;
    Bitmap crop(CreateDib32(right - left, bottom - top));
    if (!crop || !CopyPixels(crop, source, left, top)) {
        target.Reset();
        return;
    }
    // A source without alpha is opaque; a copied 0 alpha would make it vanish when blended.
    if (source.depth() != 32)
        MakeOpaque(crop);
    target = std::move(crop);
}

HRGN RegionFromMask(const Bitmap& mask)
{
    if (mask.empty())
        return nullptr;
    void* bits = nullptr;
    const int width = mask.width();
    const int height = mask.height();
    Bitmap copy(CreateBottomUpDib(width, height, 32, &bits));
    if (copy.empty() || !CopyPixels(copy, mask, 0, 0))
        return nullptr;
    ::GdiFlush();

    GdiRegion result;
    RegionBlock block;
    const int stride = DibStride(width, 32);
    for (int y = 0; y < height; ++y) {
        const BYTE* row = static_cast<const BYTE*>(bits) + static_cast<ptrdiff_t>(height - 1 - y) * stride;
        for (int x = 0; x < width; ++x) {
            if (IsWhite(row + x * kBytesPerPixel))
                continue;
            const int start = x;
            while (x < width && !IsWhite(row + x * kBytesPerPixel))
                ++x;
            block.Add(start, y, x, y + 1);
            if (block.count() == kRegionBatch)
                block.FlushInto(result);
        }
    }
    block.FlushInto(result);
    return result.release();
}

void BlendBitmap(HDC target, int x, int y, int width, int height, const Bitmap& source, int sourceX, int sourceY,
                 BYTE constantAlpha)
{
    if (source.empty())
        return;
    // AlphaBlend refuses a source rectangle that leaves the bitmap; draw what exists.
    width = std::min(width, source.width() - sourceX);
    height = std::min(height, source.height() - sourceY);
    if (width <= 0 || height <= 0 || sourceX < 0 || sourceY < 0)
        return;
    MemoryDc from(target);
    if (!from)
        return;
    SelectGuard select(from, source.get());
    const bool perPixel = source.depth() == 32;
    if (perPixel || constantAlpha != 255) {
        const BLENDFUNCTION blend{AC_SRC_OVER, 0, constantAlpha, static_cast<BYTE>(perPixel ? AC_SRC_ALPHA : 0)};
        ::AlphaBlend(target, x, y, width, height, from, sourceX, sourceY, width, height, blend);
    } else {
        ::BitBlt(target, x, y, width, height, from, sourceX, sourceY, SRCCOPY);
    }
}

void CopyBitmap(HDC target, int x, int y, const Bitmap& source)
{
    if (source.empty())
        return;
    MemoryDc from(target);
    if (!from)
        return;
    SelectGuard select(from, source.get());
    ::BitBlt(target, x, y, source.width(), source.height(), from, 0, 0, SRCCOPY);
}
