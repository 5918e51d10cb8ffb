// Picture headers: each format's size fields, found by walking no further than a few bounded
// steps into the file.
#include "skin/ImageHeader.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>
#include <vector>

namespace {

constexpr unsigned char kPngSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr std::uint32_t kPngHeaderChunkBytes = 13;
constexpr std::uint32_t kPngMaxSide = 0x7FFFFFFF; // PNG's own limit on either side

constexpr std::uint32_t kBmpFileHeaderBytes = 14;
constexpr std::uint32_t kBmpCoreHeaderBytes = 12;   // BITMAPCOREHEADER: 16-bit sides
constexpr std::uint32_t kBmpSmallestInfoBytes = 16; // the shortest header with 32-bit sides

constexpr std::uint32_t kGifHeaderBytes = 13;
constexpr unsigned char kGifColourTableFlag = 0x80;
constexpr unsigned char kGifImageDescriptor = 0x2C;
constexpr unsigned char kGifExtension = 0x21;
// Extension sub-blocks before the first image; real files hold a handful.
constexpr int kMaxGifBlocks = 4096;

constexpr unsigned char kJpegMarker = 0xFF;
// Segments (and fill bytes) before the first frame header; real files hold a few dozen.
constexpr int kMaxJpegSegments = 1024;
constexpr unsigned char kJpegStartOfScan = 0xDA;
constexpr unsigned char kJpegEndOfImage = 0xD9;
// Length, precision, sides and component count of a frame header.
constexpr std::uint32_t kJpegSmallestFrameBytes = 8;

constexpr std::uint16_t kTiffWidthTag = 256;
constexpr std::uint16_t kTiffHeightTag = 257;
constexpr std::uint16_t kTiffShort = 3;
constexpr std::uint16_t kTiffLong = 4;
constexpr std::uint32_t kTiffEntryBytes = 12;
constexpr std::uint16_t kMaxTiffEntries = 1024;

constexpr std::uint32_t kIconDirectoryBytes = 6;
constexpr std::uint32_t kIconEntryBytes = 16;
constexpr std::uint16_t kIconType = 1;
constexpr std::uint16_t kCursorType = 2;
constexpr std::uint16_t kMaxIconEntries = 256;

enum class ByteOrder { kLittle, kBig };

std::uint32_t Get16(const unsigned char* p, ByteOrder order)
{
    return order == ByteOrder::kBig ? (p[0] << 8) | p[1] : (p[1] << 8) | p[0];
}

std::uint32_t Get32(const unsigned char* p, ByteOrder order)
{
    const std::uint32_t high = Get16(order == ByteOrder::kBig ? p : p + 2, order);
    const std::uint32_t low = Get16(order == ByteOrder::kBig ? p + 2 : p, order);
    return (high << 16) | low;
}

// offset + by, saturating: a walk that runs off the end of any file simply finds nothing there.
std::uint64_t Advance(std::uint64_t offset, std::uint64_t by)
{
    return by > std::numeric_limits<std::uint64_t>::max() - offset ? std::numeric_limits<std::uint64_t>::max()
                                                                   : offset + by;
}

template <std::size_t N>
bool ReadExactly(PictureBytes& file, std::uint64_t offset, std::array<unsigned char, N>& to)
{
    return file.Read(offset, to.data(), N) == N;
}

std::optional<PictureSize> Sized(std::uint64_t width, std::uint64_t height)
{
    constexpr std::uint64_t kMaxField = std::numeric_limits<std::uint32_t>::max();
    if (width == 0 || height == 0 || width > kMaxField || height > kMaxField)
        return std::nullopt;
    return PictureSize{static_cast<std::uint32_t>(width), static_cast<std::uint32_t>(height)};
}

bool StartsWith(const unsigned char* bytes, std::size_t count, const void* prefix, std::size_t prefixCount)
{
    return count >= prefixCount && std::memcmp(bytes, prefix, prefixCount) == 0;
}

// The signature and the IHDR chunk, which must come first.
std::optional<PictureSize> PngSize(PictureBytes& file, std::uint64_t at)
{
    std::array<unsigned char, 24> h{};
    if (!ReadExactly(file, at, h) || !StartsWith(h.data(), h.size(), kPngSignature, sizeof(kPngSignature)) ||
        Get32(h.data() + 8, ByteOrder::kBig) != kPngHeaderChunkBytes || std::memcmp(h.data() + 12, "IHDR", 4) != 0)
        return std::nullopt;
    const std::uint32_t width = Get32(h.data() + 16, ByteOrder::kBig);
    const std::uint32_t height = Get32(h.data() + 20, ByteOrder::kBig);
    if (width > kPngMaxSide || height > kPngMaxSide)
        return std::nullopt;
    return Sized(width, height);
}

// A bitmap header: the old one with 16-bit sides, or any later one with signed 32-bit sides
// (a negative height stores the rows top-down). An icon's bitmap counts its mask's rows too.
std::optional<PictureSize> DibSize(PictureBytes& file, std::uint64_t at, bool withMaskRows)
{
    std::array<unsigned char, 12> h{};
    if (!ReadExactly(file, at, h))
        return std::nullopt;
    const std::uint32_t headerBytes = Get32(h.data(), ByteOrder::kLittle);
    const std::uint32_t rowDivisor = withMaskRows ? 2 : 1;
    if (headerBytes == kBmpCoreHeaderBytes)
        return Sized(Get16(h.data() + 4, ByteOrder::kLittle), Get16(h.data() + 6, ByteOrder::kLittle) / rowDivisor);
    if (headerBytes < kBmpSmallestInfoBytes)
        return std::nullopt;
    const auto width = static_cast<std::int32_t>(Get32(h.data() + 4, ByteOrder::kLittle));
    const auto height = static_cast<std::int32_t>(Get32(h.data() + 8, ByteOrder::kLittle));
    if (width <= 0)
        return std::nullopt;
    const std::uint64_t rows = height < 0 ? -static_cast<std::int64_t>(height) : height;
    return Sized(static_cast<std::uint64_t>(width), rows / rowDivisor);
}

std::optional<PictureSize> BmpSize(PictureBytes& file)
{
    return DibSize(file, kBmpFileHeaderBytes, false);
}

// The logical screen, widened to the first image when that image reaches beyond it: decoders
// size the picture by either.
std::optional<PictureSize> GifSize(PictureBytes& file)
{
    std::array<unsigned char, kGifHeaderBytes> h{};
    if (!ReadExactly(file, 0, h))
        return std::nullopt;
    std::uint64_t width = Get16(h.data() + 6, ByteOrder::kLittle);
    std::uint64_t height = Get16(h.data() + 8, ByteOrder::kLittle);
    const unsigned char flags = h[10];
    std::uint64_t offset = kGifHeaderBytes;
    if (flags & kGifColourTableFlag)
        offset += 3u << ((flags & 7) + 1);

    for (int blocks = 0; blocks < kMaxGifBlocks;) {
        std::array<unsigned char, 1> introducer{};
        if (!ReadExactly(file, offset, introducer))
            return std::nullopt;
        if (introducer[0] == kGifImageDescriptor) {
            std::array<unsigned char, 8> d{}; // left, top, width, height
            if (!ReadExactly(file, Advance(offset, 1), d))
                return std::nullopt;
            const auto field = [&d](int at) -> std::uint64_t { return Get16(d.data() + at, ByteOrder::kLittle); };
            return Sized(std::max(width, field(0) + field(4)), std::max(height, field(2) + field(6)));
        }
        if (introducer[0] != kGifExtension)
            return std::nullopt;
        offset = Advance(offset, 2); // introducer and label
        for (std::array<unsigned char, 1> length{1}; length[0] != 0; ++blocks) {
            if (blocks >= kMaxGifBlocks || !ReadExactly(file, offset, length))
                return std::nullopt;
            offset = Advance(offset, 1 + length[0]);
        }
    }
    return std::nullopt;
}

bool IsStartOfFrame(unsigned char marker)
{
    constexpr unsigned char kHuffmanTables = 0xC4, kReserved = 0xC8, kArithmeticTables = 0xCC;
    return marker >= 0xC0 && marker <= 0xCF && marker != kHuffmanTables && marker != kReserved &&
           marker != kArithmeticTables;
}

// Markers with no length after them.
bool IsStandalone(unsigned char marker)
{
    constexpr unsigned char kTemporary = 0x01, kFirstRestart = 0xD0, kLastRestart = 0xD7;
    return marker == kTemporary || (marker >= kFirstRestart && marker <= kLastRestart);
}

// Segment by segment, each skipped by its length, to the first frame header. Image data
// (start of scan) or the end before it means the file has no size to give.
std::optional<PictureSize> JpegSize(PictureBytes& file)
{
    std::uint64_t offset = 2; // after the start-of-image marker
    for (int segments = 0; segments < kMaxJpegSegments; ++segments) {
        std::array<unsigned char, 2> m{};
        if (!ReadExactly(file, offset, m) || m[0] != kJpegMarker)
            return std::nullopt;
        const unsigned char marker = m[1];
        if (marker == kJpegMarker) { // a fill byte
            offset = Advance(offset, 1);
            continue;
        }
        offset = Advance(offset, 2);
        if (IsStandalone(marker))
            continue;
        if (marker == kJpegStartOfScan || marker == kJpegEndOfImage)
            return std::nullopt;
        if (!ReadExactly(file, offset, m))
            return std::nullopt;
        const std::uint32_t length = Get16(m.data(), ByteOrder::kBig); // itself included
        if (length < 2)
            return std::nullopt;
        if (IsStartOfFrame(marker)) {
            std::array<unsigned char, 7> frame{}; // length, precision, height, width
            if (length < kJpegSmallestFrameBytes || !ReadExactly(file, offset, frame))
                return std::nullopt;
            return Sized(Get16(frame.data() + 5, ByteOrder::kBig), Get16(frame.data() + 3, ByteOrder::kBig));
        }
        offset = Advance(offset, length);
    }
    return std::nullopt;
}

// Width and length of the first image, from its directory entries.
std::optional<PictureSize> TiffSize(PictureBytes& file, ByteOrder order)
{
    std::array<unsigned char, 8> h{};
    std::array<unsigned char, 2> c{};
    if (!ReadExactly(file, 0, h))
        return std::nullopt;
    const std::uint64_t directory = Get32(h.data() + 4, order);
    if (!ReadExactly(file, directory, c))
        return std::nullopt;
    const std::uint32_t count = Get16(c.data(), order);
    if (count == 0 || count > kMaxTiffEntries)
        return std::nullopt;
    std::vector<unsigned char> entries(count * kTiffEntryBytes);
    if (file.Read(directory + c.size(), entries.data(), entries.size()) != entries.size())
        return std::nullopt;

    std::optional<std::uint32_t> width;
    std::optional<std::uint32_t> height;
    for (std::size_t at = 0; at < entries.size(); at += kTiffEntryBytes) {
        const unsigned char* entry = entries.data() + at;
        const std::uint32_t tag = Get16(entry, order);
        const std::uint32_t type = Get16(entry + 2, order);
        if ((tag != kTiffWidthTag && tag != kTiffHeightTag) || Get32(entry + 4, order) != 1)
            continue;
        std::optional<std::uint32_t> value;
        if (type == kTiffShort)
            value = Get16(entry + 8, order);
        else if (type == kTiffLong)
            value = Get32(entry + 8, order);
        (tag == kTiffWidthTag ? width : height) = value;
    }
    if (!width || !height)
        return std::nullopt;
    return Sized(*width, *height);
}

// The largest of the images an icon holds, each read from its own header (PNG or bitmap):
// which one a decoder picks is its own choice, and the directory's byte-sized sides say nothing
// of what the image claims.
std::optional<PictureSize> IconSize(PictureBytes& file)
{
    std::array<unsigned char, kIconDirectoryBytes> h{};
    if (!ReadExactly(file, 0, h))
        return std::nullopt;
    const std::uint32_t count = Get16(h.data() + 4, ByteOrder::kLittle);
    if (count == 0 || count > kMaxIconEntries)
        return std::nullopt;
    PictureSize largest;
    for (std::uint32_t i = 0; i < count; ++i) {
        std::array<unsigned char, kIconEntryBytes> entry{};
        std::array<unsigned char, sizeof(kPngSignature)> start{};
        if (!ReadExactly(file, kIconDirectoryBytes + i * kIconEntryBytes, entry))
            return std::nullopt;
        const std::uint64_t at = Get32(entry.data() + 12, ByteOrder::kLittle);
        if (!ReadExactly(file, at, start))
            return std::nullopt;
        const bool png = std::memcmp(start.data(), kPngSignature, start.size()) == 0;
        const std::optional<PictureSize> image = png ? PngSize(file, at) : DibSize(file, at, true);
        if (!image)
            return std::nullopt;
        largest.width = std::max(largest.width, image->width);
        largest.height = std::max(largest.height, image->height);
    }
    return largest;
}

class MemoryBytes : public PictureBytes {
public:
    MemoryBytes(const unsigned char* bytes, std::size_t count) : m_bytes(bytes), m_count(count) {}

    std::size_t Read(std::uint64_t offset, unsigned char* to, std::size_t count) override
    {
        if (!m_bytes || offset >= m_count)
            return 0;
        const std::size_t n = std::min<std::uint64_t>(count, m_count - offset);
        std::memcpy(to, m_bytes + offset, n);
        return n;
    }

private:
    const unsigned char* m_bytes;
    std::size_t m_count;
};

} // namespace

std::optional<PictureSize> ReadPictureSize(PictureBytes& file)
{
    static constexpr unsigned char kGif87[] = {'G', 'I', 'F', '8', '7', 'a'};
    static constexpr unsigned char kGif89[] = {'G', 'I', 'F', '8', '9', 'a'};
    static constexpr unsigned char kJpeg[] = {0xFF, 0xD8};
    static constexpr unsigned char kBmp[] = {'B', 'M'};
    static constexpr unsigned char kTiffLittle[] = {'I', 'I', 42, 0};
    static constexpr unsigned char kTiffBig[] = {'M', 'M', 0, 42};
    static constexpr unsigned char kIcon[] = {0, 0, kIconType, 0};
    static constexpr unsigned char kCursor[] = {0, 0, kCursorType, 0};

    std::array<unsigned char, 8> start{};
    const std::size_t n = file.Read(0, start.data(), start.size());
    const unsigned char* s = start.data();
    if (StartsWith(s, n, kPngSignature, sizeof(kPngSignature)))
        return PngSize(file, 0);
    if (StartsWith(s, n, kBmp, sizeof(kBmp)))
        return BmpSize(file);
    if (StartsWith(s, n, kGif87, sizeof(kGif87)) || StartsWith(s, n, kGif89, sizeof(kGif89)))
        return GifSize(file);
    if (StartsWith(s, n, kJpeg, sizeof(kJpeg)))
        return JpegSize(file);
    if (StartsWith(s, n, kTiffLittle, sizeof(kTiffLittle)))
        return TiffSize(file, ByteOrder::kLittle);
    if (StartsWith(s, n, kTiffBig, sizeof(kTiffBig)))
        return TiffSize(file, ByteOrder::kBig);
    if (StartsWith(s, n, kIcon, sizeof(kIcon)) || StartsWith(s, n, kCursor, sizeof(kCursor)))
        return IconSize(file);
    return std::nullopt;
}

std::optional<PictureSize> ReadPictureSize(const unsigned char* bytes, std::size_t count)
{
    MemoryBytes memory(bytes, count);
    return ReadPictureSize(memory);
}

bool IsPictureSizeAllowed(const PictureSize& size)
{
    return size.width <= kMaxPictureSide && size.height <= kMaxPictureSide &&
           std::uint64_t{size.width} * size.height <= kMaxPicturePixels;
}
