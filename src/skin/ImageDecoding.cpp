// Picture decoding: WIC or GDI+ into premultiplied sections, within the size limits, and the
// opaque pictures read straight from a bitmap file.
#include "skin/ImageDecoding.h"

#include "framework/DebugTraceLine.h"
#include "framework/Handles.h"
#include "skin/DibOperations.h"
#include "skin/ImageHeader.h"
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
// A file larger than this is no skin picture; refusing it keeps a broken skin from
// allocating without bound. (A background of the largest size allowed takes 48 MB as a bitmap.)
constexpr LONGLONG kMaxPictureFileBytes = 256LL * 1024 * 1024;
// The first read of a picture's header: PNG, BMP and GIF headers and most JPEG ones lie within.
constexpr size_t kHeaderWindowBytes = 4096;

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
    GdiBitmap dib(CreateBottomUpDib(width, height, withAlpha ? 32 : 24, &bits));
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
    GdiBitmap dib(CreateBottomUpDib(width, height, withAlpha ? 32 : 24, &bits));
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
    return WicDecoder::ReadWholeFile(path, bytes, kMaxPictureFileBytes) &&
           WithinLimits(ReadPictureSize(bytes.data(), bytes.size()));
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
