// Image routines: WIC and GDI+ picture loading, premultiplied alpha, crops and mask regions.
#include "skin/ImageRoutines.h"

#include "base/Paths.h"
#include "framework/ComPtr.h"
#include "framework/DebugTraceLine.h"
#include "framework/Handles.h"
#include "skin/ImageHeader.h"
#include "skin/SkinFaceCache.h"
#include "skin/WicDecoder.h"

#include <gdiplus.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstring>
#include <limits>
#include <optional>
#include <vector>

namespace {

constexpr int kBytesPerPixel = 4;
constexpr BYTE kWhite = 255;
constexpr DWORD kRegionBatch = 2000; // rectangles per ExtCreateRegion call
constexpr DWORD kRegionGrowth = 100; // the block grows by this many rectangles
// A file larger than this is no skin picture; refusing it keeps a broken skin from
// allocating without bound. (A background of the largest size allowed takes 48 MB as a bitmap.)
constexpr LONGLONG kMaxPictureFileBytes = 256LL * 1024 * 1024;
// The first read of a picture's header: PNG, BMP and GIF headers and most JPEG ones lie within.
constexpr size_t kHeaderWindowBytes = 4096;

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

HBITMAP CreateDibSection(int width, int height, WORD bitCount, void** bits = nullptr)
{
    if (width <= 0 || height <= 0)
        return nullptr;
    const BITMAPINFO info = DibInfo(width, height, bitCount);
    void* ignored = nullptr;
    return ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, bits ? bits : &ignored, nullptr, 0);
}

// Row stride of a bottom-up DIB section: rows are padded to four bytes.
int DibStride(int width, int bitCount)
{
    return ((width * bitCount + 31) / 32) * 4;
}

// GDI+ formats that carry alpha, including palettes with transparent entries.
bool HasAlpha(Gdiplus::Bitmap& image)
{
    const Gdiplus::PixelFormat format = image.GetPixelFormat();
    if (Gdiplus::IsAlphaPixelFormat(format) || Gdiplus::GetPixelFormatSize(format) == 32)
        return true;
    if (!Gdiplus::IsIndexedPixelFormat(format))
        return false;
    const INT paletteBytes = image.GetPaletteSize();
    if (paletteBytes < static_cast<INT>(sizeof(Gdiplus::ColorPalette)))
        return false;
    std::vector<BYTE> storage(static_cast<size_t>(paletteBytes));
    auto* palette = reinterpret_cast<Gdiplus::ColorPalette*>(storage.data());
    return image.GetPalette(palette, paletteBytes) == Gdiplus::Ok && (palette->Flags & Gdiplus::PaletteFlagsHasAlpha);
}

// How a straight colour byte becomes premultiplied: value * alpha / 255, truncated (skin faces),
// or rounded to the nearest, as GDI+ premultiplies a picture it draws.
enum class Premultiplication { kTruncated, kRounded };

BYTE Premultiply(BYTE value, BYTE alpha, Premultiplication rule)
{
    const int halfUp = rule == Premultiplication::kRounded ? 127 : 0;
    return static_cast<BYTE>((value * alpha + halfUp) / 255);
}

// Copies top-down rows of straight pixels (32-bit BGRA or 24-bit BGR) into the bottom-up rows
// of a DIB section, premultiplying 32-bit ones.
void StoreRows(const BYTE* from, ptrdiff_t fromStride, BYTE* dibBits, int width, int height, bool withAlpha,
               Premultiplication rule)
{
    const int bitCount = withAlpha ? 32 : 24;
    const int stride = DibStride(width, bitCount);
    const size_t rowBytes = static_cast<size_t>(width) * (bitCount / 8);
    for (int y = 0; y < height; ++y, from += fromStride) {
        BYTE* to = dibBits + static_cast<ptrdiff_t>(height - 1 - y) * stride;
        std::memcpy(to, from, rowBytes);
        if (withAlpha) {
            for (int x = 0; x < width; ++x) {
                BYTE* pixel = to + x * kBytesPerPixel;
                const BYTE alpha = pixel[3];
                pixel[0] = Premultiply(pixel[0], alpha, rule);
                pixel[1] = Premultiply(pixel[1], alpha, rule);
                pixel[2] = Premultiply(pixel[2], alpha, rule);
            }
        }
    }
}

// Copies the decoded pixels into a bottom-up DIB section of the given depth (32 with
// premultiplied alpha, or 24 opaque).
HBITMAP CopyIntoDib(Gdiplus::Bitmap& image, int width, int height, bool withAlpha, Premultiplication rule)
{
    void* bits = nullptr;
    GdiBitmap dib(CreateDibSection(width, height, withAlpha ? 32 : 24, &bits));
    if (!dib)
        return nullptr;
    Gdiplus::Rect all(0, 0, width, height);
    Gdiplus::BitmapData data{};
    const Gdiplus::PixelFormat format = withAlpha ? PixelFormat32bppARGB : PixelFormat24bppRGB;
    if (image.LockBits(&all, Gdiplus::ImageLockModeRead, format, &data) != Gdiplus::Ok)
        return nullptr;
    StoreRows(static_cast<const BYTE*>(data.Scan0), data.Stride, static_cast<BYTE*>(bits), width, height, withAlpha,
              rule);
    image.UnlockBits(&data);
    return dib.release();
}

// The same section from WIC's rows, which come top-down in a buffer of their own.
HBITMAP CopyIntoDib(WicDecoder& picture, Premultiplication rule)
{
    const int width = static_cast<int>(picture.width());
    const int height = static_cast<int>(picture.height());
    const bool withAlpha = picture.withAlpha();
    const UINT rowBytes = picture.width() * (withAlpha ? 4 : 3);
    std::vector<BYTE> rows(static_cast<size_t>(rowBytes) * picture.height());
    void* bits = nullptr;
    GdiBitmap dib(CreateDibSection(width, height, withAlpha ? 32 : 24, &bits));
    if (!dib || !picture.CopyRows(rows.data(), rowBytes, static_cast<UINT>(rows.size())))
        return nullptr;
    StoreRows(rows.data(), rowBytes, static_cast<BYTE*>(bits), width, height, withAlpha, rule);
    return dib.release();
}

void ReportSize(SIZE* size, int width, int height)
{
    if (size)
        *size = {width, height};
}

bool IsFile(const std::wstring& path)
{
    // A plain attribute query: a name from the skin is never taken as a wildcard pattern.
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool WithinLimits(const std::optional<PictureSize>& size)
{
    return size && IsPictureSizeAllowed(*size);
}

// A picture file read through one handle for its header: the first read takes a window from
// the start, and a walk beyond it (JPEG segments, TIFF and ICO directories) reads the window
// at the offset it needs.
class FileWindow : public PictureBytes {
public:
    explicit FileWindow(HANDLE file) : m_file(file) {}

    size_t Read(std::uint64_t offset, unsigned char* to, size_t count) override
    {
        if (offset >= m_end)
            return 0;
        if (!Holds(offset, count))
            Fill(offset, std::max(count, kHeaderWindowBytes));
        if (!Holds(offset, 0))
            return 0;
        const size_t from = static_cast<size_t>(offset - m_start);
        const size_t n = std::min(count, m_window.size() - from);
        std::memcpy(to, m_window.data() + from, n);
        return n;
    }

private:
    bool Holds(std::uint64_t offset, size_t count) const
    {
        return offset >= m_start && offset - m_start <= m_window.size() &&
               count <= m_window.size() - static_cast<size_t>(offset - m_start);
    }

    void Fill(std::uint64_t offset, size_t count)
    {
        m_window.clear();
        m_start = offset;
        LARGE_INTEGER at{};
        at.QuadPart = static_cast<LONGLONG>(std::min<std::uint64_t>(offset, LLONG_MAX));
        m_window.resize(count);
        DWORD read = 0;
        if (!::SetFilePointerEx(m_file, at, nullptr, FILE_BEGIN) ||
            !::ReadFile(m_file, m_window.data(), static_cast<DWORD>(count), &read, nullptr))
            read = 0;
        m_window.resize(read);
        if (read < count) // the file ends in this window: nothing beyond needs a read
            m_end = std::min(m_end, offset + read);
    }

    HANDLE m_file;
    std::vector<unsigned char> m_window;
    std::uint64_t m_start = 0;
    std::uint64_t m_end = UINT64_MAX;
};

// The whole file, once its header shows a picture within the limits.
bool ReadPictureFile(const std::wstring& path, std::vector<BYTE>& bytes)
{
    FileHandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!file || !::GetFileSizeEx(file.get(), &size) || size.QuadPart <= 0 || size.QuadPart > kMaxPictureFileBytes)
        return false;
    bytes.resize(static_cast<size_t>(size.QuadPart));
    DWORD read = 0;
    return ::ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) &&
           read == bytes.size() && WithinLimits(ReadPictureSize(bytes.data(), bytes.size()));
}

// An opaque 24-bit copy of a bitmap of any depth; premultiplied pixels come out as drawn over black.
HBITMAP CopyToDib24(HBITMAP source)
{
    BITMAP info{};
    if (!::GetObjectW(source, sizeof(info), &info))
        return nullptr;
    const int height = info.bmHeight < 0 ? -info.bmHeight : info.bmHeight;
    GdiBitmap copy(CreateDibSection(info.bmWidth, height, 24));
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

// The loaders' last step: the target takes the new section and its size is reported.
bool AttachLoaded(HBITMAP dib, Bitmap& target, SIZE* size)
{
    if (!dib)
        return false;
    target.Attach(dib);
    ReportSize(size, target.width(), target.height());
    return true;
}

bool TakeOpaqueCopy(HBITMAP source, Bitmap& target, SIZE* size)
{
    return AttachLoaded(CopyToDib24(source), target, size);
}

// A whole, uncompressed bitmap file as a section of its own depth, or null: compressed files,
// old-style headers and files cut short are not read here. Every size is checked against the
// bytes at hand (the platform's own file loader reads past the end of a file cut short).
HBITMAP BitmapFileSection(const BYTE* data, size_t bytes)
{
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    if (bytes < sizeof(file) + sizeof(info) || data[0] != 'B' || data[1] != 'M')
        return nullptr;
    std::memcpy(&file, data, sizeof(file));
    std::memcpy(&info, data + sizeof(file), sizeof(info));
    const std::uint64_t available = bytes - sizeof(file);
    const bool plainDepth = info.biBitCount == 1 || info.biBitCount == 4 || info.biBitCount == 8 ||
                            info.biBitCount == 16 || info.biBitCount == 24 || info.biBitCount == 32;
    if (info.biSize < sizeof(info) || info.biSize > available || info.biCompression != BI_RGB || info.biPlanes != 1 ||
        !plainDepth || info.biWidth <= 0 || info.biHeight == 0 || info.biHeight == std::numeric_limits<LONG>::min())
        return nullptr;
    const std::uint64_t paletteLimit = info.biBitCount <= 8 ? (1u << info.biBitCount) : 0;
    const std::uint64_t colours = info.biClrUsed ? info.biClrUsed : paletteLimit;
    if (info.biBitCount <= 8 && colours > paletteLimit)
        return nullptr;
    const std::uint64_t headerBytes = info.biSize + colours * sizeof(RGBQUAD);
    const std::uint64_t rows = info.biHeight < 0 ? std::uint64_t(-std::int64_t{info.biHeight}) : info.biHeight;
    const std::uint64_t stride = (std::uint64_t{static_cast<DWORD>(info.biWidth)} * info.biBitCount + 31) / 32 * 4;
    const std::uint64_t pixelBytes = stride * rows;
    if (headerBytes > available || std::uint64_t{file.bfOffBits} + pixelBytes > bytes)
        return nullptr;

    // The header and colour table copied out: the file's header sits at an odd place.
    std::vector<BYTE> header(data + sizeof(file), data + sizeof(file) + headerBytes);
    void* bits = nullptr;
    HBITMAP section = ::CreateDIBSection(nullptr, reinterpret_cast<const BITMAPINFO*>(header.data()), DIB_RGB_COLORS,
                                         &bits, nullptr, 0);
    if (section && bits)
        std::memcpy(bits, data + file.bfOffBits, pixelBytes);
    return section;
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

bool DecodeWithWic(std::vector<BYTE> file, Bitmap& target, SIZE* size,
                   Premultiplication rule = Premultiplication::kTruncated)
{
    WicDecoder picture;
    // The header said the size is within the limits; the frame must say so too.
    if (!target.empty() || !picture.Open(std::move(file)) ||
        !IsPictureSizeAllowed(PictureSize{picture.width(), picture.height()}))
        return false;
    return AttachLoaded(CopyIntoDib(picture, rule), target, size);
}

bool DecodeWithGdiplus(const std::wstring& path, Bitmap& target, SIZE* size, Premultiplication rule)
{
    if (!target.empty())
        return false;
    Gdiplus::Bitmap image(path.c_str(), FALSE);
    if (image.GetLastStatus() != Gdiplus::Ok)
        return false;
    const int width = static_cast<int>(image.GetWidth());
    const int height = static_cast<int>(image.GetHeight());
    return AttachLoaded(CopyIntoDib(image, width, height, HasAlpha(image), rule), target, size);
}

// A picture file that is there but gives no picture leaves a line for a debugger; a missing
// one is a skin's choice (optional faces and masks) and leaves none.
bool TraceUndecoded(const std::wstring& path)
{
    if (::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES)
        TraceLine(L"picture " + path + L" was not decoded: damaged, not a picture or beyond the size limits");
    return false;
}

// Either decoder, as LoadPremultipliedImage chooses it, within the size limits.
bool DecodeWithin(const std::wstring& path, Bitmap& target, SIZE* size, Premultiplication rule)
{
    // One read serves the size check and the decoder; a file too large to be read whole is
    // checked by its header alone.
    std::vector<BYTE> file;
    if (WicDecoder::ReadWholeFile(path, file)) {
        if (!WithinLimits(ReadPictureSize(file.data(), file.size())))
            return false;
        if (DecodeWithWic(std::move(file), target, size, rule))
            return true;
    } else if (!PictureFileWithinLimits(path)) {
        return false;
    }
    return DecodeWithGdiplus(path, target, size, rule);
}

bool Decode(const std::wstring& path, Bitmap& target, SIZE* size, Premultiplication rule)
{
    ReportSize(size, 0, 0);
    if (!target.empty())
        return false;
    return DecodeWithin(path, target, size, rule) || TraceUndecoded(path);
}

} // namespace

bool PictureFileWithinLimits(const std::wstring& path)
{
    FileHandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return false;
    FileWindow header(file.get());
    return WithinLimits(ReadPictureSize(header));
}

bool LoadPremultipliedImage(const std::wstring& path, Bitmap& target, SIZE* size)
{
    return Decode(path, target, size, Premultiplication::kTruncated);
}

bool LoadPictureForGdiplus(const std::wstring& path, Bitmap& target, SIZE* size)
{
    return Decode(path, target, size, Premultiplication::kRounded);
}

bool LoadPremultipliedImageWithWic(const std::wstring& path, Bitmap& target, SIZE* size)
{
    std::vector<BYTE> file;
    return WicDecoder::ReadWholeFile(path, file) && DecodeWithWic(std::move(file), target, size);
}

bool LoadPremultipliedImageWithGdiplus(const std::wstring& path, Bitmap& target, SIZE* size)
{
    return DecodeWithGdiplus(path, target, size, Premultiplication::kTruncated);
}

bool LoadPictureFile(const std::wstring& path, Bitmap& target, SIZE* size)
{
    ReportSize(size, 0, 0);
    std::vector<BYTE> file;
    if (!ReadPictureFile(path, file))
        return TraceUndecoded(path);
    // A plain bitmap file goes straight into a section, the fastest way for a large background.
    if (const GdiBitmap section(BitmapFileSection(file.data(), file.size())); section)
        return TakeOpaqueCopy(section.get(), target, size);
    // Everything else is decoded as skin faces are. Not with OleLoadPicture: the system's
    // picture object reads no PNG.
    Bitmap decoded;
    if (!DecodeWithWic(std::move(file), decoded, nullptr) && !LoadPremultipliedImageWithGdiplus(path, decoded))
        return TraceUndecoded(path);
    return TakeOpaqueCopy(decoded.get(), target, size);
}

void LoadSkinImageSet(const std::wstring& name, SkinImageSet& set, bool sameForAll, SIZE* size)
{
    static constexpr const wchar_t* kSuffixes[SkinImageSet::kStateCount] = {L"_normal.png", L"_over.png", L"_down.png",
                                                                            L"_disable.png"};
    const std::wstring base = SkinFolder() + name;
    const std::wstring normal = base + kSuffixes[SkinImageSet::kNormal];
    for (Bitmap& image : set.images)
        image.Reset();
    SkinFaceCache& faces = SkinFaceCache::Instance();
    faces.Load(normal, set[SkinImageSet::kNormal], size);
    for (int state = SkinImageSet::kOver; state < SkinImageSet::kStateCount; ++state) {
        const std::wstring own = base + kSuffixes[state];
        faces.Load(!sameForAll && IsFile(own) ? own : normal, set[state]);
    }
}

HBITMAP CreateDib32(int width, int height, Bitmap* target)
{
    HBITMAP dib = CreateDibSection(width, height, 32);
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
    Bitmap crop(CreateDibSection(right - left, bottom - top, bitCount));
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
    Bitmap copy(CreateDibSection(width, height, 32, &bits));
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
